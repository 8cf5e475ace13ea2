#pragma once
// How much of an item's text the launcher's two lists show, asked of the launcher window
// itself: its lists as the stored window makes them (a scroll bar, once the items need
// one, narrows a list) and the font and place its item painter gives the current item's
// text. Text that reaches past the item's right edge is cut there.

#include "toolkit/font.h"

#include <string>
#include <string_view>
#include <vector>

class TMainFr;
class TbsSkinListBox;

class TLauncherLists {
public:
    // Uses the launcher's lists for measuring; they are left empty afterwards.
    explicit TLauncherLists(TMainFr& launcher);
    ~TLauncherLists();
    TLauncherLists(const TLauncherLists&) = delete;
    TLauncherLists& operator=(const TLauncherLists&) = delete;

    // The pixels left for the current item's text in the category list holding these
    // categories, and in the title list showing these titles.
    int CategoryRoom(const std::vector<std::string>& categories);
    int TitleRoom(const std::vector<std::string>& titles);
    // The width of the current item's text in its font.
    int CategoryTextWidth(std::string_view text) const;
    int TitleTextWidth(std::string_view text) const;

private:
    struct TItemLook {
        TFont Font;
        int TextLeft = 0;
    };
    static TItemLook CurrentItemLook(TbsSkinListBox& list);
    static int Room(TbsSkinListBox& list, const TItemLook& look);

    TMainFr& FLauncher;
    TItemLook FCategoryLook;
    TItemLook FTitleLook;
};
