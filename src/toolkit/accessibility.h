#pragma once
// What a control tells a screen reader about itself, and the changes it announces.
// Controls fill in TAccessibleFacts; the accessible_*.cpp sources turn them into Qt's
// accessibility interfaces, so nothing above the toolkit needs Qt for it.

#include <string>

class TControl;

enum TAccessibleRole : int {
    arDefault,     // a property value only: the role the control's class gives
    arIgnored,     // not announced, nor anything inside it
    arTransparent, // not announced itself; what it holds stands in its place
    arWindow,
    arDialog,
    arPane,
    arList,
    arListItem,
    arStaticText,
    arGraphic,
    arButton,
    arLink,
    arScrollBar,
};

// A scroll bar's values as the control keeps them.
struct TAccessibleRange {
    int Min = 0;
    int Max = 0;
    int PageSize = 0;
    int Position = 0;
    int Step = 1;
};

struct TAccessibleFacts {
    TAccessibleRole Role = arIgnored;
    std::string Name; // code page 1251, like every text of the program
    std::string Description;
    // A screen reader's press does what a click does.
    bool Pressable = false;
    bool HasRange = false;
    TAccessibleRange Range;
};

enum TAccessibleChange {
    acFocus,
    acSelection,        // one item became the selection
    acSelectionWithin,  // several items changed their selection at once
    acItemsChanged,
    acNameChanged,
    acDescriptionChanged,
    acValueChanged,
    acShown,
    acHidden,
    acDialogStart,
    acDialogEnd,
};

// Tells a listening screen reader. `item` is an item of a list, -1 the control itself.
// Costs nothing while no one listens.
void NotifyAccessible(TControl& control, TAccessibleChange change, int item = -1);
// The same once the message being handled is done, for announcements that must come
// after the platform's own (the item of a list the focus has just entered); dropped
// when the same is announced before then.
void NotifyAccessibleLater(TControl& control, TAccessibleChange change, int item = -1);
// The control is going away: drops what was made to describe it.
void ForgetAccessible(const TControl& control);
