// Browsing the catalogue: the start-up sequence, choosing a category or a title,
// showing a title's details, launching it.

#include "launcher/browsing_rules.h"
#include "launcher/main_unit.h"

#include "pictures/image.h"
#include "platform/file_names.h"
#include "platform/shell.h"
#include "skin/controls/skin_scroll_box.h"
#include "toolkit/label.h"
#include "toolkit/strings.h"
#include "toolkit/text_layout.h"
#include "viewer/orig_pic.h"

void TMainFr::RunStartupSequence() {
    FCatalogue.LoadCatalogue();
    FCatalogue.SplitRecords();
    FCatalogue.BuildCategoryIndex();
    Image3->SetVisible(CategoryMarkerShown(int(FCatalogue.LineCount())));
    // An empty catalogue leaves both lists empty and no details shown.
    if (FCatalogue.CategoryCount() == 0) return;
    FillCategoryList();
    ShowFirstCategory();
}

void TMainFr::FillCategoryList() {
    TStrings& items = ListBoxGame->Items();
    items.BeginUpdate();
    for (size_t k = 0; k < FCatalogue.CategoryCount(); ++k) items.Add(std::string(FCatalogue.Category(k)));
    items.EndUpdate();
}

void TMainFr::ShowFirstCategory() {
    ListBoxGame->SetItemIndex(0);
    ListBoxProg->Clear();
    ImPic->Picture().Assign(nullptr);
    ListBoxProg->SetItems(TStringList(FCatalogue.Titles().Strings(0)));
    Image1->SetVisible(TitleListMarkerShown(ListBoxProg->Items().Count()));
    ListBoxProg->SetItemIndex(0);
    ShowTitleDetails();
    ListBoxProg->SetHeight(TitleListHeight(ListBoxProg->Items().Count()));
}

void TMainFr::ShowCategory(int k) {
    ListBoxProg->Clear();
    ImPic->Picture().Assign(nullptr);
    ListBoxProg->SetItems(TStringList(FCatalogue.Titles().Strings(size_t(k))));
    Image1->SetVisible(TitleListMarkerShown(ListBoxProg->Items().Count()));
    ListBoxProg->SetHeight(TitleListHeight(ListBoxProg->Items().Count()));
    ListBoxProg->SetItemIndex(0);
    ShowTitleDetails();
}

void TMainFr::ListBoxGameListBoxClick(TObject*) {
    int k = ListBoxGame->ItemIndex();
    // A click on the category already shown keeps the title chosen in it.
    if (k != FLastCategory && k >= 0 && size_t(k) < FCatalogue.CategoryCount()) ShowCategory(k);
    FLastCategory = k;
}

void TMainFr::ListBoxProgListBoxClick(TObject*) { ShowTitleDetails(); }

bool TMainFr::TitleExists(int k, int j) const {
    return k >= 0 && size_t(k) < FCatalogue.CategoryCount() && j >= 0 && size_t(j) < FCatalogue.Titles().Count(size_t(k));
}

// A screen reader reads a title with the description the window shows for it.
std::string TMainFr::TitleDescriptionForScreenReader(int j) const {
    int k = ListBoxGame->ItemIndex();
    return TitleExists(k, j) ? RemoveAcceleratorMarks(FCatalogue.Abouts().At(size_t(k), size_t(j))) : std::string();
}

std::string TMainFr::SelectedTitlePath() const {
    int j = ListBoxProg->ItemIndex();
    int k = ListBoxGame->ItemIndex();
    return TitlePath(FCatalogue.Category(size_t(k)), FCatalogue.Folders().At(size_t(k), size_t(j)));
}

void TMainFr::ShowTitleDetails() {
    int j = ListBoxProg->ItemIndex();
    int k = ListBoxGame->ItemIndex();
    // Nothing is selected in an empty list; there are no details to show.
    if (!TitleExists(k, j)) return;
    LbAbout->SetCaption(std::string(FCatalogue.Abouts().At(size_t(k), size_t(j))));
    // Both pictures are read out by the title they show.
    std::string title(FCatalogue.Titles().At(size_t(k), size_t(j)));
    ImPic->SetAccessibleName(title);
    BigPic->ImageBigPic->SetAccessibleName(title);
    Image2->SetVisible(DescriptionMarkerShown(LbAbout->Height()));
    // Binding the bar again makes the box measure the new text.
    ScrollBoxAbout->SetVScrollBar(ScrollBarAbout);
    std::string path = SelectedTitlePath();
    ImPic->Picture().Assign(nullptr);
    BigPic->ImageBigPic->Picture().Assign(nullptr);

    if (auto thumbnail = FindEntry(path + "\\" + ThumbnailFileName)) {
        ImPic->SetVisible(true);
        ImNoImag->SetVisible(false);
        ImPic->Picture().LoadFromFile(path + "\\" + thumbnail->Name);
        FThumbFound = true;
        ImPic->SetBounds(534, 71, 242, 200);
    } else {
        ImPic->SetVisible(false);
        ImNoImag->SetVisible(true);
        FThumbFound = false;
    }

    if (auto screenshot = FindEntry(path + "\\" + ScreenshotFileName))
        BigPic->ImageBigPic->Picture().LoadFromFile(path + "\\" + screenshot->Name);
}

void TMainFr::LaunchSelectedTitle() {
    int k = ListBoxGame->ItemIndex();
    int j = ListBoxProg->ItemIndex();
    if (!TitleExists(k, j)) return;
    ShellExecute("open", SelectedTitlePath(), SW_SHOW);
}

void TMainFr::ListBoxProgListBoxDblClick(TObject*) { LaunchSelectedTitle(); }

void TMainFr::ListBoxProgListBoxKeyDown(TObject*, std::uint16_t& key, TShiftState) {
    // Enter with any shift state, every auto-repeat included; the list still sees the key.
    if (key == VK_RETURN) LaunchSelectedTitle();
}
