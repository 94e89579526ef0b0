#pragma once
// The cell model of the base grid: per-cell property records kept in the string
// grid's object slots, merged cells addressed through their base cell, the
// screen rectangles of merged ranges, and the current cell stepping out of a
// merged range. The string grid underneath is reached through the primitives
// at the top, which the base grid implements on the platform's string grid.

#include <functional>
#include <string>

#include "grid/support/cellprops.h"

using TGetDisplTextEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;

class TBaseGridCells {
public:
    TBaseGridCells() = default;
    TBaseGridCells(const TBaseGridCells&) = delete;
    TBaseGridCells& operator=(const TBaseGridCells&) = delete;
    // The owner frees the records (FreeAllCellProperties) while it still has its cells.
    virtual ~TBaseGridCells() = default;

    // --- the string grid underneath ---
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    // Columns of the store: a grid that keeps columns out of view (hidden
    // columns) keeps their cells, and their records, beyond ColCount.
    virtual int StoredColCount() const { return ColCount(); }
    virtual std::string GetRawCell(int ACol, int ARow) const = 0;
    virtual void SetRawCell(int ACol, int ARow, const std::string& Value) = 0;
    virtual TObject* GetRawObject(int ACol, int ARow) const = 0;
    virtual void SetRawObject(int ACol, int ARow, TObject* AObject) = 0;
    virtual int ColWidth(int ACol) const = 0;
    virtual int RowHeight(int ARow) const = 0;
    virtual int FixedCols() const = 0;
    virtual int FixedRows() const = 0;
    virtual int LeftCol() const = 0;
    virtual int TopRow() const = 0;
    virtual int VisibleRowCount() const = 0;
    // The string grid's own rectangle of a cell (visible cells).
    virtual TRect InheritedCellRect(int ACol, int ARow) const = 0;
    virtual int CurrentCol() const = 0;
    virtual int CurrentRow() const = 0;
    virtual void SetCurrentCell(int ACol, int ARow) = 0;
    virtual void InvalidateCellArea(const TRect& R) {}
    virtual bool HasParentWindow() const { return true; }
    virtual TObject* Self() { return nullptr; } // the Sender of events

    // --- hooks ---
    virtual void GetDisplText(int ACol, int ARow, std::string& Value);
    virtual void UpdateFooter() {}

    TGetDisplTextEvent OnGetDisplText;
    int DisplTextRowLimit = 0; // the hook fires for base rows below it
    bool FooterRow = false;    // the last row shows the floating footer

    // --- texts ---
    std::string GetCellText(int ACol, int ARow);
    void SetCellText(int ACol, int ARow, const std::string& Value);

    // --- records ---
    bool HasCellProperties(int ACol, int ARow) const;
    TCellProperties* FindCellProperties(int ACol, int ARow) const; // nullptr when none
    TCellProperties* GetCellProperties(int ACol, int ARow);        // made when missing
    // Frees the record held unless it is AObject itself.
    void SetCellProperties(int ACol, int ARow, TCellProperties* AObject);
    TObject* GetCellObject(int ACol, int ARow) const;
    void SetCellObject(int ACol, int ARow, TObject* AObject);
    TObject* GetGraphicObject(int ACol, int ARow) const;
    void SetGraphicObject(int ACol, int ARow, TObject* AObject);
    // Frees the records of the rectangle; a merged range reaching into it is
    // split first, so no covered cell is left pointing at a freed base cell.
    void FreeCellPropertiesRect(int Col1, int Row1, int Col2, int Row2);
    void FreeAllCellProperties();
    // How many records of this grid exist (in the grid or held elsewhere for
    // it); moving rows has no record to renumber when there are none.
    int CellPropertiesCount() const { return FRecordCount; }
    // How many of them hold a control placed in the cell.
    int CellControlCount() const { return FControlCount; }

    // --- merged cells ---
    TPoint GetBaseCell(int ACol, int ARow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    bool CheckBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsXMerged(int ACol, int ARow) const;
    bool IsYMerged(int ACol, int ARow) const;
    TPoint GetCellSpan(int ACol, int ARow) const;
    // False (nothing changed) for a range not wholly inside the grid or of no
    // cells; merged ranges it overlaps are split first.
    virtual bool MergeCells(int ACol, int ARow, int ColumnCount, int RowCount);
    virtual void SplitCells(int ACol, int ARow);
    // True when the rows lie in one vertical merge in every column where both
    // lie in vertical merges, and there is at least one such column.
    bool RowsInSameMerge(int ARow1, int ARow2) const;

    // --- geometry ---
    TRect MergedCellRect(int ACol, int ARow) const;
    TPoint GetCellSize(int ACol, int ARow) const;
    void RepaintCell(int ACol, int ARow);

    // --- the current cell ---
    void FocusBaseCell();
    // Before the string grid's own one-cell move for Key: Right and Down go to
    // the last column or row of the merged range (so the move leaves it), Left
    // and Up to its base column or row; Page Down keeps the footer row free.
    void StepOutOfMerge(unsigned short Key);

    // Text emptied and record freed, for one cell, a row or a column; merged
    // ranges they touch are split first.
    void ClearCell(int ACol, int ARow);
    void ClearRow(int ARow);
    void ClearCol(int ACol);

private:
    friend class TCellProperties;
    int FRecordCount = 0;
    int FControlCount = 0;
    TRect SizeSummingRect(int ACol, int ARow) const;
    bool InGrid(int ACol, int ARow) const {
        return ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount();
    }
};
