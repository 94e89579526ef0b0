#pragma once
// The advanced string grid: the base grid with per-cell colours and fonts,
// cell graphics, hidden columns and rows, typed cell values, option objects
// and a large set of events.
//
// Index spaces: a display column is a column as the base grid shows it
// (0 .. ColCount - 1); a real column is a column of the cell store, hidden
// columns included (0 .. ColCount + NumHiddenColumns - 1). Hidden columns stay
// in the store; display rows are the rows the base grid shows, real rows
// count the hidden rows too, which leave the grid and wait in the hidden-row
// store. Cell operations take a real column and a display row unless they say
// otherwise.
//
// The class spans several sources, one per concern, so that each can grow on
// its own: extgrid.cpp (object, properties, the answers to the cell
// questions), extgrid_cells.cpp (cell access), extgrid_hidden.cpp (hiding and
// index mapping), extgrid_rows.cpp (inserting, removing, clearing),
// extgrid_values.cpp (typed values, graphics, selection flags, advancing),
// extgrid_colsize.cpp (column widths kept between runs).

#include <array>
#include <bitset>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "grid/cellgraphic.h"
#include "grid/extgridtypes.h"
#include "grid/floatingfooter.h"
#include "grid/gridoptions.h"
#include "grid/hiddenrows.h"
#include "grid/htmlhint.h"
#include "grid/support/basegrid.h"
#include "grid/support/cellcheck.h"
#include "grid/support/dragdrop.h"
#include "grid/support/htmlcanvas.h"
#include "grid/support/intlists.h"
#include "platform/rtl/streams.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/gfx/imagelist.h"
#include "platform/vcl/stdctrls.h"

// keyboard, mouse and editing input
class TGridCellEditor;
struct TCellPaintContext;
class TGridCombo;
class TGridSpin;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridDatePicker;
class TGridCheckBox;
class TGridButton;
class TGridMemo;
class TExtRichEdit;
class TControlEdit;
class TControlCombo;
class TGridTransEdit;
class TComboBox;
struct THTMLRenderResult;
class TRichEdit;
class TRichTextLayout;
class TGridUniEdit;
class TGridUniCombo;
class TEditLink;
class TEditLinkEditor;
class TGridDropTarget;
class TArrowWindow;

// A float format ("%.2f", "%8.1n pnt") applied to a value: one conversion
// (f, e, g, n or m with an optional '-', width and precision) among plain
// text; EConvertError for any other format, so no format reaches a printf.
std::string FormatFloatValue(const std::string& Fmt, double Value);

class TExtStringGrid : public TBaseGrid {
public:
    // Real columns that can be hidden; columns beyond are always shown.
    static constexpr int MaxHideableColumns = 512;

    explicit TExtStringGrid(TComponent* AOwner);
    ~TExtStringGrid() override;
    std::string ClassName() const override { return "TExtStringGrid"; }

    // --- counts (hidden columns and rows not counted) ---
    void SetRowCount(int Value);
    void SetColCount(int Value);
    // 1 when the base grid has none and the "always" switch is on.
    int FixedRows() const override;
    int FixedCols() const override;
    void SetFixedRows(int Value);
    void SetDefaultRowHeight(int Value);
    int FixedRowHeight() const { return FSavedFixedRowHeight; }
    void SetFixedRowHeight(int Value);
    int FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(int Value);
    int StoredColCount() const override { return ColCount() + FHiddenColCount; }

    // --- the current row ---
    int GetRow() const { return Row(); }
    // Moves the current cell to Row and reports the move through OnRowUpdate.
    void SetRow(int Value);

    // --- cell access ---
    // A merged cell reads and writes its base cell.
    std::string Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const std::string& Value);
    virtual std::string ReadCell(int ACol, int ARow) const;
    virtual void WriteCell(int ACol, int ARow, const std::string& Value);
    // The text shown: the stored one through the display-text hook.
    virtual std::string GetDisplayCellText(int ACol, int ARow);
    // The displayed text with the cell's float format applied (real column):
    // what the cell shows and what a copy carries.
    std::string GetFormattedCellText(int ACol, int ARow);
    // Wide text, kept in the cell with its marker.
    std::u16string WideCells(int ACol, int ARow) const;
    void SetWideCells(int ACol, int ARow, const std::u16string& Value);
    // The same, under the names the editors' steps use.
    std::u16string GetWideCell(int ACol, int ARow) const { return WideCells(ACol, ARow); }
    void SetWideCell(int ACol, int ARow, const std::u16string& Value) {
        SetWideCells(ACol, ARow, Value);
    }
    TObject* Objects(int ACol, int ARow) const { return GetCellObject(ACol, ARow); }
    void SetObjects(int ACol, int ARow, TObject* Value) { SetCellObject(ACol, ARow, Value); }
    // By real row, hidden rows included.
    std::string GetAllCells(int ACol, int ARealRow) const;
    void SetAllCells(int ACol, int ARealRow, const std::string& Value);
    virtual std::string GetCurrentCell() const;
    virtual void SetCurrentCell(const std::string& Value);
    using TBaseGrid::SetCurrentCell;
    // Writes a cell given by display column and repaints it.
    virtual void SetCellAndRefresh(int ADisplCol, int ARow, const std::string& Value);
    TColor GetCellBackColor(int ACol, int ARow) const;
    void SetCellBackColor(int ACol, int ARow, TColor Value);
    bool GetCellReadOnly(int ACol, int ARow) const;
    void SetCellReadOnly(int ACol, int ARow, bool Value);
    TAlignment GetCellAlignmentProp(int ACol, int ARow) const;
    TControl* GetCellControl(int ACol, int ARow) const;
    void AddImageIdx(int ACol, int ARow, int Index, TCellHAlign HAlign, TCellVAlign VAlign);

    // --- repainting (display indexes) ---
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintRect(const TGridRect& R);
    void ScrollInView(int ACol, int ARow);
    void Invalidate() override;
    // Swallows the next Invalidate, once.
    void SuppressNextInvalidate() { FSuppressInvalidate = true; }

    // --- bulk updates ---
    void BeginGridUpdate();
    void EndGridUpdate();
    int GridUpdateCount() const { return FUpdateCount; }

    // --- hidden columns and rows (extgrid_hidden.cpp) ---
    int RealColIndex(int ADisplCol) const;
    int DisplColIndex(int ARealCol) const;
    int RealRowIndex(int ADisplRow) const;
    int DisplRowIndex(int ARealRow) const;
    bool IsHiddenColumn(int ARealCol) const;
    int NumHiddenColumns() const { return FHiddenColCount; }
    int GetAllColCount() const { return ColCount() + FHiddenColCount; }
    int GetAllRowCount() const { return RowCount() + NumHiddenRows(); }
    bool IsHiddenRow(int ARealRow) const { return FHiddenRows.Find(ARealRow) >= 0; }
    int NumHiddenRows() const { return FHiddenRows.Count(); }
    TStringList* GetHiddenRowStrings(int ARealRow) const;
    int GetRealCol() const { return RealColIndex(Col()); }
    void SetRealColWidth(int ARealCol, int AWidth);
    void HideColumn(int ACol) { HideColumns(ACol, ACol); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    void HideRow(int ARow) { HideRows(ARow, ARow); }
    void HideRows(int FromRow, int ToRow);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    void HideRowList(const TIntList& List);
    void RestoreHiddenRows();
    const TGridItems& HiddenRowStore() const { return FHiddenRows; }

    // --- inserting, removing, clearing (extgrid_rows.cpp) ---
    virtual void InsertRows(int ARow, int ACount);
    virtual void RemoveRows(int ARow, int ACount);
    virtual void RemoveRowRange(int ARow, int ACount);
    void RemoveRowsSplit(int ARow, int ACount);
    void RemoveSelectedRows();
    void AddRow();
    virtual void InsertCols(int ACol, int ACount);
    virtual void RemoveCols(int ACol, int ACount);
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void ClearRows(int ARow, int ACount);
    void ClearCols(int ACol, int ACount);
    void ClearGrid();
    // Merged ranges of a column: all split, and runs of equal texts merged
    // (with Always off only where the columns before it are equal too).
    void SplitColumnMerges(int ACol);
    void MergeEqualCells(int ACol, bool Always);
    // Columns whose equal cells are merged; after each change every column is
    // split and the listed ones merged again, the first one always.
    TIntList* AutoMergeCols() const { return FAutoMergeCols.get(); }
    // The string grid's own deletions go the grid's way, so hidden rows,
    // hidden columns, records and flags follow (a display row and column).
    void DeleteRow(int ARow) override;
    void DeleteColumn(int ACol) override;
    virtual void AutoInsertRow(int ARow);
    virtual void AutoDeleteRow(int ARow);

    // --- typed values, graphics, selection flags (extgrid_values.cpp) ---
    int GetInts(int ACol, int ARow) const;
    void SetInts(int ACol, int ARow, int Value);
    double GetFloats(int ACol, int ARow) const;
    void SetFloats(int ACol, int ARow, double Value);
    void SetFloatValue(int ACol, int ARow, double Value);
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType);
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow) const;
    virtual TCellType GetCellType(int ACol, int ARow) const;
    TIntList* GetCellImages(int ACol, int ARow) const;
    // The graphic's object: a bitmap or icon, the image index as a number
    // for an image-list graphic; -1 (as a number) otherwise.
    intptr_t GetGraphicObjectValue(int ACol, int ARow) const;
    // Size of a cell's graphic on screen, and in print with pictures scaled
    // by the printer's factor; (0, 0) without one.
    virtual TPoint GetCellGraphicWidth(int ACol, int ARow);
    virtual TPoint GetCellGraphicHeight(int ACol, int ARow, double PrinterScale);
    bool GetRowSelect(int ARealRow) const;
    void SetRowSelect(int ARealRow, bool Value);
    // Whether the row shown at ARow is picked: the flags follow the data (the
    // real row) wherever the rows are shown, hidden or sorted.
    bool IsRowPicked(int ARow) const { return GetRowSelect(RealRowIndex(ARow)); }
    bool GetColSelect(int ACol) const;
    void SetColSelect(int ACol, bool Value);
    void ClearRowSelect();
    void ClearColSelect();
    void SelectRowsInSelection(bool Force);
    void SelectColsInSelection(bool Force);
    void AdvanceToNextCell(int ACol, int ARow, bool Forward, bool KeepEditor, bool Force);
    // Whether the cell (display column) holds a check box, radio group or button.
    bool HasCellControl(int ACol, int ARow) const;
    virtual void SelectionChanged(int ALeft, int ATop, int ARight, int ABottom);

    // --- data operations: sorting, find, filter, clipboard, import, statistics ---
    // (extgrid_sort.cpp, extgrid_find.cpp, extgrid_filter.cpp,
    // extgrid_clipboard.cpp, extgrid_import.cpp, extgrid_stats.cpp)
    // -1, 0 or 1: row ARow1 before, level with or after ARow2 in ascending
    // order of column ACol, by the column's sort style.
    int CompareRows(int ACol, int ARow1, int ARow2);
    // Normal rows by SortSettings.Column (ties on the columns to its right
    // when Full); stable: rows that compare equal keep their order.
    void SortByColumn();
    // Normal rows by the sort index list; raises on an empty list.
    void IndexedSort();
    // Rows back in the order they had before the first sort.
    void UnSort();
    // Within every expanded node, the rows it spans by SortSettings.Column;
    // the node rows keep their places.
    void SortWithinNodes();
    void SwapRows(int ARow1, int ARow2);
    int SortCompareCount() const { return FSortCompares; }
    int SortSwapCount() const { return FSortSwaps; }
    // Find (extgrid_find.cpp): (-1, -1) when nothing matches.
    TPoint FindCellFirst(TPoint StartCell, const std::string& Text, TGridFindFlags Flags);
    TPoint FindCell(TPoint StartCell, const std::string& Text, TGridFindFlags Flags, bool WideMode,
                    const std::u16string& WideText);
    bool MatchCell(int ACol, int ARow, bool WideMode);
    TPoint LastFoundCell() const { return FLastFound; }
    bool FindBusy() const { return FFindBusy; }
    // The first normal row whose lookup column starts with Text (upper case), or -1.
    int LookupRow(const std::string& Text);
    // The lookup while typing of a key press; true when it moved the row.
    bool LookupKey(char Key);
    // Filter (extgrid_filter.cpp).
    virtual bool MatchFilterRow(int ARow);
    void ApplyFilter();
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value);
    // Delimited text and spreadsheet import (extgrid_import.cpp). The load
    // starts at (0, 0) with IncludeFixedCells, else at the first normal cell.
    void LoadFromCSV(const std::string& FileName) { LoadFromCSVWorker(FileName, false); }
    void LoadFromCSVWorker(const std::string& FileName, bool Append);
    void LoadFromXLS(const std::string& FileName) { LoadFromXLSWorker(FileName, ""); }
    void LoadFromXLSWorker(const std::string& FileName, const std::string& SheetName);
    char Delimiter = '\0'; // '\0': found from the first two lines at each load
    bool OemConvert = false;
    bool TildeLineBreaks = false; // '~' in a field is a line break
    bool IncludeFixedCells = true;
    // Clipboard (extgrid_clipboard.cpp): text always (TAB between cells, CR LF
    // between rows), rich text and the cell stream when the navigation
    // options allow them. Rectangles are in display columns and rows.
    void CopyRectAsText(const TGridRect& R, bool Disjunct);
    void CopyToClipboard();
    void CopySelectionToClipboard();
    void CutSelectionToClipboard();
    void PasteFromClipboard();
    // Cells pasted (for the cell stream: the block's columns x rows).
    int PasteAt(int ACol, int ARow);
    void CopyRTFToClipboard(int ACol, int ARow);
    void WriteCellStream(const TGridRect& R, TStream& Stream);
    // Places the block with its first cell at Origin: columns x rows of the
    // block, or 0 (nothing changed) for a damaged or oversized block.
    int ReadCellStream(TPoint Origin, TStream& Stream);
    // The clipboard text of a rectangle, and pasting such a text.
    std::string RectToText(const TGridRect& R, bool Disjunct);
    // The same with wide cells in full.
    std::u16string RectToWideText(const TGridRect& R, bool Disjunct);
    // Fields that the code page cannot hold become wide cells.
    int PasteText(int ACol, int ARow, const std::u16string& Text);
    // (columns, rows) of a clipboard text.
    static TPoint MeasureClipboardText(const std::string& Text);
    bool Copied() const { return FCopied; }
    TPoint CopyOrigin() const { return FCopyOrigin; }
    // The largest block a cell stream may bring.
    static constexpr int MaxStreamCols = 16384, MaxStreamRows = 1048576;
    // Column statistics (extgrid_stats.cpp) over rows FromRow .. ToRow.
    double ColumnSum(int ACol, int FromRow, int ToRow);
    double ColumnAverage(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    // --- end of data operations ---

    // --- the cell questions: the grid's answer, then the event ---
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                              TFont* AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                   TFont* AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetCellFormat(int ACol, int ARow, TSortStyle& AStyle, std::string& aPrefix,
                               std::string& aSuffix);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed);
    virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void IsPasswordCell(int ACol, int ARow, bool& IsPassword);
    virtual bool HasCombo(int ACol, int ARow);
    virtual std::string GetCheckTrue(int ACol, int ARow);
    virtual std::string GetCheckFalse(int ACol, int ARow);
    virtual bool HasFilter(int ACol) { return false; }
    virtual bool CanAddRow();
    virtual bool CanInsertRow(int ARow);
    virtual void GetGridHint(int ACol, int ARow, std::string& hintstr);
    // Whether the cell shows as a float and in which format (the grid's FloatFormat first).
    virtual bool GetFloatFormat(int ACol, int ARow, std::string& AFloatFormat);
    virtual void UpdateColumnSize(int ACol, int& AWidth);
    // The width auto-size gives a real column, within its own limits (the
    // column items of a column grid), then OnUpdateColumnSize.
    virtual void UpdateAutoSizeLimits(int ACol, int& AWidth);
    // Copies the headers to the column items of a column grid; nothing here.
    virtual void UpdateColumnHeaders() {}
    virtual int GetVersionNr() const;
    virtual std::string GetVersionString() const;

    // --- edits and changes ---
    virtual void CellChanged(int ACol, int ARow) { GridChanged(); }
    // Footers follow the grid's cells: what grows the footer hooks here.
    virtual void GridChanged() {}
    virtual void CellsChanged(const TRect& R);
    virtual void EditStart(int ACol, int ARow);
    virtual bool ValidateCell(const std::string& NewValue);
    virtual bool ValidateCellWide(const std::u16string& NewValue);

    // --- column widths kept between runs (extgrid_colsize.cpp) ---
    void SaveColumnSizes();
    void LoadColumnSizes();

    // --- properties ---
    TColor ActiveCellColor = clGray;
    bool ActiveCellShow = false;
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    void SetActiveCellFont(const TFont* Value);
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(const TFont* Value);
    std::string FloatFormat = "%.2f";
    bool ShowZero = true; // SetFloatValue writes zero and negatives
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value);
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool Value);
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value);
    bool SelectionResizer() const { return FSelectionResizer; }
    void SetSelectionResizer(bool Value);
    TColor HintColor = clInfoBk;
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value);
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);
    // HTML text between BLINK tags shows and hides by turns (every half second).
    bool EnableBlink() const { return FBlinkTimer != nullptr; }
    void SetEnableBlink(bool Value);
    bool BlinkVisible() const { return FBlinkVisible; }
    // With URLShow: a right press on an address edits it (a left click opens it).
    bool URLEdit = false;
    bool EnableHTML = true;
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool IntelliZoom = true;
    bool EnhRowColMove = true;
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    // The text flag of VAlignment: top 0, vertical centre 4, bottom 8.
    unsigned VAlignmentFlag() const { return FVAlignmentFlag; }
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value);
    TScrollType ScrollType = ssNormal;
    TColor ScrollColor = clNone;
    int ScrollWidth = GridScrollBarSize;
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int Value);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int Value);
    bool FixedRowAlways = false;
    bool FixedColAlways = false;
    int MaxEditLength() const { return FMaxEditLength; }
    void SetMaxEditLength(int Value) { FMaxEditLength = Value; }
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TImageList* GridImages() const { return FGridImages; }
    // Pictures that HTML cells name in their IMG tags.
    TPictureContainer* PictureContainer() const { return FPictureContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    void SetGridImages(TImageList* Value);
    TExtStringGridCheck* CellChecker = nullptr; // not owned
    TStringList* LookupItems() const { return FLookupItems.get(); }
    void SetLookupItems(const TStrings* Value) { FLookupItems->Assign(Value); }
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    void SetColumnHeaders(const TStrings* Value) { FColumnHeaders->Assign(Value); }
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    void SetRowHeaders(const TStrings* Value) { FRowHeaders->Assign(Value); }

    // --- option objects ---
    TCellNode* CellNode() const { return FCellNode.get(); }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    TBands* Bands() const { return FBands.get(); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    TGrouping* Grouping() const { return FGrouping.get(); }
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    TFilter* Filter() const { return FFilter.get(); }
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    void SetRowIndicator(const TBitmap* Value) { FRowIndicator->Assign(Value); }

    // --- what the system offers ---
    bool XPLook() const { return FXPLook; }
    bool ComCtl6() const { return FComCtl6; }
    bool DatePickerAvailable() const;

    // ==== keyboard and editing input (extgrid_keys.cpp) ====
    // Tab and Shift+Tab: the next (previous) cell by Navigation's Tab rules,
    // wrapping over rows (columns) and passing the focus on at the end.
    void TabToNextCell(bool Backward);
    // The first column Tab and Home go to (the node column is skipped).
    int FirstNormalCol();
    int VisibleFixedRightCols() const;
    // The update count without repaint control, and its reset after moves
    // that used it.
    void BeginUpdateCount() { ++FUpdateCount; }
    void ResetUpdateCount() {
        FUpdateCount = 0;
        PositionCellControls();
    }
    virtual bool CanDeleteRow(int ARow);
    // A "." from the numeric keypad types the decimal separator of FormatSettings().
    bool ExcelStyleDecimalSeparator = false;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WMChar(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;

private:
    int LastNormalCol() const { return ColCount() - 1 - VisibleFixedRightCols(); }
    int LastNormalRow() const { return RowCount() - 1 - FFixedFooters; }
    bool IsFixedAt(int ACol, int ARow);
    bool SkipFixedCells(WORD Key);
    void InsertRowByKey(int ARow);
    void DeleteRowByKey(int ARow);
    void SelectByNavigationKey(WORD Key, TShiftState Shift);
    // Ctrl+X/C/V, Ctrl+Insert, Shift+Insert and Shift+Delete: true when the
    // key was one of them (whether or not the application let it act).
    bool ClipboardShortCut(WORD Key, TShiftState Shift);
    TGridRect FKeySelection;

    // ---- in-place editors (extgrid_editors.cpp) ----
public:
    // The editor type of the cell being edited (edNormal when none is).
    TEditorType CurrentEditorType() const { return FEditorType; }
    // Writes a cell as typed text would (the edit events fire).
    virtual void SetCellViaEdit(int ACol, int ARow, const std::string& Value);
    // The text the editor started with, then the editor's current text.
    virtual void EditorToCell();
    void EditingDone();
    TNotifyEvent OnEditingDone;
    // Called by the grid's editors when the focus left them: the value (when
    // the editor holds one) is validated and written back, or the old text
    // kept when refused, and the editor closes.
    void EditorFocusLost(TWinControl* Editor, bool Validate, const std::string& Text);
    // Places the cell's dedicated editor over it, filled from the cell.
    void ShowInplaceEditor(int ACol, int ARow);
    // Writes the dedicated editor's value into the cell (unless WriteBack is
    // false) and hides it.
    void HideInplaceEditor(int ACol, int ARow, bool WriteBack = true);
    // Gives an editor over the current cell the colour and font the cell is
    // painted with (its own, not the selection's), so the text keeps its look.
    void SetEditorLook(TWinControl& Editor);
    // A line break was typed into Editor: with SizeWhileTyping.Height and
    // Multilinecells the row fits the lines of Text, and Editor the row.
    void SizeRowWhileTyping(TWinControl& Editor, const std::string& Text);
    // The ending keys of a dedicated editor: validation, then the grid.
    bool CellEditorKey(TGridCellEditor& Editor, WORD& Key, TShiftState Shift);
    // An editor handed a key back: it closes; Enter advances, Tab and the
    // arrows move as on the grid.
    void EditorKeyDone(WORD Key, TShiftState Shift);
    std::string EllipsisClick(int ACol, int ARow, const std::string& S);
    TEllipsClickEvent OnEllipsClick;
    // A step of the spin editor (its arrows, or PgUp, PgDn, End and Home),
    // with the current cell and the new value; UpDown: a step up.
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick, OnTimeSpinClick;
    // The dedicated editors, made at first use; the combo's items are the
    // application's to fill.
    TGridCombo* Combobox();
    TGridSpin* SpinEdit();
    TGridEditBtn* BtnEdit();
    TGridUnitEditBtn* BtnUnitEdit();
    // Nil where the date picker does not exist.
    TGridDatePicker* GetDatePickerEditor();
    TGridCheckBox* CheckEdit();
    // The Unicode editors; the combo's items are the application's to fill.
    TGridUniEdit* UniEdit();
    TGridUniCombo* UniCombobox();
    TGridButton* GridButton();
    // The multi-line text editor of word-wrapped cells.
    TGridMemo* MemoEdit();
    // The editor of edCustom cells (not owned); none: such cells show no editor.
    TEditLink* EditLink = nullptr;
    // The dedicated editor shown now, or nil.
    TGridCellEditor* ActiveCellEditor() const { return FActiveCellEditor; }

protected:
    bool CanEditShow() override;
    TInplaceEdit* CreateEditor() override;
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    int GetEditLimit() override { return FMaxEditLength; }
    // Ends the edit, writing the value back.
    void HideEditor() override;

private:
    static bool IsTextEditorType(TEditorType Type);
    // Ends the edit of the current cell once: the dedicated editor writes its
    // value back (unless WriteBack is false: Esc, a refused value) and hides,
    // then the text editor; OnEditingDone.
    void EndEdit(bool WriteBack);
    // The grid takes the focus back from a control of its own that closes
    // (an editor): no focus arriving from elsewhere.
    void TakeFocusBack();
    void ShowEditorChar(char Ch) override;
    bool SelectCell(int ACol, int ARow) override;
    // Asks OnRowChanging, OnColChanging and OnCellChanging, in this order and
    // each only while the others allow, whether (ACol, ARow) may become current.
    bool AskCellChange(int ACol, int ARow);
    // Makes (ACol, ARow) current after AskCellChange allowed it: nothing is
    // asked again.
    void MoveToAskedCell(int ACol, int ARow);
    TGridCellEditor* CellEditorFor(TEditorType Type);
    template <class TEditor> TEditor* MakeEditor(TEditor*& Slot);
    // A combo editor (narrow or wide) closed, in its style and look, showing Text.
    template <class TCombo> void SetUpCombo(TCombo& Combo, bool List, const std::string& Text);
    TGridCombo* FCombo = nullptr; // the editors are owned by the grid as components
    TGridSpin* FSpin = nullptr;
    TGridEditBtn* FEditBtn = nullptr;
    TGridUnitEditBtn* FUnitEditBtn = nullptr;
    TGridDatePicker* FDatePicker = nullptr;
    TGridCheckBox* FCheckEdit = nullptr;
    TGridButton* FGridButton = nullptr;
    TGridMemo* FMemo = nullptr;
    TGridUniEdit* FUniEdit = nullptr;
    TGridUniCombo* FUniCombo = nullptr;
    std::shared_ptr<TEditLinkEditor> FLinkEditor;
    bool FMultiLineEdit = false;
    TGridCellEditor* FActiveCellEditor = nullptr;
    TEditorType FEditorType = edNormal;
    bool FEditActive = false;
    int FEditActiveCol = -1, FEditActiveRow = -1;
    // The grid ends the edit itself (HideEditor, an editor's ending key, a
    // focus loss being handled): the focus its editor loses meanwhile ends
    // nothing more, and the focus the grid gets opens no editor.
    bool FClosingEditor = false;
    TGridCoord FAnsweredCell{-1, -1}; // the target of MoveToAskedCell

    // ---- mouse (extgrid_mouse.cpp) ----
public:
    TAnchorClickEvent OnAnchorClick;
    // The grid's own cursors in the screen's cursor table: over a fixed cell
    // that selects its row, its column, or everything (and over the
    // selection resizer).
    static constexpr TCursor crRowSelect = 8010, crColSelect = 8011, crSelectAll = 8012;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    // The cursor of what a press where the mouse rests would start; the
    // grid's own cursor where it would start nothing of this kind.
    void WMSetCursor(TMessage& Message) override;
    // Opens a web or mail address that a cell's anchor points to (the
    // desktop's handler); only such addresses ever get here.
    virtual bool OpenAnchor(const std::string& Anchor);

private:
    // "CELL://R<row>C<col>" moves inside the grid; web and mail addresses
    // open; nothing else is run.
    void AnchorClick(int ARow, int ACol, const std::string& Anchor);
    // The anchor (or address cell) under a client point of a cell, or "".
    std::string AnchorAt(int ACol, int ARow, int X, int Y);
    // What a left press at a client point would start besides the string
    // grid's own sizing: selecting from the fixed cells, the resizer's drag,
    // sizing a fixed column by hand.
    enum TMouseMode { mmNone, mmColSelect, mmRowSelect, mmAllSelect, mmResizer, mmOwnSizing };
    TMouseMode MouseModeAt(int X, int Y);
    // Selects for a press on fixed cell (ACol, ARow) in Mode; false when
    // Mode selects nothing.
    bool SelectFromFixedCells(TMouseMode Mode, int ACol, int ARow);
    // MouseActions.CaretPositioning: the editor's caret to the character at
    // a client point of the grid.
    void PlaceEditorCaret(int X, int Y);
    TPoint FMouseDownPoint;
    int FPendingDeselect = -1;
    bool FFixedSelecting = false;

    // ---- sorting by a click in the sort row (extgrid_clicksort.cpp) ----
public:
    TCanSortEvent OnCanSort;
    TClickSortEvent OnClickSort;
    // How long the last sort by a header click took, in milliseconds.
    int LastClickSortTime() const { return FClickSortTime; }

private:
    // Whether a press at (X, Y) on display cell ACol of the sort row may sort.
    bool SortPressAt(int ACol, int ARow, int X, int Y);
    void ClickSort(int ACol, TShiftState Shift);
    int FSortPressCol = -1; // display column pressed in the sort row, -1: none
    int FClickSortTime = 0;

    // ---- wheel, zoom and focus (extgrid_wndproc.cpp) ----
public:
    // One zoom step more (or less): every column and row grows by Delta
    // pixels; steps stay within -10 .. 10.
    void Zoom(int Delta);
    // Added to every cell font size when cells are drawn.
    int ZoomStep() const { return FZoomStep; }
    bool EnableWheel = true;

protected:
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    // With Navigation.AlwaysEdit the focus arriving from elsewhere opens the
    // editor on the current cell.
    void WMSetFocus(TMessage& Message) override;
    // A button control held down in a cell comes up when the focus goes.
    void WMKillFocus(TMessage& Message) override;

private:
    bool WheelStep(bool Down, TShiftState Shift, TPoint MousePos);
    int FZoomStep = 0;
    // The grid takes the focus back from a control of its own (an editor,
    // an HTML control's edit, a fixed cell's edit): no focus arriving from
    // elsewhere. A cell editor still open under such a control loses the
    // focus as to any other control.
    bool FMovingOwnFocus = false;

    // ---- drag and drop (extgrid_dragdrop.cpp) ----
public:
    // Takes drops of text, files and columns from other windows and programs
    // (registering the grid's window), or stops taking them.
    void SetOleDropTarget(bool Value);
    // Drags the selection's text (the column, from a fixed row) out of the
    // grid; answers the effect the target chose (copy, move or none). A moved
    // drag of whole rows removes them with OleRemoveRows.
    int StartOleDrag(int ACol, int ARow);
    // The most rows one drop inserts or fills, and the most text it reads:
    // what is beyond is left out so a huge drop cannot stall the program.
    static constexpr int MaxDropRows = 10000;
    static constexpr size_t MaxDropText = 4 * 1024 * 1024;
    TOleDragDropEvent OnOleDrop, OnOleDrag;
    TOleDroppedEvent OnOleDropped;
    TOleDragOverEvent OnOleDragOver;
    TOleDropColEvent OnOleDropCol;
    TOleDropFileEvent OnOleDropFile;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;

protected:
    // Runs the drag loop; the layer's by default.
    virtual long RunOleDrag(const TSourceDataObject& Data, int AllowedEffects, int& Effect);
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    friend class TGridDropTarget;
    void DropTextAt(const TPoint& Point, const std::string& Text);
    void DropFilesAt(const TPoint& Point, const TStrings& Files);
    void DropColAt(const TPoint& Point, int Column);
    void DragOverAt(const TPoint& Point, bool& Allow, TDragFormats Formats);
    void HideDropArrows();
    TArrowWindow* DropArrow(int Index);
    std::shared_ptr<TGridDropTarget> FDropTarget;
    std::array<TArrowWindow*, 3> FDropArrows{}; // owned by the grid as components
    bool FOleDragArmed = false;
    TGridRect FDragSourceRect{-1, -1, -1, -1};

public:
    // ==== end of keyboard and editing input ====

    // --- events ---
    TGetAlignmentEvent OnGetAlignment;
    TGetCellColorEvent OnGetCellColor, OnGetCellPrintColor;
    TGetCellBorderEvent OnGetCellBorder, OnGetCellPrintBorder;
    TGetFormatEvent OnGetFormat;
    TGetEditorTypeEvent OnGetEditorType;
    TGetEditorPropEvent OnGetEditorProp;
    THasComboBoxEvent OnHasComboBox;
    TIsFixedCellEvent OnIsFixedCell;
    TCanEditCellEvent OnCanEditCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TGetCheckEvent OnGetCheckTrue, OnGetCheckFalse;
    TGridHintEvent OnGridHint;
    TFloatFormatEvent OnGetFloatFormat;
    TCellValidateEvent OnCellValidate;
    TCellValidateWideEvent OnCellValidateWide;
    TCellsChangedEvent OnCellsChanged;
    TRowUpdateEvent OnRowUpdate;
    // Before another cell becomes current (after OnRowChanging and
    // OnColChanging; display columns); Allow false keeps the current cell.
    TCellChangingEvent OnCellChanging;
    TClickCellEvent OnDblClickCell, OnClickCell, OnRightClickCell;
    TClipboardEvent OnClipboardPaste, OnClipboardCopy, OnClipboardCut;
    TClipboardPasteCellEvent OnClipboardBeforePasteCell;
    // Instead of the one above for a value that is a wide cell, with its wide text.
    TClipboardPasteWideCellEvent OnClipboardBeforePasteWideCell;
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;
    TGridProgressEvent OnFileProgress, OnFilterProgress;
    TColumnSizeEvent OnColumnSize, OnColumnMove;
    TRowSizeEvent OnRowSize, OnRowMove;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TAutoRowEvent OnAutoAddRow, OnAutoInsertRow, OnAutoDeleteRow;
    TAutoColEvent OnAutoInsertCol;
    TCanAddRowEvent OnCanAddRow;
    TCanRowEvent OnCanInsertRow, OnCanDeleteRow;
    TNotifyEvent OnResize;
    TSelectionChangedEvent OnSelectionChanged;

protected:
    void Loaded() override;
    void CreateWnd() override;
    void Resize() override;
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                         int& SizingOfs) override;
    void WriteHeaders();
    void WriteColumnHeaders();
    void WriteRowHeaders();
    bool Designing() const { return HasState(csDesigning); }
    // ColumnSize asks for it and says where.
    bool KeepsColumnSizes() const;
    bool Destroying() const { return FDestroyingGrid || HasState(csDestroying); }

private:
    // --- hidden rows ---
    // Hides the listed display rows (ascending, distinct) in one pass.
    void HideDisplayRows(const std::vector<int>& Rows);
    // Shows the records at store positions First .. Last - 1 in one pass.
    void RestoreRecords(int First, int Last);
    // Ends an open edit, in whichever editor (HideEditor), before the cells
    // move under it (columns hidden, shown, added or removed, widths scaled).
    void HideEditorIfShown();
    // Ends an edit held by a dedicated editor, which writes its value into
    // its own cell, before rows move under the current cell. The text editor
    // stays open: it writes as it is typed and follows the current cell.
    void EndDedicatedEdit();
    // Hidden rows never lie beyond the grid's real rows: after the row count
    // shrank, those past the end follow the last row in their order.
    void KeepHiddenRowsInGrid();
    // Splits the merged ranges that touch the display rows First .. Last - 1
    // (InRows), or that hold both row First - 1 and row First.
    void SplitMergesAcross(int First, int Last, bool InRows);
    // Splits the merged ranges that hold both real column ACol - 1 and ACol.
    void SplitMergesAcrossCols(int ACol);
    // --- the store's rows (extgrid_rows.cpp) ---
    void SetRowCountInternal(int Value);
    // Moves the listed display rows (ascending) behind the others, in one pass.
    void MoveDisplayRowsToEnd(const std::vector<int>& Rows);
    // Removes the listed display rows (ascending) with their records, hidden
    // rows and selection flags following.
    void RemoveDisplayRows(const std::vector<int>& Rows);
    // Empties the texts of display rows First .. Last - 1 in every real column.
    void EmptyStoredRows(int First, int Last);
    // Inserts ACount empty rows before display row ARow, hidden rows untouched.
    void InsertRowsInternal(int ARow, int ACount);
    // Moves the cell at (FromCol, ARow) to (ToCol, ARow), text and record.
    void MoveStoredCell(int FromCol, int ToCol, int ARow);
    void PlaceCurrentRowAfterRemoval(int OldRow);
    void ApplyAutoMerge();

    // --- data operations (extgrid_sort.cpp and beside it) ---
    struct TSortKeys;
    // Puts the display rows First .. Last in the order of the sort column
    // (Indexed: of the sort index list), one pass over the store.
    void SortRowRange(int First, int Last, bool Indexed);
    void ApplyRowOrder(const std::vector<int>& Order);
    std::vector<int> FRowOrder;
    int FSortCompares = 0, FSortSwaps = 0;
    std::string FFindText;
    std::u16string FFindWideText;
    TGridFindFlags FFindFlags;
    bool FFindBusy = false;
    TPoint FLastFound{-1, -1};
    bool FFilterActive = false;
    int FFilterSavedFixed = 0;
    TGridRect FFilterSelection{};
    bool FCopied = false;
    TPoint FCopyOrigin{-1, -1};
    TPoint FLastPasteSize{0, 0};
    // Whether a paste may write the cell (display column).
    bool CanPasteCell(int ADisplCol, int ARow);
    void SmartPaste(const TGridRect& Sel);
    // The application's say on a value about to be pasted; false refuses it.
    bool AllowPasteCell(int ACol, int ARow, std::string& Value);
    // Real rows the filter hid, ascending; rows hidden before stay hidden.
    std::vector<int> FFilterHidden;
    // --- end of data operations ---

    // --- hidden columns ---
    std::bitset<MaxHideableColumns> FColHidden;
    std::array<uint16_t, MaxHideableColumns> FSavedColWidths{};
    int FHiddenColCount = 0;
    // --- hidden rows ---
    TGridItems FHiddenRows;
    // --- selection flags: rows by real index, columns by display index ---
    std::vector<bool> FRowSelected, FColSelected;

    int FLastReportedRow = -1;
    int FUpdateCount = 0;
    bool FSuppressInvalidate = false;
    bool FValidating = false;
    bool FDestroyingGrid = false;
    int FEditStartCol = -1, FEditStartRow = -1;
    std::string FEditStartText;
    std::string FLookupText;
    int FSavedFixedRows = 1;
    int FSavedDefaultRowHeight = 21;
    int FSavedFixedRowHeight = 21;

    TColor FSelectionColor = 0xEACAB6;
    TColor FSelectionTextColor = clBlack;
    bool FShowSelection = true;
    bool FSelectionRectangle = false, FSelectionResizer = false;
    bool FURLShow = false, FURLFull = false;
    TColor FURLColor = clBlue;
    bool FWordWrap = true;
    bool FAutoSize = false;
    TVAlignment FVAlignment = vtaTop;
    unsigned FVAlignmentFlag = 0;
    TGridLook FLook = glXP;
    bool FFlat = false;
    int FFixedFooters = 0, FFixedRightCols = 0;
    int FMaxEditLength = 0;
    bool FIntegralHeight = false;
    TImageList* FGridImages = nullptr;              // not owned
    TPictureContainer* FPictureContainer = nullptr; // not owned
    std::vector<TGridCoord> FSelectedCells;         // DisjunctCellSelect, in picking order
    TTimer* FBlinkTimer = nullptr;                  // owned by the grid as a component
    bool FBlinkVisible = true;
    void BlinkTick();
    // A left release on a cell picks it (Ctrl: adds or takes it away).
    void PickSelectedCell(int ACol, int ARow, bool Ctrl);
    // What HTML cells' IMG tags draw: images of the list by index, pictures
    // loaded from addresses.
    std::map<int, std::unique_ptr<TBitmap>> FHTMLImages;
    std::unique_ptr<THTMLPictureCache> FHTMLPictureCache;
    THTMLImageLookup HTMLImages();
    bool FXPLook = false;
    bool FComCtl6 = false;

    std::unique_ptr<TFont> FActiveCellFont, FFixedFont;
    std::unique_ptr<TStringList> FLookupItems, FColumnHeaders, FRowHeaders;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TBackGround> FBackGround;
    std::unique_ptr<TGrouping> FGrouping;
    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TIntList> FAutoMergeCols;
    std::unique_ptr<TBitmap> FRowIndicator;

    // ===== painting, cell graphics and auto-size (extgrid_paint.cpp,
    // extgrid_graphics.cpp, extgrid_autosize.cpp, extgrid_scroll.cpp) =====
public:
    // Margins of a cell's text inside its rectangle, left/right and top.
    TPoint XYOffset{2, 2};
    bool Multilinecells = false;
    // Single-line text too wide for its cell ends in "...".
    bool EnhTextSize = false;
    bool HideFocusRect = false;
    char PasswordChar = '*';
    // The triangle of comment cells; clNone draws none.
    TColor CommentColor = clNone;
    TColor SelectionRectangleColor = clBlack;
    // The two ends of the fixed cells' gradient in the house and XP looks.
    TColor FixedGradientFrom = 0xFFFFFF, FixedGradientTo = clBtnFace;
    // Auto-size limits (0: no bound) and whether auto-size only grows.
    int MinColWidth = 0, MaxColWidth = 0, MinRowHeight = 0, MaxRowHeight = 0;
    bool AutoSizeGrowOnly = false;
    // Numbers right-aligned unless the cell says otherwise.
    bool AutoNumAlign = false;
    TCustomCellDrawEvent OnCustomCellDraw;
    TGetCellBorderPropEvent OnGetCellBorderProp;

    bool IsFixed(int ACol, int ARow) override;
    void GetCellDrawColors(int ACol, int ARow, TFont* AFont, TBrush* ABrush, bool MapColumn,
                           bool Normal, bool Printing, TGridDrawState& AState, TAlignment& HAlign,
                           TVAlignment& VAlign, TColor& ColorTo) override;
    void DrawGridCell(TCanvas& Canvas, int ACol, int ARow, TRect ARect,
                      TGridDrawState AState) override;
    // ACol and ARow real column and display row.
    void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    bool IsCellSelected(int ACol, int ARow);
    // The grid has the input focus and the cell (display column) is the current one.
    bool IsFocusedCell(int ACol, int ARow);
    // What the content of a cell (real column) needs, margins included; with
    // UseColumnWidth text wraps at the column's width.
    TPoint GetCellContentSize(int ACol, int ARow, bool UseColumnWidth);
    void DrawSortIndicator(TCanvas& Canvas, int ACol, int Y, int X);
    // The inverted dotted line at X while a column is sized (drawn again it goes).
    void DrawSizingLine(int X);
    // The graphic of a cell (real column) with its size and alignments; nullptr without one.
    TCellGraphic* GetCellGraphicSize(int ACol, int ARow, TCellVAlign& VAlign, TCellHAlign& HAlign,
                                     bool& TextShown, int& Height, int& Width);
    void DrawCheckBox(TCanvas& Canvas, const TRect& R, bool Checked, bool Enabled,
                      TControlLookStyle Style);
    // Item I (from 0) of a radio group: its box, as drawn and as hit.
    TRect RadioItemRect(TCanvas& Canvas, const TRect& R, int Count, int Index, bool Horizontal,
                        const TStrings* Captions);
    void DrawRadioGroup(TCanvas& Canvas, const TRect& R, int Count, int ItemIndex, bool Disabled,
                        bool Horizontal, const TStrings* Captions, const std::string& CellText);
    // A one-pixel frame: TopLeft on the left and top, BottomRight on the right and bottom.
    static void DrawBevel(TCanvas& Canvas, const TRect& R, TColor TopLeft, TColor BottomRight);
    // Where the box of a check-box cell is drawn (display column), for the mouse too.
    TRect CheckBoxRect(int ACol, int ARow);
    // Where a button is drawn (display column); empty for a cell without one.
    TRect GetButtonRect(int ACol, int ARow);
    // The inside of a cell as its content is drawn (display column).
    TRect CellContentRect(int ACol, int ARow);
    void AutoSizeColumns(bool DoFixedCols, int Padding);
    void AutoSizeCol(int ACol);
    // The width AutoSizeCol gives display column ACol for Text in row ARow
    // (one line, in that cell's font, with its margins and the frame), before
    // limits and padding: what a caller asks who sizes for a text not yet shown.
    int TextColWidth(int ACol, int ARow, const std::string& Text);
    void AutoSizeRow(int ARow);
    void AutoSizeRows(bool DoFixedRows, int Padding);
    TPoint GetRotatedTextOrigin(const TRect& R, TAlignment HAlign, TVAlignment VAlign,
                                const std::string& Text, int Angle);
    // --- scroll hints and stretching (extgrid_scroll.cpp) ---
    TScrollHintType ScrollHints = shNone;
    TScrollHintEvent OnScrollHint;
    // ScrollType with its look applied to the bars (ScrollColor the track).
    void SetScrollType(TScrollType Value);
    // The hint shown while the thumb (0..127) is dragged.
    std::string ScrollHintText(bool Vertical, int ThumbPos);
    // While the thumb is dragged (when ScrollHints covers the bar): the hint
    // beside the mouse, 10 pixels to its right; hidden when the scroll ends.
    void ShowScrollHint(bool Vertical, int ThumbPos, const TPoint& MouseScreen);
    void HideScrollHint();
    THTMLHintWindow* ScrollHintWindow() const { return FScrollHintWindow.get(); }
    // With ColumnSize.Stretch: ACol (-1 the last) takes what the others leave.
    void StretchColumn(int ACol);
    bool Stretched() const { return FStretched; }
    // After the user sized ACol from OldWidth: every other normal column in proportion.
    void ScaleOtherColumns(int ACol, int OldWidth);
    // The same for rows, after ARow was sized from OldHeight.
    void ScaleOtherRows(int ARow, int OldHeight);
    // A column or row sized by the user scales the other normal ones with it.
    bool ProportionalSizing = false;
    // The grid's width went from OldWidth to NewWidth: every column in
    // proportion (to the widths it had before the grid's own scaling, while
    // nothing else sized a column since).
    void SynchColumnsToWidth(int OldWidth, int NewWidth);
    // --- cell hints (extgrid_hints.cpp) ---
    bool HintShowCells = false, HintShowLargeText = false, HTMLHint = false, AnchorHint = false;
    TAnchorHintEvent OnAnchorHint;
    // Fills the hint of the cell under Info.CursorPos (client coordinates).
    void CellHint(THintInfo& Info);
    int HintCol() const { return FHintCol; }
    // The grid grows and shrinks with its form's client area.
    bool SizeWithForm() const { return FSizeWithForm; }
    void SetSizeWithForm(bool Value);
    // Takes over the form's change of size since the last time.
    void FollowFormSize();
    int HintRow() const { return FHintRow; }
    // --- floating footer (extgrid_footer.cpp) ---
    TFloatingFooter* FloatingFooter();
    // A cell drawn as a fixed cell into Rect of another canvas (the footer's).
    void DrawFooterCell(TCanvas& Canvas, int ACol, int ARow, const TRect& Rect);
    // Writes the footer functions of the last row's records (ACol -1: every column).
    void CalcFooter(int ACol);
    // --- giving a cell a graphic (real column, display row) ---
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    // ItemIndex -1: the option whose caption is the cell text.
    void AddRadio(int ACol, int ARow, bool Horizontal, int ItemIndex,
                  const std::vector<std::string>& Captions);
    void AddButton(int ACol, int ARow, int AWidth, int AHeight, const std::string& Caption,
                   TCellHAlign HAlign, TCellVAlign VAlign);
    // The cell's integer value is the percentage.
    void AddProgress(int ACol, int ARow, int Percent);
    void AddProgressPie(int ACol, int ARow, int Percent);
    void AddComment(int ACol, int ARow, const std::string& Comment);
    void AddRotated(int ACol, int ARow, int Angle, const std::string& Text);
    void AddBitmap(int ACol, int ARow, const TBitmap* Bitmap, bool Transparent, TCellHAlign HAlign,
                   TCellVAlign VAlign);
    void AddImages(int ACol, int ARow, const std::vector<int>& Indexes, bool Horizontal);
    // The image shown is BaseIndex plus the cell's integer value.
    void AddDataImage(int ACol, int ARow, int BaseIndex);
    // --- nodes (extgrid_nodes.cpp); rows are display rows ---
    bool HasNodes() override;
    int GetNodeIndent(int ARow) override;
    // The row's level below its node (0 for a node row or a row outside nodes).
    int GetNodeLevel(int ARow);
    // How the tree line passes a row: 0 none, 1 last child, 2 middle child.
    int GetNodeLineKind(int ARow);
    bool IsNode(int ARow);
    // A node over Span rows (itself included) at display row ARow, expanded.
    void AddNode(int ARow, int Span);
    void RemoveNode(int ARow);
    bool GetNodeState(int ARow);
    // Contracting hides the node's child rows, expanding shows them again.
    void SetNodeState(int ARow, bool Value);
    void ContractNode(int ARow) { SetNodeState(ARow, true); }
    void ExpandNode(int ARow) { SetNodeState(ARow, false); }
    int GetNodeSpan(int ARow);
    bool IsSummary(int ARow);
    // X (client) lies in the band of the node's glyph.
    bool IsNodeGlyphHit(int ARow, int X);
    void ExpandAll();
    void ContractAll();
    void RemoveAllNodes();
    // --- cell controls (display column, row; merged cells ask their base cell) ---
    bool HasCheckBox(int ACol, int ARow);
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    void SetCheckBoxState(int ACol, int ARow, bool State);
    // False when Ask and the cell may not be edited.
    virtual bool ToggleCheckBox(int ACol, int ARow, bool Ask);
    // Anywhere in the cell, or with PreciseCheckBoxCheck only on the box (client X, Y).
    bool IsCheckBoxHit(int ACol, int ARow, int X, int Y);
    bool IsRadio(int ACol, int ARow);
    // The radio item under (X, Y) as drawn, -1 for none.
    int RadioItemAt(int ACol, int ARow, int X, int Y);
    // The next option (after the last the first); its caption becomes the text.
    bool StepRadio(int ACol, int ARow, bool Ask);
    bool IsButton(int ACol, int ARow);
    bool IsComment(int ACol, int ARow, std::string& Comment);
    // --- cells picked one by one with MouseActions.DisjunctCellSelect ---
    // Display column and row of the base cell.
    bool IsSelectedCell(int ACol, int ARow) const;
    int SelectedCellCount() const { return static_cast<int>(FSelectedCells.size()); }
    void ClearSelectedCells();
    // --- named questions and actions (extgrid_queries.cpp; display columns) ---
    // The stored option of a radio group (negative: the text is the choice).
    bool GetRadioIndex(int ACol, int ARow, int& Index);
    // A radio group's options (merged cells ask their base cell); none for other cells.
    const TStrings* GetRadioOptions(int ACol, int ARow);
    // The checker's error range in the cell's text, 0 and 0 without one.
    void GetErrorRange(int ACol, int ARow, int& From, int& Length);
    // With Multilinecells the most lines of a cell of the row, else 1.
    int GetRowLineCount(int ARow);
    // The row high enough for Lines lines of the grid's font and Extra pixels.
    void SetRowHeightForLines(int ARow, int Lines, int Extra);
    // Repaints the cells of R, merged ranges whole.
    void RepaintCellRange(const TGridRect& R);
    std::string GetCellTextDisplayCol(int ACol, int ARow) const;

protected:
    // A column or row about to be moved by the mouse: OnColumnMove and
    // OnRowMove may refuse (extgrid_moves.cpp); no row is dropped onto the
    // floating footer's row.
    bool BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) override;
    bool BeginRowDrag(int& Origin, int& Destination, const TPoint& MousePt) override;
    bool EndRowDrag(int& Origin, int& Destination, const TPoint& MousePt) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    // An image list or picture container going away is forgotten.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The base paint, then the frame of the editor and the footer's place.
    void Paint() override;

public:
    // The soft, house and XP looks frame a single-bordered grid with one grey
    // line inside a line of its parent's colour (not with Flat).
    void PaintFlatBorder();

protected:
    void CMHintShow(TMessage& Message) override;

private:
    // The content of one cell, step by step (extgrid_cellcontent.cpp).
    void DrawCellContent(TCellPaintContext& Cell);
    void PaintSelectionColors(TCellPaintContext& Cell);
    void PrepareCellText(TCellPaintContext& Cell);
    void PaintFilterGlyph(TCellPaintContext& Cell);
    void PaintBackgroundPicture(TCellPaintContext& Cell);
    void PaintSelectionRectangle(TCellPaintContext& Cell);
    // False when no room is left for text.
    bool PlaceTextRect(TCellPaintContext& Cell);
    void PaintHTMLText(TCellPaintContext& Cell);
    void PaintPlainText(TCellPaintContext& Cell);
    // "|\" cells: every character, not through the code page.
    void FillTextBackground(TCellPaintContext& Cell);
    void PaintWideText(TCellPaintContext& Cell);
    // Rich text formatted, in its own colours or the selection's (extgrid_richtext.cpp).
    void PaintRichText(TCellPaintContext& Cell);
    void DrawCellBorders(TCanvas& Canvas, int ACol, int ARow, TRect R);
    void DrawFixedLook(TCanvas& Canvas, int ARealCol, int ARow, TRect R);
    void DrawCellGraphic(TCanvas& Canvas, int ACol, int ARow, const TRect& R, TCellGraphic& G,
                         int GW, int GH, int TextWidth, TAlignment HAlign, TVAlignment VAlign,
                         bool Selected);
    bool SortIndicatorShown(int ARealCol, int ARow);
    // What a cell's content needs across (Horizontal) or down, graphic included.
    int CellContentExtent(int ADisplCol, int ARow, bool Horizontal, int Frame);
    // The canvas gets the font a cell (display column) is drawn with.
    void UseCellFont(int ADisplCol, int ARow);
    // What auto-size adds across to a cell's content: the grid lines and a margin.
    int AutoSizeFrame() const;
    // The top-left corner of a graphic of GW x GH in R beside a text of TextWidth.
    static TPoint GraphicPlace(const TRect& R, const TCellGraphic& G, int GW, int GH, int TextWidth,
                               TAlignment HAlign);
    TPoint CheckBoxOrigin(const TRect& R, int W, int TextWidth, bool TextShown, TAlignment HAlign);
    bool FStretched = false;
    int FLastClientWidth = 0; // at the last resize, for SynchWithGrid
    // SynchWithGrid scales from the widths the columns had at a known grid
    // width, not from what the last scaling left: a grid sized down to
    // nothing (or to a few pixels) gives its columns their shares back.
    std::vector<int> FSynchBaseWidths, FSynchSetWidths;
    int FSynchBaseClientWidth = 0;
    int FHintCol = -1, FHintRow = -1;
    int FNodeCount = 0; // nodes made and not removed
    // Display rows about to lose their cells: their nodes no longer count.
    void ForgetNodesIn(int FirstRow, int LastRow);
    bool FSizeWithForm = false;
    std::unique_ptr<THTMLHintWindow> FScrollHintWindow;
    std::map<std::string, std::unique_ptr<TBitmap>> FGlyphCache;
    // A check box or radio face in Box in one of the looks; false for the
    // drawn Varnok look, which its caller draws.
    bool DrawControlFace(TCanvas& Canvas, const TRect& Box, bool Radio, TControlLookStyle Style,
                         bool Checked, bool Enabled);
    // One of the grid's own glyphs (check boxes, radios, nodes) at (X, Y).
    void DrawGridGlyph(TCanvas& Canvas, int X, int Y, const std::string& Name);
    TPoint FFormSize{0, 0};
    TCustomForm* FFormHooked = nullptr;
    // Expires with the grid: what the form's resize hook asks before it follows.
    std::shared_ptr<TExtStringGrid*> FAlive = std::make_shared<TExtStringGrid*>(this);
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    TCellGraphic* BaseGraphic(int ACol, int ARow, int& RealCol, int& BaseRow);
    TCellGraphic* AddCellGraphic(int ACol, int ARow, TCellType AType, TCellHAlign HAlign,
                                 TCellVAlign VAlign);
    // The cells a copy of R carries, row by row (wide cells still encoded).
    std::vector<std::vector<std::string>> CopiedCells(const TGridRect& R, bool Disjunct);
    // ===== end of painting block =====

    // ===== cell controls by key and mouse (extgrid_controls.cpp) =====
public:
    // The column is the real column; rows are display rows.
    TCheckBoxClickEvent OnCheckBoxClick, OnCheckBoxMouseUp;
    TRadioClickEvent OnRadioClick, OnRadioMouseUp;
    TButtonClickEvent OnButtonClick;
    TNodeClickEvent OnExpandNode, OnContractNode;
    TNodeAllowEvent OnBeforeExpandNode, OnBeforeContractNode;
    TEndColumnSizeEvent OnEndColumnSize;

private:
    // Space or Enter on the current cell's control; true when it acted.
    bool CellControlKey(WORD Key);
    // A press on a node glyph or a radio item; true when it was taken.
    bool NodeOrRadioPress(int ACol, int ARow, int X, int Y);
    // A press on a cell button or a check box; true when it was taken.
    bool ButtonOrCheckPress(int ACol, int ARow, int X, int Y);
    void CellControlRelease(int X, int Y);
    // A double click on a column border in a fixed row sizes the column to
    // its content; true when it did.
    bool ColumnBorderDblClick(int X, int Y);
    bool CanUseControl(int ACol, int ARow);
    void ToggleNodeByClick(int ARow);
    TGridCoord FPressedButton{-1, -1};
    TGridCoord FControlPress{-1, -1};
    bool FHeaderNodeContracted = false;
    // ===== end of cell controls =====

    // ===== scroll thumbs and hints (extgrid_scrollbars.cpp) =====
public:
    // Dragging the thumb moves the view at once, without goThumbTracking.
    bool ScrollSynch = false;
    // Thumbs sized by what is shown of the rows and columns, their range in
    // pixels, instead of the string grid's 0..127.
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool Value);

protected:
    void WndProc(TMessage& Message) override;
    void WMHScroll(TMessage& Message) override;
    void WMVScroll(TMessage& Message) override;

private:
    void GridScroll(bool Vertical, TMessage& Message);
    // The column (row) a thumb at ThumbPos of 0..127 points to.
    int ThumbIndex(bool Vertical, int ThumbPos);
    void UpdateProportionalScroll();
    bool FScrollProportional = false;
    // ===== end of scroll thumbs and hints =====

    // ===== sizing hint and hover (extgrid_sizinghint.cpp) =====
public:
    // While a column or row is sized with the mouse, its size beside the mouse.
    bool HintShowSizing = false;
    // The cell under the mouse becomes the current one.
    bool Hovering = false;
    THTMLHintWindow* SizingHintWindow() const { return FSizingHintWindow.get(); }
    // Fixed cells drawn as buttons that sink while pressed.
    bool FixedAsButtons = false;
    // The edit over a fixed cell being edited (the grid's trans edit).
    TGridTransEdit* FixedCellEdit() const { return FTransEdit; }
    // A drag of the selection resizer ended: the selection before and after.
    TSelectionResizeEvent OnSelectionResize;
    bool IsPressedFixedCell(int ACol, int ARow) const {
        return FFixedPressed.X == ACol && FFixedPressed.Y == ARow;
    }

private:
    // Where a press would start sizing, remembered for the hint.
    void NoteSizingPress(int X, int Y);
    void SizingHintMove(TShiftState Shift, int X, int Y);
    void EndSizingHint();
    struct TSizingPress {
        bool Cols = true;
        int Index = -1, Start = 0, Offset = 0;
        int OldSize = 0; // the width or height before the sizing
    } FSizingPress;
    // A column or row sizing by the mouse ended: proportions and events.
    void EndMouseSizing();
    // Let go beyond the grid's edge: the column or row keeps its old size.
    void CancelMouseSizing();
    std::unique_ptr<THTMLHintWindow> FSizingHintWindow;
    // A fixed column sized by hand at its right border (SizeFixedCol): the
    // column being sized (-1 when none) and where its sizing line is.
    int OwnSizingColAt(int X, int Y) const;
    void StartOwnSizing(int ACol, int X);
    void EndOwnSizing(int X);
    int FOwnSizingCol = -1, FOwnSizingX = 0;

public:
    int OwnSizingCol() const { return FOwnSizingCol; }

private:
    void PressFixedButton(int ACol, int ARow);
    // A fixed cell edited in place with the trans edit (display column).
    void EditFixedCell(int ACol, int ARow);
    bool FixedCellEditWanted(int ACol, int ARow, TGridFixedCellEdit How) const;
    void EndFixedCellEdit(bool Store);
    TGridCoord FFixedEditCell{-1, -1};
    // The resizer square of the selection (client X, Y), drawn at the
    // bottom-right corner of its last cell.
    bool ResizerHit(int X, int Y);
    void EndResizerDrag();
    TGridRect FResizeFrom{-1, -1, -1, -1};
    TGridCoord FFixedPressed{-1, -1};
    // ===== end of sizing hint and hover =====

    // ===== rich text cells (extgrid_richtext.cpp) =====
public:
    // Rich cells drawn selected keep their own colours.
    bool SelectionRTFKeep = false;
    // The selection of the rich editor changed (Sender: the editor).
    TNotifyEvent OnRichEditSelectionChange;
    // A row grew with the text typed into its editor (SizeWhileTyping).
    TAutoRowEvent OnEndRowSize;
    // The grid's two rich edits: the first turns cell text into formatted
    // text and back, the second edits edRichEdit cells; made at first use.
    TExtRichEdit* RichEdit();
    TExtRichEdit* RichEditor();
    // The cell's rich text (real column) into a rich edit; an empty cell
    // clears it.
    void LoadRichCell(int ACol, int ARow, TRichEdit* RichEditor);
    // What a rich edit holds as RTF, empty when it holds no text.
    std::string GetRichText(TRichEdit* RichEditor);
    // The cell's rich text (real column) drawn into R, in SelectionTextColor
    // when Selected and not SelectionRTFKeep.
    void DrawRichTextCell(TCanvas& Canvas, int ACol, int ARow, const TRect& R, bool Selected);
    // What a rich cell's text needs, margins included (UseColumnWidth: lines
    // broken at the column's width).
    TPoint RichTextContentSize(int ACol, int ARow, bool UseColumnWidth);
    // The selected cells as text: TAB between cells, CR LF between rows,
    // rich cells as their plain text, several lines quoted with Multilinecells.
    void GetSelectionAsText(std::string& Text);

private:
    // The cell text laid out in Font, kept while texts and fonts repeat.
    const TRichTextLayout& RichLayout(const std::string& RTF, const TFont& Font);
    TExtRichEdit* FRichEdit = nullptr; // the two edits are owned by the grid as components
    TExtRichEdit* FRichEditor = nullptr;
    std::map<std::string, std::shared_ptr<TRichTextLayout>> FRichLayouts;
    // ===== end of rich text cells =====

    // ===== HTML form controls in cells (extgrid_htmlcontrols.cpp) =====
public:
    // A control was clicked (every kind), an edit or combo control's editing
    // ended; columns are real columns.
    TControlEvent OnControlClick, OnControlEditDone;
    // Fills a combo control's list; Edit false makes it a list to choose from.
    TControlComboListEvent OnControlComboList;
    // The combo control's choice (index -1: typed text) and its close-up.
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TComboCloseUpEvent OnComboCloseUp;
    // The editors of edit and combo controls and the cell-writing edit; made
    // at first use.
    TControlEdit* ControlEdit();
    TControlCombo* ControlCombo();
    TGridTransEdit* TransEdit();
    // The control under a client point of a cell (display column), with its
    // rectangle in client coordinates.
    bool HTMLControlAt(int ACol, int ARow, int X, int Y, THTMLRenderResult& Result);
    // Writes the open edit or combo control's value into its tag and closes it.
    void ControlEditDone();
    void ControlComboChanged(int Index, const std::string& Text);
    void ControlComboClosedUp();
    // A button control of the cell is held down by the mouse.
    bool HTMLButtonPressed(int ACol, int ARow) const;

private:
    // The anchor or control of tagged Text under a client point of a cell,
    // laid out as painted; the control's rectangle in client coordinates.
    bool HTMLHitTest(int ACol, int ARow, int X, int Y, const std::string& Text,
                     THTMLRenderResult& Result);
    bool HTMLControlPress(int ACol, int ARow, int X, int Y);
    void HTMLControlRelease();
    void SetHTMLControlValue(int ACol, int ARow, const std::string& ID, const std::string& Value);
    TControlEdit* FControlEdit = nullptr; // the three are owned by the grid as components
    TControlCombo* FControlCombo = nullptr;
    TGridTransEdit* FTransEdit = nullptr;
    TGridCoord FControlCell{-1, -1}, FHTMLButton{-1, -1};
    TPoint FHTMLButtonPoint{0, 0};
    std::string FControlId, FControlType;
    bool FFillingControlCombo = false;
    // ===== end of HTML form controls =====

    // ===== editing aids (extgrid_editaids.cpp) =====
public:
    // Typing in the text editor completes from LookupItems.
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    // A text edited in the text editor joins LookupItems.
    bool LookupHistory = false;
    // The editor starts with the cell's tags; without, they are stripped.
    bool EditWithTags = false;
    // Before the current row or column changes; Allow false keeps it.
    TRowChangingEvent OnRowChanging;
    TColChangingEvent OnColChanging;
    // The completion of Text from LookupItems, or "" when none is longer.
    std::string LookupCompletion(const std::string& Text) const;
    // The first of Items that starts with Text and is longer (case as
    // LookupCaseSensitive says), or -1.
    int LookupIndex(const TStrings& Items, const std::string& Text) const;
    // How wide a combo's list must be for its widest item.
    int ComboDropWidth(const TComboBox& Combo);
    // The combo editor of the current cell moved to item Index (OnComboChange,
    // OnComboObjectChange).
    void CellComboChanged(int Index, const std::string& Text);

private:
    // The tagged text of the cell whose stripped text the editor shows.
    struct {
        int Col = -1, Row = -1;
        std::string Tagged, Shown;
    } FTaggedEdit;

public:
    // ===== end of editing aids =====

    // ===== controls placed in cells (extgrid_placedcontrols.cpp) =====
public:
    // Every control placed in a cell (TCellProperties::Control) over its
    // cell's merged rectangle and shown while the cell is in view, hidden
    // while it is not or its row or column is hidden. The grid calls it after
    // scrolling, sizing, hiding and showing, and at the end of a bulk update.
    void PositionCellControls();

protected:
    void TopLeftChanged() override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;

private:
    // The merged range's rectangle, from the shown rectangle of the cell.
    TRect CellControlRect(int ARealCol, int ARow, const TRect& Shown) const;
    // ===== end of controls placed in cells =====
};
