#pragma once
// Window messages, numbered as the platform numbers them, so controls can intercept
// exactly the ones they care about in their WndProc.

#include <cstdint>

struct TMessage {
    unsigned Msg = 0;
    std::intptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

inline constexpr unsigned WM_MOVE = 0x0003;
inline constexpr unsigned WM_SIZE = 0x0005;
inline constexpr unsigned WM_ACTIVATE = 0x0006;
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_ENABLE = 0x000A;
inline constexpr unsigned WM_PAINT = 0x000F;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_ERASEBKGND = 0x0014;
inline constexpr unsigned WM_SHOWWINDOW = 0x0018;
inline constexpr unsigned WM_SETCURSOR = 0x0020;
inline constexpr unsigned WM_NCCALCSIZE = 0x0083;
inline constexpr unsigned WM_NCHITTEST = 0x0084;
inline constexpr unsigned WM_NCPAINT = 0x0085;
inline constexpr unsigned WM_GETDLGCODE = 0x0087;
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_KEYUP = 0x0101;
inline constexpr unsigned WM_CHAR = 0x0102;
inline constexpr unsigned WM_SYSKEYDOWN = 0x0104;
inline constexpr unsigned WM_SYSKEYUP = 0x0105;
inline constexpr unsigned WM_COMMAND = 0x0111;
inline constexpr unsigned WM_TIMER = 0x0113;
inline constexpr unsigned WM_HSCROLL = 0x0114;
inline constexpr unsigned WM_VSCROLL = 0x0115;
inline constexpr unsigned WM_MOUSEMOVE = 0x0200;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
inline constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
inline constexpr unsigned WM_RBUTTONDOWN = 0x0204;
inline constexpr unsigned WM_RBUTTONUP = 0x0205;
inline constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
inline constexpr unsigned WM_MBUTTONDOWN = 0x0207;
inline constexpr unsigned WM_MBUTTONUP = 0x0208;
inline constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
inline constexpr unsigned WM_MOUSEWHEEL = 0x020A;
inline constexpr unsigned WM_USER = 0x0400;

// Toolkit notifications (the component layer's own range).
inline constexpr unsigned CM_BASE = 0xB000;
inline constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 3;
inline constexpr unsigned CM_FONTCHANGED = CM_BASE + 15;
inline constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
inline constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;

// List-box requests.
inline constexpr unsigned LB_ADDSTRING = 0x0180;
inline constexpr unsigned LB_INSERTSTRING = 0x0181;
inline constexpr unsigned LB_DELETESTRING = 0x0182;
inline constexpr unsigned LB_RESETCONTENT = 0x0184;
inline constexpr unsigned LB_SETCURSEL = 0x0186;
inline constexpr unsigned LB_GETCURSEL = 0x0188;
inline constexpr unsigned LB_GETCOUNT = 0x018B;
inline constexpr unsigned LB_GETTOPINDEX = 0x018E;
inline constexpr unsigned LB_SETTOPINDEX = 0x0197;

// Scroll request kinds (low word of WParam of WM_VSCROLL / WM_HSCROLL).
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_ENDSCROLL = 8;

// Hit-test answers.
inline constexpr int HTNOWHERE = 0;
inline constexpr int HTCLIENT = 1;
inline constexpr int HTCAPTION = 2;

// Dialog codes a control answers to WM_GETDLGCODE.
inline constexpr int DLGC_WANTARROWS = 0x0001;
inline constexpr int DLGC_WANTTAB = 0x0002;
inline constexpr int DLGC_WANTALLKEYS = 0x0004;
inline constexpr int DLGC_WANTCHARS = 0x0080;

inline bool IsMouseMessage(unsigned msg) { return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK; }

// Packing of pointer coordinates into LParam, signed 16 bits each.
inline std::intptr_t MakeLParam(int low, int high) {
    return std::intptr_t(std::uint32_t(std::uint16_t(low)) | (std::uint32_t(std::uint16_t(high)) << 16));
}
inline int LParamX(std::intptr_t lParam) { return std::int16_t(lParam & 0xFFFF); }
inline int LParamY(std::intptr_t lParam) { return std::int16_t((lParam >> 16) & 0xFFFF); }
inline int LowWord(std::intptr_t value) { return int(value & 0xFFFF); }
inline int HighWordSigned(std::intptr_t value) { return std::int16_t((value >> 16) & 0xFFFF); }
