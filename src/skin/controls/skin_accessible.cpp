// What the skinned controls tell a screen reader. The skinned list box stands aside
// for its inner list, which carries the outer control's name.

#include "skin/controls/skin_list_box.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/controls/skin_scroll_box.h"

void TbsListBox::DescribeAccessible(TAccessibleFacts& facts) const {
    TCustomListBox::DescribeAccessible(facts);
    if (!FOuterListBox) return;
    facts.Name = FOuterListBox->NamedControl().AccessibleName();
    facts.Description = FOuterListBox->NamedControl().AccessibleDescription();
}

void TbsSkinScrollBar::DescribeAccessible(TAccessibleFacts& facts) const {
    TbsSkinCustomControl::DescribeAccessible(facts);
    facts.Role = arScrollBar;
    facts.HasRange = true;
    facts.Range = {FMin, FMax, FPageSize, FPosition, FSmallChange};
}

// A new range alone is not news: lists range their bars at every item they take.
void TbsSkinScrollBar::AnnounceValue() {
    if (FPosition == FAnnouncedPosition) return;
    FAnnouncedPosition = FPosition;
    NotifyAccessible(*this, acValueChanged);
}

// The box holds the description; it is read as a pane around it.
void TbsSkinScrollBox::DescribeAccessible(TAccessibleFacts& facts) const {
    TbsSkinCustomControl::DescribeAccessible(facts);
    facts.Role = arPane;
}
