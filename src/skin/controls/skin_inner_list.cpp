#include "skin/controls/skin_inner_list.h"

#include "skin/controls/skin_scroll_bar.h"
#include "toolkit/canvas.h"

#include <algorithm>

TbsListBox::TbsListBox(TComponent* owner) : TCustomListBox(owner) {
    SetStyle(lbOwnerDrawFixed);
    SetTabStop(true);
}

void TbsListBox::CreateParams(TCreateParams& params) {
    TCustomListBox::CreateParams(params);
    params.WindowClassStyle = CS_DBLCLKS;
    params.Style |= WS_TABSTOP;
}

void TbsListBox::CreateWnd() {
    TCustomListBox::CreateWnd();
    if (FOuterListBox) FOuterListBox->ListBoxCreateWnd();
}

void TbsListBox::Click() {
    if (FOuterListBox) FOuterListBox->ListBoxClick();
    TCustomListBox::Click();
}

void TbsListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (FOuterListBox) FOuterListBox->ListBoxMouseDown(button, shift, x, y);
    TCustomListBox::MouseDown(button, shift, x, y);
}

void TbsListBox::MouseMove(TShiftState shift, int x, int y) {
    if (FOuterListBox) FOuterListBox->ListBoxMouseMove(shift, x, y);
    TCustomListBox::MouseMove(shift, x, y);
}

void TbsListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (FOuterListBox) FOuterListBox->ListBoxMouseUp(button, shift, x, y);
    TCustomListBox::MouseUp(button, shift, x, y);
}

void TbsListBox::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (FOuterListBox) {
        FOuterListBox->ListBoxKeyDown(key, shift);
        // Sideways keys scroll wide texts instead of moving the current item.
        if (TbsSkinScrollBar* extent = FOuterListBox->ExtentScrollBar()) {
            if (key == VK_LEFT) {
                extent->SetPosition(extent->Position() - extent->SmallChange());
                key = 0;
            } else if (key == VK_RIGHT) {
                extent->SetPosition(extent->Position() + extent->SmallChange());
                key = 0;
            }
        }
        if (key == 0) return;
    }
    TCustomListBox::KeyDown(key, shift);
}

void TbsListBox::KeyUp(std::uint16_t& key, TShiftState shift) {
    if (FOuterListBox) FOuterListBox->ListBoxKeyUp(key, shift);
    if (key != 0) TCustomListBox::KeyUp(key, shift);
}

void TbsListBox::KeyPress(char& key) {
    if (FOuterListBox) FOuterListBox->ListBoxKeyPress(key);
    if (key != 0) TCustomListBox::KeyPress(key);
}

void TbsListBox::PaintList(TCanvas& canvas) {
    if (Width() <= 0 || Height() <= 0) return;
    TCanvasState state(canvas);
    int height = ClientHeight();
    int count = Count();
    if (Columns() == 0) {
        int last = std::min(TopIndex() + height / ItemHeight(), count - 1);
        int bottom = 0;
        for (int i = TopIndex(); i <= last; ++i) {
            TRect rect = ItemRect(i);
            FOuterListBox->PaintListItem(canvas, i, rect);
            bottom = rect.Bottom;
        }
        if (bottom < height) FOuterListBox->PaintListBackground(canvas, Rect(0, bottom, ClientWidth(), height));
    } else {
        int last = std::min(TopIndex() + (height / ItemHeight()) * Columns(), count - 1);
        for (int i = TopIndex(); i <= last; ++i)
            FOuterListBox->PaintListItem(canvas, i, ItemRect(i));
    }
}

void TbsListBox::WndProc(TMessage& message) {
    if (!FOuterListBox) {
        TCustomListBox::WndProc(message);
        return;
    }
    bool pass = true;
    FOuterListBox->ListBoxWndProcHook(message, pass);
    if (!pass) return;
    switch (message.Msg) {
    case WM_PAINT: PaintList(*reinterpret_cast<TCanvas*>(message.WParam)); return;
    case WM_ERASEBKGND:
        FOuterListBox->PaintListBackground(*reinterpret_cast<TCanvas*>(message.WParam), ClientRect());
        message.Result = 1;
        FOuterListBox->SyncScrollBars();
        return;
    case WM_LBUTTONDBLCLK:
        TCustomListBox::WndProc(message);
        if (FOuterListBox) FOuterListBox->ListBoxDblClick();
        return;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        TCustomListBox::WndProc(message);
        if (message.Result >= 0) FOuterListBox->ListItemAdded(int(message.Result));
        FOuterListBox->SyncScrollBars();
        return;
    case LB_DELETESTRING:
        if (int(message.WParam) >= 0 && int(message.WParam) < Count())
            FOuterListBox->ListItemRemoving(int(message.WParam));
        TCustomListBox::WndProc(message);
        FOuterListBox->SyncScrollBars();
        return;
    case LB_RESETCONTENT:
        FOuterListBox->ListItemsReset();
        break;
    case WM_MOUSEWHEEL: {
        TCustomListBox::WndProc(message);
        bool up = std::int32_t(message.WParam) > 0;
        if (FOuterListBox->ScrollBar()) {
            Perform(WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN);
            FOuterListBox->SyncScrollBars();
        } else if (TbsSkinScrollBar* extent = FOuterListBox->ExtentScrollBar()) {
            extent->SetPosition(extent->Position() + (up ? -extent->SmallChange() : extent->SmallChange()));
        }
        return;
    }
    case WM_SETFOCUS: FOuterListBox->ListBoxEnter(); break;
    case WM_KILLFOCUS: FOuterListBox->ListBoxExit(); break;
    default: break;
    }
    TCustomListBox::WndProc(message);
}
