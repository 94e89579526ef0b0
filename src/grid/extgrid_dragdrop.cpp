// The grid as a drop target and drag source: text (cells separated by TAB,
// rows by CR LF), a dropped file and dragged columns come in from other
// windows and programs or from the grid itself; the selection's text or a
// column goes out. Arrows beside the grid show where a drop lands.
#include <algorithm>

#include "grid/delimitedtext.h"
#include "grid/extgrid.h"
#include "grid/support/gridaux.h"
#include "grid/support/gridtext.h"

// --- the target ------------------------------------------------------------------------------

class TGridDropTarget : public TXSGDropTarget {
public:
    explicit TGridDropTarget(TExtStringGrid* AGrid) : FGrid(AGrid) {}

protected:
    void DropText(const TPoint& Point, const std::string& Text) override {
        FGrid->DropTextAt(Point, Text);
    }
    void DropRTF(const TPoint& Point, const std::string& RTF) override {
        FGrid->DropTextAt(Point, RTF);
    }
    void DropCol(const TPoint& Point, int Column) override { FGrid->DropColAt(Point, Column); }
    void DropFiles(const TPoint& Point, const TStrings& Files) override {
        FGrid->DropFilesAt(Point, Files);
    }
    void DragMouseMove(const TPoint& Point, bool& Allow, TDragFormats Formats) override {
        FGrid->DragOverAt(Point, Allow, Formats);
    }
    void DragMouseLeave() override { FGrid->HideDropArrows(); }

private:
    TExtStringGrid* FGrid;
};

namespace {

// Rows of cells from dropped text, at most MaxRows rows; a quoted cell may
// hold line breaks.
std::vector<std::vector<std::string>> ParseCells(const std::string& Text, int MaxRows) {
    std::vector<std::vector<std::string>> rows;
    TDelimitedReader reader(Text.data(), Text.size(), '\t');
    std::vector<std::string> cells;
    std::vector<bool> quoted;
    while (static_cast<int>(rows.size()) < MaxRows && reader.Next(cells, quoted)) {
        // A quoted cell of several lines comes with bare line feeds.
        for (size_t i = 0; i < cells.size(); ++i)
            if (quoted[i]) cells[i] = ExpandLineFeeds(cells[i]);
        rows.push_back(cells);
    }
    return rows;
}

} // namespace

void TExtStringGrid::SetOleDropTarget(bool Value) {
    FDragDropSettings->OleDropTarget = Value;
    if (!Value) {
        RevokeDragDrop(*this);
        return;
    }
    if (!FDropTarget) FDropTarget = std::make_shared<TGridDropTarget>(this);
    FDropTarget->AcceptText = FDragDropSettings->OleAcceptText;
    FDropTarget->AcceptFiles = FDragDropSettings->OleAcceptFiles;
    FDropTarget->AcceptCols = FDragDropSettings->OleColumnDragDrop;
    RegisterDragDrop(*this, FDropTarget.get());
}

TArrowWindow* TExtStringGrid::DropArrow(int Index) {
    // Row arrow pointing right, column arrows pointing down and up.
    static constexpr int Directions[] = {2, 1, 0};
    if (!FDropArrows[Index]) FDropArrows[Index] = new TArrowWindow(this, Directions[Index]);
    return FDropArrows[Index];
}

void TExtStringGrid::HideDropArrows() {
    for (TArrowWindow* arrow : FDropArrows)
        if (arrow) arrow->Hide();
}

void TExtStringGrid::DragOverAt(const TPoint& Point, bool& Allow, TDragFormats Formats) {
    const int b = BorderOffset();
    const TGridCoord at = MouseCoord(Point.X - b, Point.Y - b);
    Allow = at.X >= 0 && at.Y >= 0;
    const bool column = Formats.Contains(dfColumn);
    const int fixedRows = TBaseGrid::FixedRows(), fixedCols = TBaseGrid::FixedCols();
    if (Allow && !column) {
        // Near the top or bottom edge the grid scrolls a row to show more.
        if (at.Y == TopRow() && TopRow() > fixedRows)
            SetTopRow(TopRow() - 1);
        else if (at.Y >= TopRow() + VisibleRowCount() && TopRow() < MaxTopRow())
            SetTopRow(TopRow() + 1);
    }
    if (Allow) {
        if (column)
            Allow = at.Y < fixedRows && at.X >= fixedCols;
        else
            Allow = at.Y >= fixedRows || (FixedRowAlways && RowCount() == 1 && at.Y == 0);
    }
    if (OnOleDragOver) OnOleDragOver(this, at.Y, at.X, Allow);
    HideDropArrows();
    if (!Allow) return;
    if (column) {
        const TRect r = CellRect(at.X, at.Y);
        const TPoint top = ClientToScreen({r.Right + b, r.Top + b});
        const TPoint bottom = ClientToScreen({r.Right + b, r.Bottom + b});
        TArrowWindow* down = DropArrow(1);
        TArrowWindow* up = DropArrow(2);
        down->SetBounds(top.X - down->Width() / 2, top.Y - 8, down->Width(), down->Height());
        up->SetBounds(bottom.X - up->Width() / 2, bottom.Y, up->Width(), up->Height());
        down->Show();
        up->Show();
        return;
    }
    const TRect r = CellRect(FDragDropSettings->OleEntireRows ? fixedCols : at.X, at.Y);
    const TPoint left = ClientToScreen({r.Left + b, (r.Top + r.Bottom) / 2 + b});
    TArrowWindow* arrow = DropArrow(0);
    arrow->SetBounds(left.X - 10 - arrow->Width() / 2, left.Y - arrow->Height() / 2, arrow->Width(),
                     arrow->Height());
    arrow->Show();
}

void TExtStringGrid::DropTextAt(const TPoint& Point, const std::string& Text) {
    const int b = BorderOffset();
    const TGridCoord at = MouseCoord(Point.X - b, Point.Y - b);
    HideDropArrows();
    if (at.X < 0 || at.Y < 0) return;
    const int fixedCols = TBaseGrid::FixedCols(), fixedRows = TBaseGrid::FixedRows();
    int col = at.X, row = at.Y;
    if (Options().Contains(goRowSelect)) col = FDragDropSettings->OleEntireRows ? 0 : fixedCols;
    // What lies beyond the limits is left out: a huge drop stays a bounded one.
    const std::string text = Text.size() > MaxDropText ? Text.substr(0, MaxDropText) : Text;
    bool allow = true;
    if (OnOleDrop) OnOleDrop(this, row, col, text, allow);
    if (!allow) return;
    const auto cells = ParseCells(text, MaxDropRows);
    const int height = static_cast<int>(cells.size());
    if (height == 0) return;
    int width = 0;
    for (const auto& r : cells)
        width = std::max(width, static_cast<int>(r.size()));
    if (FixedRowAlways && RowCount() == 1 && row == 0) row = 1;
    if (FDragDropSettings->OleInsertRows) {
        if (FDragSourceRect.Top >= 0 && FDragDropSettings->OleRemoveRows &&
            row <= FDragSourceRect.Top) {
            // The rows dragged out of this grid move down with the insertion,
            // so that removing them afterwards removes the right ones.
            FDragSourceRect.Top += height;
            FDragSourceRect.Bottom += height;
        }
        const int top = TopRow();
        InsertRows(std::min(row, RowCount() - FFixedFooters), height);
        SetTopRow(std::clamp(top, fixedRows, MaxTopRow()));
    }
    col = std::max(col, fixedCols);
    const int lastRow = std::min(row + height - 1, LastNormalRow());
    const int lastCol = std::min(col + width - 1, ColCount() - 1);
    if (lastRow < row || lastCol < col) return;
    BeginGridUpdate();
    for (int r = row; r <= lastRow; ++r) {
        const auto& line = cells[static_cast<size_t>(r - row)];
        for (int c = col; c <= lastCol && c - col < static_cast<int>(line.size()); ++c)
            SetCells(RealColIndex(c), r, line[static_cast<size_t>(c - col)]);
    }
    EndGridUpdate();
    const TGridRect rect{col, row, lastCol, lastRow};
    SetSelection(rect);
    CellsChanged(TRect{col, row, lastCol, lastRow});
    if (OnOleDropped) OnOleDropped(this, rect);
}

void TExtStringGrid::DropFilesAt(const TPoint& Point, const TStrings& Files) {
    HideDropArrows();
    // One file only: a drop of many is no file to take.
    if (Files.Count() != 1) return;
    const int b = BorderOffset();
    const TGridCoord at = MouseCoord(Point.X - b, Point.Y - b);
    const std::string name = Files.Get(0);
    bool allow = true;
    if (OnOleDropFile) OnOleDropFile(this, at.Y, at.X, name, allow);
    if (!allow) return;
    const std::string upper = UpperCase(name);
    const bool csv = upper.find(".CSV") != std::string::npos;
    if (!csv && upper.find(".XLS") == std::string::npos) return;
    if (OnOleDrop) OnOleDrop(this, at.Y, at.X, name, allow);
    if (!allow) return;
    // A file that cannot be read (or a spreadsheet without the program that
    // converts it) leaves the grid as it was: the drop simply does not take.
    try {
        if (csv)
            LoadFromCSV(name);
        else
            LoadFromXLS(name);
    } catch (const Exception&) {
    }
}

void TExtStringGrid::DropColAt(const TPoint& Point, int Column) {
    HideDropArrows();
    const int b = BorderOffset();
    const TGridCoord at = MouseCoord(Point.X - b, Point.Y - b);
    if (OnOleDropCol) OnOleDropCol(this, at.Y, at.X, Column);
}

// --- the source --------------------------------------------------------------------------------

long TExtStringGrid::RunOleDrag(const TSourceDataObject& Data, int AllowedEffects, int& Effect) {
    return ControlDragRunner(*this)(Data, AllowedEffects, Effect);
}

int TExtStringGrid::StartOleDrag(int ACol, int ARow) {
    const bool column = ARow < TBaseGrid::FixedRows() && FDragDropSettings->OleColumnDragDrop;
    const TGridRect sel = Selection();
    std::string text;
    if (!column) GetSelectionAsText(text);
    bool allow = true;
    if (OnOleDrag) OnOleDrag(this, ARow, ACol, text, allow);
    if (!allow) return DROPEFFECT_NONE;
    if (OnOleDragStart) OnOleDragStart(this, ARow, ACol);
    FDragSourceRect = sel;
    const TSourceDataObject data(text, column ? RealColIndex(ACol) : -1, "");
    const int allowed = FDragDropSettings->OleCopyAlways || column
                            ? DROPEFFECT_COPY
                            : DROPEFFECT_COPY | DROPEFFECT_MOVE;
    int effect = DROPEFFECT_NONE;
    RunOleDrag(data, allowed, effect);
    if (!column && effect == DROPEFFECT_MOVE) {
        const TGridRect moved = FDragSourceRect;
        const bool wholeRows = Options().Contains(goRowSelect) || FDragDropSettings->OleEntireRows;
        if (FDragDropSettings->OleRemoveRows && wholeRows)
            RemoveRows(moved.Top, moved.Bottom - moved.Top + 1);
        else
            ClearRect(RealColIndex(moved.Left), moved.Top, RealColIndex(moved.Right), moved.Bottom);
    }
    FDragSourceRect = {-1, -1, -1, -1};
    if (OnOleDragStop) OnOleDragStop(this, effect);
    return effect;
}

void TExtStringGrid::MouseMove(TShiftState Shift, int X, int Y) {
    if (FOleDragArmed &&
        (std::abs(X - FMouseDownPoint.X) > 3 || std::abs(Y - FMouseDownPoint.Y) > 3)) {
        FOleDragArmed = false;
        const TGridCoord at = MouseCoord(FMouseDownPoint.X, FMouseDownPoint.Y);
        StartOleDrag(at.X, at.Y);
        return;
    }
    if (FOwnSizingCol >= 0) {
        FOwnSizingX = X;
        Invalidate();
        SizingHintMove(Shift, X, Y);
        return;
    }
    TBaseGrid::MouseMove(Shift, X, Y);
    SizingHintMove(Shift, X, Y);
}
