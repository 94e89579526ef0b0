#pragma once
// The scroll bars of a windowed control and the system metrics. The bars sit
// at the right and bottom edge, outside the client area; they only report:
// a click or drag arrives as WM_HSCROLL / WM_VSCROLL (SB_ code in the low word,
// the thumb position in the high word for SB_THUMBTRACK and SB_THUMBPOSITION)
// and the control moves the thumb itself with SetScrollPos or SetScrollInfo,
// as on the platform.

#include "platform/rtl/types.h"
#include "platform/vcl/gfx/colors.h"
#include "platform/vcl/wndtarget.h"

constexpr int SB_HORZ = 0, SB_VERT = 1, SB_BOTH = 3;
constexpr unsigned SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_DISABLENOSCROLL = 0x8,
                   SIF_TRACKPOS = 0x10, SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct TScrollInfo {
    unsigned cbSize = sizeof(TScrollInfo);
    unsigned fMask = 0;
    int nMin = 0;
    int nMax = 0;
    unsigned nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// The highest position is nMax - (nPage - 1) when a page is set. Answers the
// new position.
int SetScrollInfo(HWND Wnd, int Bar, const TScrollInfo& Info, bool Redraw);
bool GetScrollInfo(HWND Wnd, int Bar, TScrollInfo& Info);
int SetScrollPos(HWND Wnd, int Bar, int Pos, bool Redraw); // answers the old position
int GetScrollPos(HWND Wnd, int Bar);
bool SetScrollRange(HWND Wnd, int Bar, int Min, int Max, bool Redraw);
bool GetScrollRange(HWND Wnd, int Bar, int& Min, int& Max);
bool ShowScrollBar(HWND Wnd, int Bar, bool Show);
// Moves the client pixels (and child controls) by the amounts; what comes into
// view is invalidated. Rect limits the moved part (nullptr: all of it).
bool ScrollWindow(HWND Wnd, int XAmount, int YAmount, const TRect* Rect, const TRect* ClipRect);

// System metrics, with the classic fixed values (screen sizes from the screen).
constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3,
              SM_CYCAPTION = 4, SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXDLGFRAME = 7,
              SM_CYDLGFRAME = 8, SM_CYVTHUMB = 9, SM_CXHTHUMB = 10, SM_CXICON = 11, SM_CYICON = 12,
              SM_CXCURSOR = 13, SM_CYCURSOR = 14, SM_CYMENU = 15, SM_MOUSEPRESENT = 19,
              SM_CYVSCROLL = 20, SM_CXHSCROLL = 21, SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37,
              SM_CXEDGE = 45, SM_CYEDGE = 46, SM_CXDRAG = 68, SM_CYDRAG = 69,
              SM_MOUSEWHEELPRESENT = 75;
int GetSystemMetrics(int Index);

// The look of a control's two bars, as flat scroll bars give it: the
// desktop's, flat, or flat with a rounded thumb that lights up under the
// mouse. Color is the track's (clNone: a light grey). False for a control
// without bars of its own.
enum TScrollBarLook { sblNormal, sblFlat, sblEncarta };
bool SetScrollBarLook(HWND Wnd, TScrollBarLook Look, TColor Color);
