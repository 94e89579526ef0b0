#include "grid/floatingfooter.h"

#include <algorithm>
#include <cctype>

#include "grid/extgrid.h"
#include "grid/support/htmlcanvas.h"
#include "platform/vcl/gfx/drawcontrols.h"

std::string ExpandFooterTemplate(const std::string& Template,
                                 const std::function<std::string(int Col)>& ColumnText) {
    std::string out;
    size_t at = 0;
    while (true) {
        const size_t tag = Template.find("<#", at);
        const size_t end = tag == std::string::npos ? tag : Template.find('>', tag + 2);
        if (tag == std::string::npos || end == std::string::npos) {
            out += Template.substr(at);
            return out;
        }
        out += Template.substr(at, tag - at);
        const std::string number = Template.substr(tag + 2, end - tag - 2);
        const bool valid = !number.empty() && number.size() < 9 &&
                           std::all_of(number.begin(), number.end(),
                                       [](unsigned char c) { return std::isdigit(c) != 0; });
        if (valid) out += ColumnText(std::stoi(number));
        at = end + 1;
    }
}

// --- the panel ---------------------------------------------------------------------

TFooterPanel::TFooterPanel(TExtStringGrid* AGrid) : TCustomControl(AGrid), FGrid(AGrid) {}

void TFooterPanel::Paint() {
    TCanvas& canvas = *Canvas();
    // The columns on show: the fixed ones, then from the left visible column on.
    int width = 0;
    for (int c = 0; c < FGrid->FixedCols(); ++c)
        width += FGrid->ColWidths(c);
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c)
        width += FGrid->ColWidths(c);
    width = std::min(width, ClientWidth());
    canvas.Brush()->SetColor(FGrid->FloatingFooter()->Color());
    canvas.FillRect({0, 0, width, ClientHeight()});
    canvas.Brush()->SetColor(FGrid->Color());
    canvas.FillRect({width, 0, ClientWidth(), ClientHeight()});
    if (FGrid->FloatingFooter()->FooterStyle() == fsFixedLastRow)
        PaintLastRow(canvas, width);
    else
        PaintPreview(canvas, width);
}

void TFooterPanel::PaintLastRow(TCanvas& Canvas, int Width) {
    const int row = FGrid->RowCount() - 1;
    const int h = ClientHeight();
    const bool classic = FGrid->Look() == glClassic && !FGrid->Flat();
    std::vector<int> cols;
    for (int c = 0; c < FGrid->FixedCols(); ++c)
        cols.push_back(c);
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c)
        cols.push_back(c);
    int x = 0;
    for (int c : cols) {
        if (x >= Width) break;
        int w = FGrid->ColWidths(c);
        if (!FGrid->IsBaseCell(c, row)) {
            x += w;
            continue;
        }
        const TPoint span = FGrid->GetCellSpan(c, row);
        for (int k = 1; k <= span.X && c + k < FGrid->ColCount(); ++k)
            w += FGrid->ColWidths(c + k);
        const TRect r{x, 0, x + w, h};
        const TColor own = FGrid->GetCellBackColor(FGrid->RealColIndex(c), row);
        if (own != clNone) {
            Canvas.Brush()->SetColor(own);
            Canvas.FillRect(r);
        }
        Canvas.Pen()->SetWidth(1);
        Canvas.Pen()->SetColor(clWhite);
        Canvas.MoveTo(r.Left, r.Top);
        Canvas.LineTo(r.Left, r.Bottom);
        if (classic) {
            Canvas.Pen()->SetColor(0x808080);
            if (FGrid->Options().Contains(goFixedVertLine)) {
                Canvas.MoveTo(r.Right - 1, r.Top);
                Canvas.LineTo(r.Right - 1, r.Bottom);
            }
            if (FGrid->Options().Contains(goFixedHorzLine)) {
                Canvas.MoveTo(r.Left, r.Bottom - 1);
                Canvas.LineTo(r.Right, r.Bottom - 1);
            }
        }
        FGrid->DrawFooterCell(Canvas, c, row, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
        x += w;
    }
}

void TFooterPanel::PaintPreview(TCanvas& Canvas, int Width) {
    const TFloatingFooter& f = *FGrid->FloatingFooter();
    const TRect area{0, 0, Width, ClientHeight()};
    Canvas.Brush()->SetColor(f.Color());
    Canvas.FrameRect(area);
    TRect edge = area;
    DrawEdge(Canvas, edge, BDR_RAISEDINNER, BF_RECT);
    TRect inner = area;
    InflateRect(inner, -1, -1);
    if (f.FooterStyle() == fsColumnPreview) {
        if (f.Column() >= 0 && f.Column() < FGrid->ColCount())
            FGrid->DrawFooterCell(Canvas, f.Column(), FGrid->Row(), inner);
        return;
    }
    const std::string text = ExpandFooterTemplate(f.CustomTemplate(), [this](int Col) {
        return Col >= 0 && Col < FGrid->StoredColCount() ? FGrid->Cells(Col, FGrid->Row())
                                                         : std::string();
    });
    THTMLRenderParams params;
    params.AnchorColor = FGrid->URLColor();
    params.WordWrap = !FGrid->EnhTextSize;
    THTMLRenderResult result;
    Canvas.Font()->Assign(FGrid->Font());
    Canvas.Brush()->SetStyle(bsClear);
    RenderHTML(Canvas, text, {inner.Left + 2, inner.Top, inner.Right - 2, inner.Bottom}, params,
               result);
    Canvas.Brush()->SetStyle(bsSolid);
}

// --- the settings ---------------------------------------------------------------------

TFloatingFooter::TFloatingFooter(TExtStringGrid* AGrid) : FGrid(AGrid) {}

int TFloatingFooter::FooterHeight() const {
    return FGrid->DefaultRowHeight();
}

void TFloatingFooter::PlacePanel() {
    if (!FPanel) return;
    const int h = FVisible ? FooterHeight() - 1 : 0;
    FPanel->SetBounds(0, std::max(0, FGrid->ClientHeight() - h), FGrid->ClientWidth(), h);
    FPanel->SetVisible(FVisible);
}

void TFloatingFooter::UpdateFlags() {
    const bool lastRow = FVisible && FFooterStyle == fsFixedLastRow;
    FGrid->FooterRow = lastRow;
    FGrid->SetFixedFooters(lastRow ? 1 : 0);
    FGrid->Invalidate();
    if (FPanel) FPanel->Invalidate();
}

void TFloatingFooter::SetVisible(bool Value) {
    FVisible = Value;
    if (Value && !FPanel) {
        FPanel = new TFooterPanel(FGrid); // the grid owns it as its component
        FPanel->SetParent(FGrid);
    }
    PlacePanel();
    UpdateFlags();
}

void TFloatingFooter::SetColor(TColor Value) {
    FColor = Value;
    if (FPanel) FPanel->Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value) {
    FFooterStyle = Value;
    UpdateFlags();
}

void TFloatingFooter::SetColumn(int Value) {
    FColumn = Value;
    if (FPanel) FPanel->Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const std::string& Value) {
    FCustomTemplate = Value;
    if (FPanel) FPanel->Invalidate();
}
