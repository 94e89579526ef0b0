// The grid object: what it owns and its defaults, counts and the current row,
// property setters, the answers to the cell questions and the end of an edit.
#include "grid/extgrid.h"

#include <algorithm>

#include "grid/gridunit.h"
#include "grid/support/gridtext.h"
#include "grid/support/widecell.h"
#include "platform/vcl/themes.h"

TExtStringGrid::TExtStringGrid(TComponent* AOwner)
    : TBaseGrid(AOwner), FActiveCellFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()), FLookupItems(std::make_unique<TStringList>()),
      FColumnHeaders(std::make_unique<TStringList>()), FRowHeaders(std::make_unique<TStringList>()),
      FCellNode(std::make_unique<TCellNode>(this)),
      FSizeWhileTyping(std::make_unique<TSizeWhileTyping>()),
      FMouseActions(std::make_unique<TMouseActions>(this)),
      FColumnSize(std::make_unique<TColumnSize>(this)),
      FNavigation(std::make_unique<TNavigation>()),
      FHTMLSettings(std::make_unique<THTMLSettings>()),
      FPrintSettings(std::make_unique<TPrintSettings>()),
      FSortSettings(std::make_unique<TSortSettings>(this)),
      FControlLook(std::make_unique<TControlLook>(this)), FBands(std::make_unique<TBands>(this)),
      FBackGround(std::make_unique<TBackGround>(this)), FGrouping(std::make_unique<TGrouping>()),
      FDragDropSettings(std::make_unique<TDragDropSettings>()),
      FFilter(std::make_unique<TFilter>()), FSortIndexes(std::make_unique<TSortIndexList>(0, 0)),
      FAutoMergeCols(std::make_unique<TIntList>(0, 0)), FRowIndicator(std::make_unique<TBitmap>()) {
    InitGridUnit();
    FFixedFont->SetName("Tahoma");
    FFixedFont->SetStyle(fsBold);
    FActiveCellFont->SetStyle(fsBold);
    FColumnHeaders->OnChange = [this](TObject*) { WriteColumnHeaders(); };
    FRowHeaders->OnChange = [this](TObject*) { WriteRowHeaders(); };
    FAutoMergeCols->OnChange = [this](TObject*, int, int) { ApplyAutoMerge(); };
    TBaseGrid::SetDefaultRowHeight(21);
    FSavedDefaultRowHeight = FSavedFixedRowHeight = 21;
    FSavedFixedRows = TBaseGrid::FixedRows();
    DisplTextRowLimit = RowCount();
    const TSystemVersion version = SystemVersion();
    FXPLook = (version.Major >= 6 || (version.Major == 5 && version.Minor >= 1)) &&
              ThemeLibrary::IsThemeActive();
    FComCtl6 = (GetFileVersion("comctl32.dll") >> 16) > 5;
    SetAutoSize(false);
}

TExtStringGrid::~TExtStringGrid() {
    FDestroyingGrid = true;
    // A destructor cannot report: widths that cannot be written are lost,
    // the grid goes all the same.
    try {
        SaveColumnSizes();
    } catch (const Exception&) {
    }
    // The records of hidden columns lie beyond what the base grid frees.
    FreeCellPropertiesRect(0, 0, StoredColCount() - 1, RowCount() - 1);
    FHiddenRows.Clear();
}

bool TExtStringGrid::DatePickerAvailable() const {
    return InitGridUnit().DatePickerAvailable;
}

// --- counts -------------------------------------------------------------------------------

void TExtStringGrid::SetRowCount(int Value) {
    ForgetNodesIn(std::max(Value, 1), RowCount() - 1);
    TBaseGrid::SetRowCount(Value);
    if (FixedRowAlways && Value > FSavedFixedRows && TBaseGrid::FixedRows() != FSavedFixedRows)
        TBaseGrid::SetFixedRows(FSavedFixedRows);
    DisplTextRowLimit = RowCount();
    KeepHiddenRowsInGrid();
}

void TExtStringGrid::SetColCount(int Value) {
    Value = std::max(Value, 1);
    if (Value < ColCount() && FHiddenColCount > 0) {
        // Hidden columns behind the last column kept go with the columns cut.
        const int lastReal = RealColIndex(Value - 1);
        const int oldExtent = StoredColCount();
        FreeCellPropertiesRect(lastReal + 1, 0, oldExtent - 1, RowCount() - 1);
        for (int c = lastReal + 1; c < std::min(oldExtent, MaxHideableColumns); ++c)
            if (FColHidden[static_cast<size_t>(c)]) {
                FColHidden[static_cast<size_t>(c)] = false;
                --FHiddenColCount;
            }
    }
    TBaseGrid::SetColCount(Value);
    if (Value >= 2 && FixedColAlways) TBaseGrid::SetFixedCols(1);
}

int TExtStringGrid::FixedRows() const {
    const int n = TBaseGrid::FixedRows();
    return (n == 0 && FixedRowAlways) ? 1 : n;
}

int TExtStringGrid::FixedCols() const {
    const int n = TBaseGrid::FixedCols();
    return (n == 0 && FixedColAlways) ? 1 : n;
}

void TExtStringGrid::SetFixedRows(int Value) {
    TBaseGrid::SetFixedRows(Value);
    if (!HasState(csLoading)) FSavedFixedRows = Value;
}

void TExtStringGrid::SetDefaultRowHeight(int Value) {
    TBaseGrid::SetDefaultRowHeight(Value);
    if (Designing()) FSavedDefaultRowHeight = Value;
}

void TExtStringGrid::SetFixedRowHeight(int Value) {
    FSavedFixedRowHeight = Value;
    if (!Designing()) return;
    for (int r = 0; r < TBaseGrid::FixedRows(); ++r)
        SetRowHeights(r, Value == DefaultRowHeight() ? DefaultRowHeight() : Value);
}

void TExtStringGrid::SetFixedColWidth(int Value) {
    if (!Designing() || Value == FixedColWidth()) return;
    for (int c = 0; c < TBaseGrid::FixedCols(); ++c)
        SetColWidths(c, Value);
}

// --- the current row --------------------------------------------------------------------

void TExtStringGrid::SetRow(int Value) {
    TBaseGrid::SetRow(Value);
    if (Row() != FLastReportedRow && OnRowUpdate && FUpdateCount == 0) {
        const int old = FLastReportedRow;
        FLastReportedRow = Row();
        OnRowUpdate(this, old, Row());
    }
}

// --- bulk updates and repainting -----------------------------------------------------------

void TExtStringGrid::BeginGridUpdate() {
    ++FUpdateCount;
}

void TExtStringGrid::EndGridUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount > 0) return;
    Invalidate();
    PositionCellControls();
}

void TExtStringGrid::Invalidate() {
    if (FSuppressInvalidate) {
        FSuppressInvalidate = false;
        return;
    }
    if (FUpdateCount > 0) return;
    TBaseGrid::Invalidate();
}

void TExtStringGrid::RepaintRow(int ARow) {
    if (ARow >= 0 && ARow < RowCount()) InvalidateRow(ARow);
}

void TExtStringGrid::RepaintCol(int ACol) {
    if (ACol >= 0 && ACol < ColCount()) InvalidateCol(ACol);
}

void TExtStringGrid::RepaintRect(const TGridRect& R) {
    const TRect a = CellRect(R.Left, R.Top), b = CellRect(R.Right, R.Bottom);
    if (IsRectEmpty(a) || IsRectEmpty(b)) {
        Invalidate();
        return;
    }
    InvalidateClientRect({std::min(a.Left, b.Left), std::min(a.Top, b.Top),
                          std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)});
}

void TExtStringGrid::ScrollInView(int ACol, int ARow) {
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    const bool colShown =
        ACol < FixedCols() || (ACol >= LeftCol() && ACol < LeftCol() + VisibleColCount());
    const bool rowShown =
        ARow < FixedRows() || (ARow >= TopRow() && ARow < TopRow() + VisibleRowCount());
    if (colShown && rowShown) return;
    FocusCell(ACol, ARow, true);
    if (!colShown)
        SetLeftCol(std::clamp(ACol - VisibleColCount() / 2, TBaseGrid::FixedCols(), MaxLeftCol()));
    if (!rowShown)
        SetTopRow(std::clamp(ARow - VisibleRowCount() / 2, TBaseGrid::FixedRows(), MaxTopRow()));
}

void TExtStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int rowHeight = DefaultRowHeight();
    if (FIntegralHeight && FUpdateCount == 0 && rowHeight > 0) {
        const int bar = HorzScrollBarShown() ? GridScrollBarSize : 0;
        const int border = BorderStyle() == bsSingle ? 2 : 0;
        const int h = AHeight - bar - border;
        AHeight = bar + (h - h % rowHeight) + 2 * border;
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// --- properties ----------------------------------------------------------------------------

void TExtStringGrid::SetActiveCellFont(const TFont* Value) {
    FActiveCellFont->Assign(Value);
    Invalidate();
}

void TExtStringGrid::SetFixedFont(const TFont* Value) {
    FFixedFont->Assign(Value);
    Invalidate();
}

void TExtStringGrid::SetSelectionColor(TColor Value) {
    FSelectionColor = Value;
    Invalidate();
}

void TExtStringGrid::SetSelectionTextColor(TColor Value) {
    FSelectionTextColor = Value;
    Invalidate();
}

void TExtStringGrid::SetShowSelection(bool Value) {
    if (Value == FShowSelection) return;
    FShowSelection = Value;
    Invalidate();
}

void TExtStringGrid::SetSelectionRectangle(bool Value) {
    FSelectionRectangle = Value;
    Invalidate();
}

void TExtStringGrid::SetSelectionResizer(bool Value) {
    FSelectionResizer = Value;
    Invalidate();
}

void TExtStringGrid::SetURLShow(bool Value) {
    FURLShow = Value;
    Invalidate();
}

void TExtStringGrid::SetURLColor(TColor Value) {
    FURLColor = Value;
    if (FURLShow) Invalidate();
}

void TExtStringGrid::SetURLFull(bool Value) {
    FURLFull = Value;
    if (FURLShow) Invalidate();
}

void TExtStringGrid::SetWordWrap(bool Value) {
    FWordWrap = Value;
    Invalidate(); // a bulk update holds it back
}

void TExtStringGrid::SetAutoSize(bool Value) {
    FAutoSize = Value;
}

void TExtStringGrid::SetVAlignment(TVAlignment Value) {
    FVAlignment = Value;
    FVAlignmentFlag = Value == vtaCenter ? 4u : Value == vtaBottom ? 8u : 0u;
    Invalidate();
}

void TExtStringGrid::SetLook(TGridLook Value) {
    if (Value == FLook) return;
    FLook = Value;
    Invalidate();
}

void TExtStringGrid::SetFlat(bool Value) {
    FFlat = Value;
    if (!HasState(csLoading)) Invalidate();
}

void TExtStringGrid::SetFixedFooters(int Value) {
    FFixedFooters = Value;
    Invalidate();
}

void TExtStringGrid::SetFixedRightCols(int Value) {
    FFixedRightCols = Value;
    Invalidate();
}

void TExtStringGrid::SetIntegralHeight(bool Value) {
    FIntegralHeight = Value;
    SetBounds(Left(), Top(), Width(), Height());
}

void TExtStringGrid::SetGridImages(TImageList* Value) {
    if (Value == FGridImages) return;
    FGridImages = Value;
    if (Value) Value->FreeNotification(this);
    FHTMLImages.clear();
    Invalidate();
}

void TExtStringGrid::SetPictureContainer(TPictureContainer* Value) {
    if (Value == FPictureContainer) return;
    FPictureContainer = Value;
    if (Value) Value->FreeNotification(this);
    Invalidate();
}

void TExtStringGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TBaseGrid::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FGridImages) {
        FGridImages = nullptr;
        FHTMLImages.clear();
    }
    if (AComponent == FPictureContainer) FPictureContainer = nullptr;
}

THTMLImageLookup TExtStringGrid::HTMLImages() {
    if (!FHTMLPictureCache) FHTMLPictureCache = std::make_unique<THTMLPictureCache>();
    return HTMLImageLookup(
        [this](int Index) -> const TGraphic* {
            if (!FGridImages || Index < 0 || Index >= FGridImages->Count()) return nullptr;
            std::unique_ptr<TBitmap>& image = FHTMLImages[Index];
            if (!image) image = std::make_unique<TBitmap>();
            // Taken afresh each time: the list's images may change.
            FGridImages->GetBitmap(Index, image.get());
            return image.get();
        },
        FHTMLPictureCache.get(), FPictureContainer);
}

// --- headers -------------------------------------------------------------------------------

void TExtStringGrid::WriteColumnHeaders() {
    if (FixedRows() <= 0) return;
    for (int c = 0; c < ColCount(); ++c)
        WriteCell(c, 0, "");
    for (int i = 0; i < std::min(FColumnHeaders->Count(), ColCount()); ++i)
        WriteCell(i, 0, ExpandNewLineEscapes(FColumnHeaders->Get(i)));
}

void TExtStringGrid::WriteRowHeaders() {
    if (Designing() && FixedCols() > 0)
        for (int r = 0; r < RowCount(); ++r)
            WriteCell(0, r, "");
    for (int i = 0; i < std::min(FRowHeaders->Count(), RowCount()); ++i)
        WriteCell(0, i, ExpandNewLineEscapes(FRowHeaders->Get(i)));
}

void TExtStringGrid::WriteHeaders() {
    WriteColumnHeaders();
    WriteRowHeaders();
}

// --- life cycle ----------------------------------------------------------------------------

void TExtStringGrid::Loaded() {
    TBaseGrid::Loaded();
    WriteHeaders();
    LoadColumnSizes();
    FSavedFixedRows = TBaseGrid::FixedRows();
    FSavedDefaultRowHeight = DefaultRowHeight();
    if (Options().Contains(goAlwaysShowEditor)) {
        SetOptions(Options() - goAlwaysShowEditor);
        FNavigation->AlwaysEdit = true;
    }
}

void TExtStringGrid::CreateWnd() {
    TBaseGrid::CreateWnd();
    LoadColumnSizes();
}

void TExtStringGrid::Resize() {
    TBaseGrid::Resize();
    const int width = ClientWidth();
    if (FColumnSize->Stretch()) {
        StretchColumn(FColumnSize->StretchColumn);
    } else if (FColumnSize->SynchWithGrid && width != FLastClientWidth) {
        // The columns keep their share of the width.
        SynchColumnsToWidth(FLastClientWidth, width);
    }
    FLastClientWidth = width;
    UpdateScrollBars();
    PositionCellControls();
    if (FFixedFooters > 0 || FFixedRightCols > 0) Invalidate();
    if (OnResize) OnResize(this);
}

void TExtStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                     int& SizingOfs) {
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
    bool allow = true;
    if (State == gsColSizing && OnColumnSize) {
        const TGridCoord c = MouseCoord(X - 6, Y);
        if (c.Y >= 0 && c.Y < FixedRows()) OnColumnSize(this, Index, allow);
    } else if (State == gsRowSizing && OnRowSize) {
        const TGridCoord c = MouseCoord(X, Y - 6);
        if (c.X >= 0 && c.X < FixedCols()) OnRowSize(this, Index, allow);
    }
    if (!allow) State = gsNormal;
}

// --- the cell questions ------------------------------------------------------------------

void TExtStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                  TFont* AFont) {
    if (ActiveCellShow) {
        const int displCol = DisplColIndex(ACol);
        const bool header = ARow == 0 && displCol == Col() && FixedRows() >= 1;
        const bool rowHead = displCol == 0 && ARow == Row() && FixedCols() > 0;
        if (header || rowHead) {
            AFont->Assign(FActiveCellFont.get());
            ABrush->SetColor(ActiveCellColor);
        }
    }
    if (const TCellProperties* p = FindCellProperties(ACol, ARow)) {
        if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
        if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
        if (p->FontStyle != TFontStyles{}) AFont->SetStyle(p->FontStyle);
        if (p->FontSize != 0) AFont->SetSize(p->FontSize);
        if (!p->FontName.empty()) AFont->SetName(p->FontName);
    }
    if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExtStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                       TFont* AFont) {
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExtStringGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
    if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TExtStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TExtStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
    if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TExtStringGrid::GetCellFormat(int ACol, int ARow, TSortStyle& AStyle, std::string& aPrefix,
                                   std::string& aSuffix) {
    if (OnGetFormat) OnGetFormat(this, ACol, AStyle, aPrefix, aSuffix);
}

void TExtStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TExtStringGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed) {
    if (!IsFixed) {
        if (FixedRowAlways && ARow <= FSavedFixedRows && RowCount() == FSavedFixedRows)
            IsFixed = true;
        else if (FixedColAlways && ACol == 0 && ColCount() == 1)
            IsFixed = true;
        else
            IsFixed = ACol < FixedCols() || ARow < FixedRows();
    }
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TExtStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit) {
    int baseCol = ACol, baseRow = ARow;
    CheckBaseCell(ACol, ARow, baseCol, baseRow);
    if (const TCellProperties* p = FindCellProperties(baseCol, baseRow); p && CanEdit) {
        CanEdit = !p->ReadOnly;
        if (!Options().Contains(goEditing)) CanEdit = false;
    }
    if (OnCanEditCell) OnCanEditCell(this, baseRow, baseCol, CanEdit);
}

void TExtStringGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword) {
    if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

bool TExtStringGrid::HasCombo(int ACol, int ARow) {
    bool result = false;
    if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, result);
    return result;
}

std::string TExtStringGrid::GetCheckTrue(int ACol, int ARow) {
    std::string value = "Y";
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, value);
    return value;
}

std::string TExtStringGrid::GetCheckFalse(int ACol, int ARow) {
    std::string value = "N";
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, value);
    return value;
}

bool TExtStringGrid::CanAddRow() {
    bool result = true;
    if (OnCanAddRow) OnCanAddRow(this, result);
    return result;
}

bool TExtStringGrid::CanInsertRow(int ARow) {
    bool result = true;
    if (OnCanInsertRow) OnCanInsertRow(this, ARow, result);
    return result;
}

void TExtStringGrid::GetGridHint(int ACol, int ARow, std::string& hintstr) {
    if (OnGridHint) OnGridHint(this, ARow, ACol, hintstr);
}

bool TExtStringGrid::GetFloatFormat(int ACol, int ARow, std::string& AFloatFormat) {
    AFloatFormat = FloatFormat;
    if (!OnGetFloatFormat) return false;
    // The handler says no by clearing it; one that leaves it formats the cell.
    bool isFloat = true;
    OnGetFloatFormat(this, ACol, ARow, isFloat, AFloatFormat);
    return isFloat;
}

void TExtStringGrid::UpdateColumnSize(int ACol, int& AWidth) {
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

int TExtStringGrid::GetVersionNr() const {
    return 0x02060002; // 2.6.0.2
}

std::string TExtStringGrid::GetVersionString() const {
    const unsigned v = static_cast<unsigned>(GetVersionNr());
    return std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 0xFF) + "." +
           std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF) + " August, 2003";
}

// --- edits and changes ---------------------------------------------------------------------

void TExtStringGrid::CellsChanged(const TRect& R) {
    if (OnCellsChanged) OnCellsChanged(this, R);
}

void TExtStringGrid::EditStart(int ACol, int ARow) {
    FEditStartCol = ACol;
    FEditStartRow = ARow;
    FEditStartText = ReadCell(RealColIndex(ACol), ARow);
}

namespace {

// Closing and reopening the editor on a refused value must not validate again.
struct TValidatingGuard {
    bool& Flag;
    explicit TValidatingGuard(bool& F) : Flag(F) { Flag = true; }
    ~TValidatingGuard() { Flag = false; }
};

} // namespace

bool TExtStringGrid::ValidateCell(const std::string& NewValue) {
    if (!EditorMode() || FValidating) return true;
    if (NewValue == FEditStartText) return true;
    TValidatingGuard guard(FValidating);
    const int col = RealColIndex(Col()), row = Row();
    CellChanged(col, row);
    std::string value = NewValue;
    if (CellChecker && CellChecker->AutoCorrect) value = CellChecker->Correct(col, row, value);
    bool valid = true;
    if (OnCellValidate) OnCellValidate(this, col, row, value, valid);
    if (CellChecker && CellChecker->AutoMarkError)
        value = CellChecker->HighlightError(col, row, value);
    if (UndoRedo()) UndoRedo()->AddChange(col, row, FEditStartText, value);
    CellsChanged(CellRect(Col(), row));
    if (valid) {
        WriteCell(col, row, value);
    } else {
        HideEditor();
        WriteCell(col, row, value != NewValue ? value : FEditStartText);
        ShowEditor();
    }
    FEditStartText = ReadCell(col, row);
    EditStart(Col(), Row());
    return valid;
}

bool TExtStringGrid::ValidateCellWide(const std::u16string& NewValue) {
    if (!EditorMode() || FValidating) return true;
    const std::string encoded = EncodeWideCell(NewValue);
    if (encoded == FEditStartText) return true;
    if (!OnCellValidateWide) return ValidateCell(encoded);
    // The wide handler sees and may change the wide text; the rest is the
    // narrow road with what it left.
    std::u16string value = NewValue;
    bool valid = true;
    OnCellValidateWide(this, RealColIndex(Col()), Row(), value, valid);
    const std::string changed = EncodeWideCell(value);
    if (valid) return ValidateCell(changed);
    TValidatingGuard guard(FValidating);
    HideEditor();
    WriteCell(RealColIndex(Col()), Row(), value != NewValue ? changed : FEditStartText);
    ShowEditor();
    EditStart(Col(), Row());
    return false;
}
