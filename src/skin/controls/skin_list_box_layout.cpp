#include "skin/controls/skin_list_box_layout.h"

TbsListBoxLayout ArrangeListBox(const TbsListBoxLayoutInput& in) {
    TbsListBoxLayout layout;
    const TRect& client = in.ListClientRect;
    int y0 = in.CaptionBottom;
    int extent = 0;
    if (in.HasExtentBar) {
        if (in.Skinned) {
            layout.ExtentBarBounds =
                Bounds(client.Left, client.Bottom - in.ExtentBarHeight, client.Width(), in.ExtentBarHeight);
            extent = in.ExtentBarHeight;
        } else {
            layout.ExtentBarBounds = Bounds(1, in.Height - 20, in.Width - 2, 19);
            extent = 19 - 1;
        }
    }
    if (in.HasScrollBar) {
        if (!in.Skinned && in.Columns == 0) {
            layout.ScrollBarBounds = Bounds(in.Width - 20, y0, 19, in.Height - 1 - y0 - extent);
            layout.ListRect = Rect(2, y0 + 1, layout.ScrollBarBounds.Left, in.Height - 2 - extent);
        } else if (!in.Skinned) {
            layout.ScrollBarBounds = Bounds(1, in.Height - 20, in.Width - 2, 19);
            layout.ListRect = Rect(2, y0 + 1, in.Width - 2, layout.ScrollBarBounds.Top);
        } else if (in.Columns == 0) {
            layout.ScrollBarBounds = Bounds(client.Right - in.ScrollBarWidth, client.Top, in.ScrollBarWidth,
                                            client.Height() - extent);
            layout.ListRect = Rect(client.Left, client.Top, client.Right - in.ScrollBarWidth,
                                   client.Bottom - extent);
        } else {
            layout.ScrollBarBounds =
                Bounds(client.Left, client.Bottom - in.ScrollBarHeight, client.Width(), in.ScrollBarHeight);
            layout.ListRect = Rect(client.Left, client.Top, client.Right, client.Bottom - in.ScrollBarHeight);
        }
        return layout;
    }
    if (in.Skinned)
        layout.ListRect = Rect(client.Left, client.Top, client.Right, client.Bottom - extent);
    else
        layout.ListRect = Rect(2, y0 + 1, in.Width - 2, in.Height - 2 - extent);
    return layout;
}

int ListBoxHeightForRows(const TbsListBoxHeightInput& in) {
    int height = in.Rows * in.ItemHeight;
    if (in.Skinned)
        height += in.SkinFrameHeight;
    else
        height += 4 + (in.CaptionMode ? in.CaptionHeight : 0);
    return height + in.ExtentBarHeight;
}

