// What the toolkit's controls tell a screen reader about themselves.

#include "toolkit/control.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/list_box.h"
#include "toolkit/text_layout.h"

void TControl::SetAccessibleName(const std::string& name) {
    if (name == FAccessibleName) return;
    FAccessibleName = name;
    NotifyAccessible(*this, acNameChanged);
}

void TControl::SetAccessibleDescription(const std::string& text) {
    if (text == FAccessibleDescription) return;
    FAccessibleDescription = text;
    NotifyAccessible(*this, acDescriptionChanged);
}

TAccessibleFacts TControl::AccessibleFacts() const {
    TAccessibleFacts facts;
    DescribeAccessible(facts);
    if (FAccessibleRole != arDefault) facts.Role = FAccessibleRole;
    if (!FAccessibleName.empty()) facts.Name = FAccessibleName;
    if (!FAccessibleDescription.empty())
        facts.Description = FAccessibleDescription;
    else if (facts.Description.empty())
        facts.Description = FHint;
    return facts;
}

// Pictures and other windowless controls are decoration until a form says otherwise.
void TControl::DescribeAccessible(TAccessibleFacts& facts) const {
    facts.Role = arIgnored;
    facts.Pressable = bool(OnClick);
}

// A plain window only groups what it holds.
void TWinControl::DescribeAccessible(TAccessibleFacts& facts) const {
    TControl::DescribeAccessible(facts);
    facts.Role = arTransparent;
}

void TForm::DescribeAccessible(TAccessibleFacts& facts) const {
    TWinControl::DescribeAccessible(facts);
    facts.Role = arWindow;
}

void TLabel::DescribeAccessible(TAccessibleFacts& facts) const {
    TGraphicControl::DescribeAccessible(facts);
    facts.Role = arStaticText;
    facts.Name = ShowAccelChar() ? RemoveAcceleratorMarks(Caption()) : Caption();
}

void TCustomListBox::DescribeAccessible(TAccessibleFacts& facts) const {
    TWinControl::DescribeAccessible(facts);
    facts.Role = arList;
    facts.Pressable = false;
}
