#pragma once
// The string grid on which the advanced grids stand: per-cell property
// records, merged cells, its own cell frame and grid lines, a text-read hook
// and an optional change recorder.

#include <string>

#include "grid/support/gridcells.h"
#include "grid/support/undoredo.h"
#include "platform/vcl/grids/grids.h"

class TBaseGrid : public TStringGrid, public TBaseGridCells {
public:
    explicit TBaseGrid(TComponent* AOwner);
    ~TBaseGrid() override;
    std::string ClassName() const override { return "TBaseGrid"; }

    // Stored and answered only: the string grid's own default drawing stays off.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    // The lines this grid draws itself; the string grid's own lines stay 0 wide.
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TExtGridUndoRedo* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(TExtGridUndoRedo* Value);
    int PaintCount() const { return FPaintCount; }
    // Right-to-left drawing on the grid's canvas.
    void SetCanvasMirroring(bool Flag);

    // --- the string grid underneath, for the cell model ---
    int ColCount() const override { return TStringGrid::ColCount(); }
    int RowCount() const override { return TStringGrid::RowCount(); }
    std::string GetRawCell(int ACol, int ARow) const override { return Cells(ACol, ARow); }
    void SetRawCell(int ACol, int ARow, const std::string& Value) override {
        SetCells(ACol, ARow, Value);
    }
    TObject* GetRawObject(int ACol, int ARow) const override { return Objects(ACol, ARow); }
    void SetRawObject(int ACol, int ARow, TObject* AObject) override {
        SetObjects(ACol, ARow, AObject);
    }
    int ColWidth(int ACol) const override { return ColWidths(ACol); }
    int RowHeight(int ARow) const override { return RowHeights(ARow); }
    int FixedCols() const override { return TStringGrid::FixedCols(); }
    int FixedRows() const override { return TStringGrid::FixedRows(); }
    int LeftCol() const override { return TStringGrid::LeftCol(); }
    int TopRow() const override { return TStringGrid::TopRow(); }
    int VisibleRowCount() const override { return TStringGrid::VisibleRowCount(); }
    TRect InheritedCellRect(int ACol, int ARow) const override { return CellRect(ACol, ARow); }
    int CurrentCol() const override { return Col(); }
    int CurrentRow() const override { return Row(); }
    void SetCurrentCell(int ACol, int ARow) override;
    void InvalidateCellArea(const TRect& R) override { InvalidateClientRect(R); }
    bool HasParentWindow() const override { return Parent() != nullptr; }
    TObject* Self() override { return this; }

    // --- for the descendants ---
    virtual bool IsFixed(int ACol, int ARow) { return false; }
    virtual int GetNodeIndent(int ARow) { return 0; }
    virtual bool HasNodes() { return false; }
    // The inside of a cell: its text centred on one line.
    virtual void DrawGridCell(TCanvas& Canvas, int ACol, int ARow, TRect ARect,
                              TGridDrawState AState);
    // Sets the canvas brush and font of a cell; a gradient end colour in
    // ColorTo (clNone for none).
    virtual void GetCellDrawColors(int ACol, int ARow, TFont* AFont, TBrush* ABrush, bool MapColumn,
                                   bool Normal, bool Printing, TGridDrawState& AState,
                                   TAlignment& HAlign, TVAlignment& VAlign, TColor& ColorTo) {}

protected:
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void RowsMoved(int FromIndex, int Count, int ToIndex) override;
    void RowsReordered(const std::vector<int>& Order) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Records of the rows From .. To - 1 learn their new row.
    void RenumberRecords(int FromRow, int ToRow);
    void DrawBaseCell(int ACol, int ARow, TGridDrawState AState);
    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = 0xC0C0C0;
    TExtGridUndoRedo* FUndoRedo = nullptr; // not owned
    int FPaintCount = 0;
};
