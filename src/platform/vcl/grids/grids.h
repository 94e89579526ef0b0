#pragma once
// The grid controls: a custom grid of cells in columns and rows with fixed
// columns and rows at the top and left, the draw grid that hands every cell to
// an event, the string grid that keeps a text and an object per cell, and the
// in-place edit that edits a cell's text over the cell.
//
// Coordinates are client coordinates: the grid's border (two pixels with
// bsSingle) lies outside them, and the scroll bars are not part of the client
// area either. Every cell is followed by its grid line on the right and at the
// bottom. The grid scrolls by whole cells: LeftCol and TopRow are the first
// non-fixed column and row shown.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/mask.h"
#include "platform/vcl/scrollstyle.h"
#include "platform/vcl/stdctrls.h"

class TCustomGrid;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    TGridCoord TopLeft() const { return {Left, Top}; }
    TGridCoord BottomRight() const { return {Right, Bottom}; }
    bool Contains(int ACol, int ARow) const {
        return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
    }
    bool operator==(const TGridRect&) const = default;
};

inline TGridRect GridRect(TGridCoord A, TGridCoord B) {
    return {std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)};
}

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateFlag>;

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// The grid's border uses the form's bsNone and bsSingle.
using TBorderStyle = TFormBorderStyle;

// The thumb of a grid's scroll bar runs over 0..127 whatever the count of
// cells, so a thumb position p stands for the first cell
// p * (last first cell - fixed cells) / 127 + fixed cells.
constexpr int GridScrollRange = 127;
// Width of a vertical and height of a horizontal scroll bar (the layer's).
constexpr int GridScrollBarSize = 16;
// The timer (SetTimer on the grid) that keeps a selecting drag scrolling while
// the mouse stays past an edge, and its interval in milliseconds.
constexpr UINT_PTR GridScrollTimer = 0x6752;
constexpr unsigned GridScrollInterval = 60;

// Raised for a wrong count or index.
class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect,
                                          TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// The edit that the grid places over the current cell. Its text changes go to
// the grid at once (SetEditText); navigation keys go on to the grid.
class TInplaceEdit : public TCustomMaskEdit {
public:
    explicit TInplaceEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TInplaceEdit"; }

    TCustomGrid* Grid() const { return FGrid; }
    // Shows the edit over the grid's current cell and focuses it.
    void Move(const TRect& Loc);
    // Reads the current cell's text (and its length limit) from the grid.
    virtual void UpdateContents();
    // Follows the cell (after scrolling); hidden while the cell is out of view.
    void UpdateLoc(const TRect& Loc);
    void Deselect();
    // The cell whose text the edit holds.
    int EditCol() const { return FEditCol; }
    int EditRow() const { return FEditRow; }
    // EditMask: the cell's edit mask ("" = none), as the grid's GetEditMask
    // answers it; it shapes what can be typed and limits the length of the
    // text to the mask's character places.

protected:
    // Called after the edit took its place (and size).
    virtual void BoundsChanged();
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void Change() override;

private:
    friend class TCustomGrid;
    void SetGrid(TCustomGrid* Value) { FGrid = Value; }
    void SendToGrid(WORD& Key, TShiftState Shift);

    TCustomGrid* FGrid = nullptr;
    int FEditCol = -1, FEditRow = -1;
    bool FUpdating = false; // the edit's own contents update, no write-back
};

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;
    std::string ClassName() const override { return "TCustomGrid"; }

    // --- counts and sizes ---
    int ColCount() const { return FColCount; }
    void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    // Sum of the column widths and row heights with their grid lines.
    int GridWidth() const;
    int GridHeight() const;

    // --- position ---
    int Col() const { return FCurrent.X; }
    void SetCol(int Value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int Value);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& Value);
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int Value);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value);
    // Non-fixed columns and rows shown in full from LeftCol and TopRow.
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // The cell's rectangle in client coordinates; empty when it is not shown.
    TRect CellRect(int ACol, int ARow) const;
    // The cell under a client point; -1 for a coordinate outside the cells.
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    // Moves the current cell (through SelectCell) and shows it.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    TGridState GridState() const { return FGridState; }
    // The first TopRow/LeftCol with which the last row/column is in full view.
    int MaxTopRow() const;
    int MaxLeftCol() const;

    // --- editing ---
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    // --- invalidation ---
    virtual void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateGridRect(const TGridRect& R);
    using TControl::InvalidateRect;
    void InvalidateRect(const TGridRect& R) { InvalidateGridRect(R); }
    void InvalidateGrid();
    // Invalidates a rectangle given in client coordinates.
    void InvalidateClientRect(const TRect& R);

    // --- structure ---
    virtual void MoveColumn(int FromIndex, int ToIndex);
    virtual void MoveRow(int FromIndex, int ToIndex);
    virtual void DeleteColumn(int ACol);
    virtual void DeleteRow(int ARow);
    // Many rows in one pass, for grids of many rows (gridrows.cpp): the rows
    // FromIndex .. FromIndex + Count - 1 moved so that they start at ToIndex
    // (counted after the move), and the rows put in a new order (row i
    // becomes the row that was Order[i]; Order holds every row once). Sizes
    // and cells go with their rows; the current cell and the anchor keep
    // their indexes. Both raise EInvalidGridOperation and change nothing for
    // a range outside the rows or an order that is no permutation of them.
    void MoveRows(int FromIndex, int Count, int ToIndex);
    void ReorderRows(const std::vector<int>& Order);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The first parent makes the window (CreateWnd), losing it ends it (DestroyWnd).
    void SetParent(TWinControl* AParent) override;
    TRect ClientRect() const override;
    // Pixels between the widget's edge and the client area.
    int BorderOffset() const { return FBorderStyle == bsSingle ? 2 : 0; }
    bool VertScrollBarShown() const { return FVertShown; }
    bool HorzScrollBarShown() const { return FHorzShown; }
    // The thumb positions (0..127) of the scroll bars.
    int VertScrollPos() const;
    int HorzScrollPos() const;

    // One direction's arithmetic (gridaxis.h; for the grid's own sources).
    struct TAxis;

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;
    TMovedEvent OnColumnMoved, OnRowMoved;
    TGetEditEvent OnGetEditText, OnGetEditMask;
    TSetEditEvent OnSetEditText;

protected:
    // --- hooks ---
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {}
    virtual bool SelectCell(int ACol, int ARow);
    virtual bool CanEditShow();
    virtual bool CanEditModify() { return true; }
    virtual bool CanEditAcceptKey(char Key) { return true; }
    virtual std::string GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const std::string& Value);
    virtual std::string GetEditMask(int ACol, int ARow);
    virtual int GetEditLimit() { return 0; }
    virtual TInplaceEdit* CreateEditor();
    virtual void ShowEditor();
    virtual void ShowEditorChar(char Ch);
    virtual void HideEditor();
    // Puts the editor over the current cell with the cell's text.
    virtual void UpdateEditor();
    virtual void TopLeftChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // After MoveRows and ReorderRows moved the sizes.
    virtual void RowsMoved(int FromIndex, int Count, int ToIndex) {}
    virtual void RowsReordered(const std::vector<int>& Order) {}
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void SizeChanged(int OldColCount, int OldRowCount) {}
    // Whether the mouse at (X, Y) would size (or move) a row or column now,
    // and which; SizingPos is the line's place, SizingOfs the mouse's offset
    // to it.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                 int& SizingOfs);
    // CalcSizingState's answer alone.
    TGridState SizingStateAt(int X, int Y);
    // Where the last mouse message over the grid found the mouse (client).
    TPoint LastMousePoint() const { return FLastMousePoint; }
    virtual bool BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) {
        return true;
    }
    virtual bool BeginRowDrag(int& Origin, int& Destination, const TPoint& MousePt) { return true; }
    virtual bool EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) {
        return true;
    }
    virtual bool EndRowDrag(int& Origin, int& Destination, const TPoint& MousePt) { return true; }
    // Made once a parent is set (the window exists) and when it goes.
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual bool IsActiveControl() const;
    // Scrolls so that the cell is in view.
    void ClampInView(int ACol, int ARow);
    void Paint() override;
    // Default look of a cell's background and the focus frame (DefaultDrawing).
    virtual void DrawCellBackground(const TRect& ARect, TGridDrawState AState);
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void Loaded() override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void CMWantSpecialKey(TMessage& Message) override;
    virtual void WMHScroll(TMessage& Message);
    virtual void WMVScroll(TMessage& Message);
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMTimer(TMessage& Message) override;
    // The split cursors over a border that a press would size.
    void WMSetCursor(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    // A menu asked for by the keyboard opens under the current cell.
    void WMContextMenu(TMessage& Message) override;
    // Moves the current cell and the anchor (when asked) after SelectCell said yes.
    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void MoveAnchor(const TGridCoord& NewAnchor);
    void MoveTopLeft(int ALeft, int ATop);
    void UpdateScrollBars();
    void DecideScrollBars(); // one round of UpdateScrollBars
    // UpdateScrollBars after the top-left cell may have moved from OldTopLeft;
    // a move fires TopLeftChanged once.
    void SettleTopLeft(const TGridCoord& OldTopLeft);
    // The text of the cell that the editor shows (the string grid's cell text).
    void InvalidateEditor();
    TGridCoord FAnchor, FCurrent, FTopLeft;
    TGridState FGridState = gsNormal;

private:
    TPoint FLastMousePoint{-1, -1};
    friend class TInplaceEdit;
    // The window procedure's entry: mouse points from the widget into client
    // coordinates (the last one kept for the cursor), then WndProc.
    void ClientWndProc(TMessage& Message);
    TAxis HorzAxis() const;
    TAxis VertAxis() const;
    void ChangeSize(int NewColCount, int NewRowCount);
    void MoveLine(bool Rows, int FromIndex, int ToIndex);
    void SetFixed(bool Rows, int Value);
    void HideEdit(); // hides and writes nothing more
    void ScrollTo(bool Vertical, WORD Code, int ThumbPos);
    // Puts the thumb positions and the shown state on the window's scroll bars.
    void SyncScrollBars();
    void ApplySelectionChange(const TGridRect& OldSel);
    void KeyMove(WORD Key, TShiftState Shift);
    // A selecting drag at client point (X, Y): past an edge the next cell
    // beyond it is taken, which scrolls, and the timer keeps doing so.
    void DragSelect(int X, int Y);
    void StopScrollTimer();
    void TabMove(bool Backward);
    void EndDrag(int X, int Y, bool Cancel);
    int LineWidthH() const; // width of vertical grid lines
    int LineWidthV() const; // height of horizontal grid lines

    int FColCount = 5, FRowCount = 5;
    int FFixedCols = 1, FFixedRows = 1;
    int FDefaultColWidth = 64, FDefaultRowHeight = 24;
    std::vector<int> FColWidths, FRowHeights; // one entry per column / row
    int FGridLineWidth = 1;
    TColor FFixedColor = clBtnFace;
    TBorderStyle FBorderStyle = bsSingle;
    TScrollStyle FScrollBars = ssBoth;
    bool FDefaultDrawing = true;
    TGridOptions FOptions = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
                             goRangeSelect};
    bool FEditorMode = false;
    TInplaceEdit* FInplaceEdit = nullptr; // owned by the grid as a component
    std::string FEditStartText;           // what Esc puts back
    bool FWndCreated = false;
    bool FVertShown = false, FHorzShown = false;
    bool FUpdatingScrollBars = false;
    bool FScrollBarsAgain = false; // sizes changed while the bars were set
    // A sizing or moving drag.
    int FSizingIndex = -1, FSizingPos = 0, FSizingOfs = 0;
    int FMoveIndex = -1, FMovePos = -1;
    // The scroll timer of a selecting drag and the mouse's last client point.
    bool FScrollTimerOn = false;
    TPoint FDragMouse;
};

// A grid whose cells are drawn by OnDrawCell.
class TDrawGrid : public TCustomGrid {
public:
    explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}
    std::string ClassName() const override { return "TDrawGrid"; }

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
};

class TStringGrid;

// One row or column of a string grid seen as a string list: its items are the
// cells, always as many as the grid has columns (rows). Clear empties every
// cell; Add writes the next cell after the last added one (from the first after
// Clear), so Assign fills the cells from the start.
class TStringGridStrings : public TStrings {
public:
    TStringGridStrings(TStringGrid* Grid, bool IsRow, int Index)
        : FGrid(Grid), FIsRow(IsRow), FIndex(Index) {}
    std::string ClassName() const override { return "TStringGridStrings"; }
    int Count() const override;
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    int Add(const std::string& S) override;
    int AddObject(const std::string& S, TObject* AObject) override;
    // Writes the cell at Index (a row's cells do not shift).
    void Insert(int Index, const std::string& S) override;
    // Empties the cell at Index.
    void Delete(int Index) override;
    void Clear() override;

private:
    int CellCol(int Index) const { return FIsRow ? Index : FIndex; }
    int CellRow(int Index) const { return FIsRow ? FIndex : Index; }
    TStringGrid* FGrid;
    bool FIsRow;
    int FIndex;
    int FAddPos = 0;
};

class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;
    std::string ClassName() const override { return "TStringGrid"; }

    // The text of a cell; "" where nothing is stored (negative indexes too).
    // The store keeps what lies beyond the counts when they shrink, so cells
    // come back when the counts grow again.
    std::string Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const std::string& Value);
    TObject* Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, TObject* Value);
    // Views of a row and a column that read and write the cells.
    TStrings* Rows(int ARow);
    TStrings* Cols(int ACol);
    void SetRows(int ARow, const TStrings* Value) { Rows(ARow)->Assign(Value); }
    void SetCols(int ACol, const TStrings* Value) { Cols(ACol)->Assign(Value); }

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void RowsMoved(int FromIndex, int Count, int ToIndex) override;
    void RowsReordered(const std::vector<int>& Order) override;

public:
    void DeleteColumn(int ACol) override;
    void DeleteRow(int ARow) override;

    // A row's cells as the store keeps them, taken out whole and put back
    // whole (gridrows.cpp), for a grid that keeps rows aside: no cell is
    // copied. Taking leaves the row empty; putting replaces what the row
    // held (objects are not freed: they are their owner's).
    struct TCell {
        std::string Text;
        TObject* Object = nullptr;
    };
    using TRowCells = std::vector<TCell>;
    TRowCells TakeRowCells(int ARow);
    void PutRowCells(int ARow, TRowCells Cells);

private:
    const TCell* FindCell(int ACol, int ARow) const;
    TCell& CellAt(int ACol, int ARow);
    // rows of cells; a row is only as long as its last written cell
    std::vector<std::vector<TCell>> FStore;
    std::map<int, std::unique_ptr<TStringGridStrings>> FRowViews, FColViews;
    bool FUpdatingEdit = false;
};
