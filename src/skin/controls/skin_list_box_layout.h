#pragma once
// Where the skinned list box puts its inner list and bars, and how tall it must be to
// show a number of rows. Pure functions, so the layout is tested without a window.

#include "platform/basic_types.h"

struct TbsListBoxLayoutInput {
    int Width = 0;
    int Height = 0;
    bool Skinned = false;
    int Columns = 0;
    int CaptionBottom = 1; // the caption band's height in caption mode, else 1
    TRect ListClientRect;  // skinned: the skin's client rect fitted to the control
    bool HasScrollBar = false;
    int ScrollBarWidth = 0; // the bar's own size, kept when skinned
    int ScrollBarHeight = 0;
    bool HasExtentBar = false;
    int ExtentBarHeight = 0;
};

struct TbsListBoxLayout {
    TRect ListRect;
    TRect ScrollBarBounds;
    TRect ExtentBarBounds;
};

TbsListBoxLayout ArrangeListBox(const TbsListBoxLayoutInput& input);

struct TbsListBoxHeightInput {
    int Rows = 0;
    int ItemHeight = 0;
    bool Skinned = false;
    bool CaptionMode = false;
    int CaptionHeight = 0;
    int SkinFrameHeight = 0; // skin image height less its client height
    int ExtentBarHeight = 0; // 0 without that bar
};

// The height that shows exactly that many rows.
int ListBoxHeightForRows(const TbsListBoxHeightInput& input);
