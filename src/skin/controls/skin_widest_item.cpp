#include "skin/controls/skin_widest_item.h"

void TbsWidestItem::Count(int width) {
    if (width > FWidth) {
        FWidth = width;
        FCount = 1;
    } else if (width == FWidth) {
        ++FCount;
    }
}

void TbsWidestItem::ItemAdded(int width) {
    if (FKnown) Count(width);
}

void TbsWidestItem::ItemRemoved(int width) {
    if (!FKnown || width != FWidth) return;
    if (--FCount <= 0) FKnown = false;
}
