// Scrolling by whole cells: the thumbs on the window's scroll bars over 0..127,
// the scroll messages, and invalidating what is shown of cells.
#include "platform/vcl/grids/gridaxis.h"

#include <algorithm>

#include "platform/vcl/scrollbars.h"

namespace {

constexpr WORD SB_TOP_CODE = 6;
constexpr WORD SB_BOTTOM_CODE = 7;

} // namespace

// --- scroll bars --------------------------------------------------------------------

int TCustomGrid::VertScrollPos() const {
    return VertAxis().ThumbPos();
}

int TCustomGrid::HorzScrollPos() const {
    return HorzAxis().ThumbPos();
}

void TCustomGrid::UpdateScrollBars() {
    // Showing a bar resizes the client area, and what that sets off (a
    // column fitted to the room) may change the cells' sizes: the bars are
    // decided again after, so that none stays for sizes that are gone. A bar
    // that takes away its own cause settles within a few rounds.
    if (FUpdatingScrollBars) {
        FScrollBarsAgain = true;
        return;
    }
    for (int round = 0; round < 3; ++round) {
        FScrollBarsAgain = false;
        DecideScrollBars();
        if (!FScrollBarsAgain) break;
    }
}

void TCustomGrid::DecideScrollBars() {
    FUpdatingScrollBars = true;
    const TGridCoord before = FTopLeft;
    const bool wantV = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool wantH = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    // A bar is needed when not every cell fits; one bar takes room from the
    // other direction, so decide twice.
    FVertShown = FHorzShown = false;
    for (int round = 0; round < 2; ++round) {
        FVertShown = wantV && VertAxis().MaxFirst() > FFixedRows;
        FHorzShown = wantH && HorzAxis().MaxFirst() > FFixedCols;
    }
    // Growing room leaves no empty space below or right of the last cell.
    const int maxTop = MaxTopRow(), maxLeft = MaxLeftCol();
    if (FTopLeft.Y > maxTop || FTopLeft.X > maxLeft)
        FTopLeft = {std::min(FTopLeft.X, maxLeft), std::min(FTopLeft.Y, maxTop)};
    FUpdatingScrollBars = false;
    SyncScrollBars();
    if (!(FTopLeft == before)) {
        InvalidateGrid();
        TopLeftChanged();
    }
}

void TCustomGrid::SyncScrollBars() {
    // The thumb runs over 0..127 without a page, whatever the count of cells.
    const bool saved = FUpdatingScrollBars;
    FUpdatingScrollBars = true; // showing a bar resizes the client area
    for (const int bar : {SB_VERT, SB_HORZ}) {
        TScrollInfo info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = GridScrollRange;
        info.nPage = 0;
        info.nPos = bar == SB_VERT ? VertScrollPos() : HorzScrollPos();
        SetScrollInfo(this, bar, info, true);
        ShowScrollBar(this, bar, bar == SB_VERT ? FVertShown : FHorzShown);
    }
    FUpdatingScrollBars = saved;
}

void TCustomGrid::WMVScroll(TMessage& Message) {
    ScrollTo(true, Message.WParamLo(), Message.WParamHi());
}

void TCustomGrid::WMHScroll(TMessage& Message) {
    ScrollTo(false, Message.WParamLo(), Message.WParamHi());
}

void TCustomGrid::ScrollTo(bool Vertical, WORD Code, int ThumbPos) {
    const TAxis a = Vertical ? VertAxis() : HorzAxis();
    int first = a.First;
    const int page = std::max(1, a.FullVisible());
    switch (Code) {
    case SB_LINEUP:
        --first;
        break;
    case SB_LINEDOWN:
        ++first;
        break;
    case SB_PAGEUP:
        first -= page;
        break;
    case SB_PAGEDOWN:
        first += page;
        break;
    case SB_THUMBPOSITION:
        first = a.FirstFromThumb(ThumbPos);
        break;
    case SB_THUMBTRACK:
        if (!FOptions.Contains(goThumbTracking)) return;
        first = a.FirstFromThumb(ThumbPos);
        break;
    case SB_TOP_CODE:
        first = a.Fixed;
        break;
    case SB_BOTTOM_CODE:
        first = a.MaxFirst();
        break;
    default:
        return;
    }
    first = std::clamp(first, a.Fixed, a.MaxFirst());
    if (Vertical)
        MoveTopLeft(FTopLeft.X, first);
    else
        MoveTopLeft(first, FTopLeft.Y);
}

// --- invalidation --------------------------------------------------------------------

void TCustomGrid::InvalidateClientRect(const TRect& R) {
    if (IsRectEmpty(R)) return;
    const int b = BorderOffset();
    InvalidateRect(Rect(R.Left + b, R.Top + b, R.Right + b, R.Bottom + b));
}

void TCustomGrid::InvalidateGrid() {
    Invalidate();
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
    InvalidateGridRect({ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateRow(int ARow) {
    InvalidateGridRect({0, ARow, FColCount - 1, ARow});
}

void TCustomGrid::InvalidateCol(int ACol) {
    InvalidateGridRect({ACol, 0, ACol, FRowCount - 1});
}

void TCustomGrid::InvalidateGridRect(const TGridRect& R) {
    // A grid not on screen is painted whole when it shows: nothing to mark,
    // so filling a hidden grid of many cells does no arithmetic per cell.
    if (!FWndCreated || !Showing()) return;
    // The union of the shown cells of R, with their grid lines.
    const TAxis h = HorzAxis(), v = VertAxis();
    auto span = [](const TAxis& A, int From, int To, int& Lo, int& Hi) {
        Lo = -1;
        Hi = -1;
        From = std::max(From, 0);
        To = std::min(To, A.Count - 1);
        for (int i = From; i <= To; ++i) {
            if (i >= A.Fixed && i < A.First) {
                i = A.First - 1;
                continue;
            }
            const int s = A.Start(i);
            if (s < 0) {
                if (i >= A.First) break;
                continue;
            }
            if (Lo < 0) Lo = s;
            Hi = s + A.Size(i) + A.Line;
        }
    };
    int x0, x1, y0, y1;
    span(h, R.Left, R.Right, x0, x1);
    span(v, R.Top, R.Bottom, y0, y1);
    if (x0 < 0 || y0 < 0) return;
    InvalidateClientRect(Rect(x0, y0, x1, y1));
}
