#pragma once
// The widest item text of a list, kept as items come and go, so that a change to a
// long list measures one item instead of all of them. Only the loss of the last item
// of the widest width makes the next question measure the whole list again.

class TbsWidestItem {
public:
    bool Known() const { return FKnown; }
    // Forget it all: the next Width measures every item.
    void Reset() { FKnown = false; }
    // The width of an item that came in or is about to go; nothing to do while unknown.
    void ItemAdded(int width);
    void ItemRemoved(int width);
    // The widest of count items, measuring them with width(i) when not known.
    template <class WidthOf> int Width(int count, WidthOf width) {
        if (!FKnown) {
            FWidth = 0;
            FCount = 0;
            for (int i = 0; i < count; ++i) Count(width(i));
            FKnown = true;
        }
        return FWidth;
    }

private:
    void Count(int width);

    bool FKnown = false;
    int FWidth = 0; // 0 for an empty list
    int FCount = 0; // items of that width
};
