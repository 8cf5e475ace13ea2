#include "doctor/launcher_lists.h"

#include "launcher/browsing_rules.h"
#include "launcher/main_unit.h"
#include "platform/exceptions.h"
#include "skin/controls/skin_list_box.h"
#include "toolkit/canvas.h"
#include "toolkit/font_metrics.h"
#include "toolkit/grab.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/strings.h"

TLauncherLists::TLauncherLists(TMainFr& launcher) : FLauncher(launcher) {
    FCategoryLook = CurrentItemLook(*launcher.ListBoxGame);
    FTitleLook = CurrentItemLook(*launcher.ListBoxProg);
}

TLauncherLists::~TLauncherLists() {
    FLauncher.ListBoxGame->Clear();
    FLauncher.ListBoxProg->Clear();
}

// Paints the list with one current item and keeps what the launcher's painter set up
// for its text.
TLauncherLists::TItemLook TLauncherLists::CurrentItemLook(TbsSkinListBox& list) {
    list.SetItems(TStringList({"W"}));
    list.SetItemIndex(0);
    TItemLook look;
    bool painted = false;
    TbsDrawSkinItemEvent painter = list.OnDrawItem;
    list.OnDrawItem = [&](TCanvas& cnvs, int index, int itemWidth, int itemHeight, TRect textRect,
                          TOwnerDrawState state) {
        if (painter) painter(cnvs, index, itemWidth, itemHeight, textRect, state);
        if (!(state & odSelected)) return;
        look.Font.Assign(cnvs.Font());
        look.TextLeft = textRect.Left;
        painted = true;
    };
    TPixelBuffer picture;
    try {
        GrabControl(list, picture);
    } catch (...) {
        list.OnDrawItem = painter;
        throw;
    }
    list.OnDrawItem = painter;
    if (!painted)
        throw Exception("the launcher's list " + list.Name() + " painted no current item");
    return look;
}

int TLauncherLists::Room(TbsSkinListBox& list, const TItemLook& look) {
    return list.ListBox()->ItemRect(0).Width() - look.TextLeft;
}

int TLauncherLists::CategoryRoom(const std::vector<std::string>& categories) {
    FLauncher.ListBoxGame->SetItems(TStringList(categories));
    return Room(*FLauncher.ListBoxGame, FCategoryLook);
}

int TLauncherLists::TitleRoom(const std::vector<std::string>& titles) {
    TbsSkinListBox& list = *FLauncher.ListBoxProg;
    list.SetItems(TStringList(titles));
    list.SetHeight(TitleListHeight(list.Items().Count()));
    return Room(list, FTitleLook);
}

int TLauncherLists::CategoryTextWidth(std::string_view text) const {
    return FontTextWidth(FCategoryLook.Font, text);
}

int TLauncherLists::TitleTextWidth(std::string_view text) const {
    return FontTextWidth(FTitleLook.Font, text);
}
