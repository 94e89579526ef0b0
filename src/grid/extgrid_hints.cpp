// Cell hints: which text the hint of the cell under the mouse shows and
// where, and the window that shows tagged hint text.

#include <algorithm>

#include "grid/extgrid.h"
#include "grid/htmlhint.h"
#include "grid/support/gridvalues.h"
#include "grid/support/htmlcanvas.h"
#include "grid/support/htmlsupport.h"
#include "platform/vcl/messages.h"

// --- the hint window --------------------------------------------------------------

TRect HintWindowBounds(const TPoint& Pos, const TSize& Text, int ScreenWidth, int ScreenHeight) {
    const int w = Text.cx + 16, h = Text.cy + 4;
    int x = Pos.X, y = Pos.Y;
    if (x + w > ScreenWidth - 2) x = ScreenWidth - 2 - w;
    if (y + h > ScreenHeight - 2) y = ScreenHeight - 2 - h;
    return {x, y, x + w, y + h};
}

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner, TImageList* Images)
    : THintWindow(AOwner), FImages(Images) {}

TSize THTMLHintWindow::Measure(const std::string& AHint, int Width) {
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(Font());
    THTMLRenderParams params;
    params.MeasureOnly = true;
    params.WordWrap = true;
    THTMLRenderResult result;
    RenderHTML(canvas, AHint, {0, 0, std::max(1, Width), 4096}, params, result);
    return {result.TextWidth, result.TextHeight};
}

void THTMLHintWindow::ActivateHint(const TRect& Rect, const std::string& AHint) {
    FHint = AHint;
    SetText(AHint);
    FTextSize = Measure(AHint, 1008);
    const TRect r =
        HintWindowBounds({Rect.Left, Rect.Top}, FTextSize, Screen->Width(), Screen->Height());
    THintWindow::ActivateHint(r, AHint);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    Invalidate();
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void*) {
    const TSize s = Measure(AHint, MaxWidth > 0 ? MaxWidth : 1008);
    return {0, 0, s.cx, s.cy};
}

void THTMLHintWindow::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect r = ClientRect();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    TExtStringGrid::DrawBevel(canvas, r, cl3DLight, cl3DDkShadow);
    const int top = (r.Height() - FTextSize.cy) / 2;
    THTMLRenderParams params;
    params.WordWrap = true;
    THTMLRenderResult result;
    canvas.Font()->Assign(Font());
    canvas.Brush()->SetStyle(bsClear);
    RenderHTML(canvas, FHint, {r.Left + 4, top, r.Right - 4, top + FTextSize.cy + 8}, params,
               result);
    canvas.Brush()->SetStyle(bsSolid);
}

// --- the grid's hint -------------------------------------------------------------------

void TExtStringGrid::CellHint(THintInfo& Info) {
    Info.HintColor = HintColor;
    const TGridCoord cell = MouseCoord(Info.CursorPos.X, Info.CursorPos.Y);
    if (cell.X < 0 || cell.Y < 0 || cell.X >= ColCount() || cell.Y >= RowCount()) return;
    int col = cell.X, row = cell.Y;
    CheckBaseCell(cell.X, cell.Y, col, row);
    FHintCol = col;
    FHintRow = row;
    const TRect r = MergedCellRect(col, row);
    const int c = RealColIndex(col);
    const std::string raw = ReadCell(c, row);
    TPoint pos{r.Left, r.Bottom + 6};
    if (AnchorHint && CellContentKind(raw, EnableHTML) == cckHTML) {
        TCanvas& canvas = *Canvas();
        canvas.Font()->Assign(Font());
        THTMLRenderParams params;
        params.TestOnly = true;
        params.PointX = Info.CursorPos.X;
        params.PointY = Info.CursorPos.Y;
        params.WordWrap = FWordWrap;
        THTMLRenderResult result;
        const TRect text{r.Left + XYOffset.X, r.Top + XYOffset.Y, r.Right - XYOffset.X, r.Bottom};
        if (RenderHTML(canvas, raw, text, params, result) && !result.AnchorHref.empty()) {
            std::string anchor = result.AnchorHref;
            if (OnAnchorHint) OnAnchorHint(this, row, c, anchor);
            Info.HintStr = anchor;
        }
    }
    const TCellGraphic* g = GetCellGraphic(c, row);
    if (g && g->CellType == ctComment) {
        Info.HintStr = g->CellText;
        pos = {r.Right, r.Top};
    }
    auto cellText = [&] { return HTMLHint ? raw : StripHTML(GetDisplayCellText(c, row)); };
    const bool normal = col >= FixedCols() && row >= FixedRows() && !IsFixed(col, row);
    if (HintShowCells && normal) {
        Info.HintStr = cellText();
        pos = {r.Left, r.Top};
    }
    if (HintShowLargeText && GetCellContentSize(c, row, false).X > r.Width()) {
        Info.HintStr = cellText();
        pos = {r.Left, r.Top};
    }
    GetGridHint(c, row, Info.HintStr);
    Info.HintPos = ClientToScreen(pos);
    Info.CursorRect = r;
    TImageList* images = FGridImages;
    Info.HintWindowClass = [images] { return std::make_unique<THTMLHintWindow>(nullptr, images); };
}

void TExtStringGrid::CMHintShow(TMessage& Message) {
    if (Message.LParam) CellHint(*reinterpret_cast<THintInfo*>(Message.LParam));
    Message.Result = 0;
}

// --- following the form's size -----------------------------------------------------------

namespace {

TCustomForm* ParentFormOf(TControl* Control) {
    for (TWinControl* p = Control->Parent(); p; p = p->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(p)) return form;
    return nullptr;
}

} // namespace

void TExtStringGrid::SetSizeWithForm(bool Value) {
    FSizeWithForm = Value;
    TCustomForm* form = ParentFormOf(this);
    if (!Value || !form || Designing()) return;
    FFormSize = {form->ClientWidth(), form->ClientHeight()};
    if (FFormHooked == form) return;
    FFormHooked = form;
    // The form's own handler runs first; the grid follows while it lives.
    std::weak_ptr<TExtStringGrid*> alive = FAlive;
    TNotifyEvent previous = form->OnResize;
    form->OnResize = [alive, previous](TObject* Sender) {
        if (previous) previous(Sender);
        if (const auto grid = alive.lock()) (*grid)->FollowFormSize();
    };
}

void TExtStringGrid::FollowFormSize() {
    TCustomForm* form = ParentFormOf(this);
    if (!FSizeWithForm || !form || Designing()) return;
    const TPoint now{form->ClientWidth(), form->ClientHeight()};
    const int w = Width() + now.X - FFormSize.X, h = Height() + now.Y - FFormSize.Y;
    if (w > 0 && h > 0) {
        SetBounds(Left(), Top(), w, h);
        FFormSize = now;
        if (OnResize) OnResize(this);
        StretchColumn(FColumnSize->StretchColumn);
    }
}
