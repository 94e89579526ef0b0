// The grid's scroll bars as the user drags them: the hint naming the column
// or row under the thumb, the view following the thumb at once, and thumbs
// in proportion to what is shown. The string grid below keeps its thumbs on
// 0..127; a proportional bar runs in pixels and its position is turned back
// to 0..127 before the string grid reads it.
#include <algorithm>
#include <cmath>

#include "grid/extgrid.h"
#include "platform/vcl/scrollbars.h"
#include "platform/vcl/winapi.h"

namespace {

// Pixels of the scrolling part of an axis: all of it, up to the first shown
// cell, and what the client shows of it.
struct TExtent {
    int Total = 0, Before = 0, Page = 0;
};

template <typename SizeOf>
TExtent Measure(int Fixed, int Count, int First, int Client, SizeOf Size) {
    TExtent e;
    int fixed = 0;
    for (int i = 0; i < Fixed && i < Count; ++i)
        fixed += Size(i);
    for (int i = Fixed; i < Count; ++i) {
        const int s = Size(i);
        e.Total += s;
        if (i < First) e.Before += s;
    }
    e.Page = std::max(0, Client - fixed);
    return e;
}

} // namespace

void TExtStringGrid::SetScrollProportional(bool Value) {
    if (FScrollProportional == Value) return;
    FScrollProportional = Value;
    if (Value)
        UpdateProportionalScroll();
    else
        UpdateScrollBars(); // back to 0..127 without a page
}

void TExtStringGrid::UpdateProportionalScroll() {
    if (!FScrollProportional || HasState(csLoading) || Designing() || Destroying()) return;
    const TRect client = ClientRect();
    const TExtent extents[2] = {Measure(FixedCols(), ColCount(), LeftCol(), client.Width(),
                                        [this](int c) { return ColWidths(c) + GridLineWidth(); }),
                                Measure(FixedRows(), RowCount(), TopRow(), client.Height(),
                                        [this](int r) { return RowHeights(r) + GridLineWidth(); })};
    for (const int bar : {SB_HORZ, SB_VERT}) {
        const TExtent& e = extents[bar == SB_VERT ? 1 : 0];
        TScrollInfo info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = std::max(0, e.Total - 1);
        info.nPage = static_cast<unsigned>(std::min(e.Page, e.Total));
        // The last shown cell may stand at the edge before every pixel is
        // scrolled: the view's end is the bar's end.
        const bool atEnd = (bar == SB_VERT ? TopRow() >= MaxTopRow() : LeftCol() >= MaxLeftCol());
        info.nPos = atEnd ? std::max(0, e.Total - e.Page) : std::min(e.Before, e.Total - e.Page);
        info.nPos = std::max(0, info.nPos);
        TScrollInfo now;
        now.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (GetScrollInfo(this, bar, now) && now.nMin == info.nMin && now.nMax == info.nMax &&
            now.nPage == info.nPage && now.nPos == info.nPos)
            continue;
        SetScrollInfo(this, bar, info, true);
    }
}

void TExtStringGrid::WndProc(TMessage& Message) {
    TBaseGrid::WndProc(Message);
    // The string grid sets its 0..127 thumbs after every change of size,
    // cells or view; each change repaints, so the pixels follow after it.
    if (FScrollProportional && (Message.Msg == WM_PAINT || Message.Msg == WM_SIZE))
        UpdateProportionalScroll();
}

void TExtStringGrid::WMHScroll(TMessage& Message) {
    GridScroll(false, Message);
}

void TExtStringGrid::WMVScroll(TMessage& Message) {
    GridScroll(true, Message);
}

void TExtStringGrid::GridScroll(bool Vertical, TMessage& Message) {
    const WORD code = Message.WParamLo();
    int pos = Message.WParamHi();
    if (FScrollProportional && (code == SB_THUMBTRACK || code == SB_THUMBPOSITION)) {
        TScrollInfo info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        if (GetScrollInfo(this, Vertical ? SB_VERT : SB_HORZ, info)) {
            const int maxPos =
                std::max(1, info.nMax - std::max(0, static_cast<int>(info.nPage) - 1));
            pos = static_cast<int>(std::lround(std::clamp(pos, 0, maxPos) * 127.0 / maxPos));
            Message.WParam = (static_cast<WPARAM>(pos) << 16) | code;
        }
    }
    if (code == SB_THUMBTRACK) {
        TPoint mouse{0, 0};
        GetCursorPos(mouse);
        ShowScrollHint(Vertical, pos, mouse);
        if (ScrollSynch && !Options().Contains(goThumbTracking)) {
            const int fixed = Vertical ? FixedRows() : FixedCols();
            const int index = ThumbIndex(Vertical, pos);
            if (Vertical)
                SetTopRow(std::clamp(index, fixed, std::max(fixed, MaxTopRow())));
            else
                SetLeftCol(std::clamp(index, fixed, std::max(fixed, MaxLeftCol())));
        }
    } else if (code == SB_ENDSCROLL) {
        HideScrollHint();
    }
    if (Vertical)
        TBaseGrid::WMVScroll(Message);
    else
        TBaseGrid::WMHScroll(Message);
    UpdateProportionalScroll();
}
