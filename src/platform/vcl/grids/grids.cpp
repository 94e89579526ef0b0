// The custom grid: counts and sizes, the current cell and the selection, and
// moving rows and columns.
#include "platform/vcl/grids/gridaxis.h"

#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

const char* const SFixedColTooBig = "Fixed column count must be less than column count";
const char* const SFixedRowTooBig = "Fixed row count must be less than row count";
const char* const SIndexOutOfRange = "Grid index out of range";

void CheckIndex(int Index, int Count) {
    if (Index < 0 || Index >= Count) throw EInvalidGridOperation(SIndexOutOfRange);
}

} // namespace

TCustomGrid::TAxis TCustomGrid::HorzAxis() const {
    return {FColCount, FFixedCols, FTopLeft.X, ClientWidth(), LineWidthH(), &FColWidths};
}

TCustomGrid::TAxis TCustomGrid::VertAxis() const {
    return {FRowCount, FFixedRows, FTopLeft.Y, ClientHeight(), LineWidthV(), &FRowHeights};
}

int TCustomGrid::LineWidthH() const {
    return FOptions.Contains(goVertLine) || FOptions.Contains(goFixedVertLine) ? FGridLineWidth : 0;
}

int TCustomGrid::LineWidthV() const {
    return FOptions.Contains(goHorzLine) || FOptions.Contains(goFixedHorzLine) ? FGridLineWidth : 0;
}

// --- life ------------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csDoubleClicks});
    SetTabStop(true);
    SetColor(clWindow);
    WindowProc = [this](TMessage& Message) { ClientWndProc(Message); };
    FColWidths.assign(static_cast<size_t>(FColCount), FDefaultColWidth);
    FRowHeights.assign(static_cast<size_t>(FRowCount), FDefaultRowHeight);
    FCurrent = FAnchor = FTopLeft = {FFixedCols, FFixedRows};
    Widget()->setFocusPolicy(Qt::StrongFocus);
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::SetParent(TWinControl* AParent) {
    const bool had = Parent() != nullptr;
    TCustomControl::SetParent(AParent);
    if (!had && AParent && !FWndCreated) {
        FWndCreated = true;
        CreateWnd();
    } else if (had && !AParent && FWndCreated) {
        FWndCreated = false;
        DestroyWnd();
    }
}

void TCustomGrid::CreateWnd() {
    UpdateScrollBars();
}

void TCustomGrid::DestroyWnd() {
    HideEdit();
}

void TCustomGrid::Loaded() {
    TCustomControl::Loaded();
    UpdateScrollBars();
}

void TCustomGrid::Resize() {
    UpdateScrollBars();
    if (FEditorMode && FInplaceEdit) FInplaceEdit->UpdateLoc(CellRect(Col(), Row()));
    TCustomControl::Resize();
}

void TCustomGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FInplaceEdit) {
        FInplaceEdit = nullptr;
        FEditorMode = false;
    }
}

TRect TCustomGrid::ClientRect() const {
    const int b = BorderOffset();
    const int w = Width() - 2 * b - (FVertShown ? GridScrollBarSize : 0);
    const int h = Height() - 2 * b - (FHorzShown ? GridScrollBarSize : 0);
    return Rect(0, 0, std::max(0, w), std::max(0, h));
}

// --- counts and sizes --------------------------------------------------------------

void TCustomGrid::SetColCount(int Value) {
    Value = std::max(Value, 1);
    if (Value == FColCount) return;
    if (FFixedCols >= Value) FFixedCols = Value - 1;
    ChangeSize(Value, FRowCount);
}

void TCustomGrid::SetRowCount(int Value) {
    Value = std::max(Value, 1);
    if (Value == FRowCount) return;
    if (FFixedRows >= Value) FFixedRows = Value - 1;
    ChangeSize(FColCount, Value);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
    const int oldCols = FColCount, oldRows = FRowCount;
    const TGridCoord oldTopLeft = FTopLeft;
    HideEdit();
    FColWidths.resize(static_cast<size_t>(NewColCount), FDefaultColWidth);
    FRowHeights.resize(static_cast<size_t>(NewRowCount), FDefaultRowHeight);
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    auto clampCoord = [this](TGridCoord& C) {
        C.X = std::clamp(C.X, FFixedCols, FColCount - 1);
        C.Y = std::clamp(C.Y, FFixedRows, FRowCount - 1);
    };
    clampCoord(FCurrent);
    clampCoord(FAnchor);
    clampCoord(FTopLeft);
    SizeChanged(oldCols, oldRows);
    SettleTopLeft(oldTopLeft);
    InvalidateGrid();
    if (FEditorMode) UpdateEditor();
}

void TCustomGrid::SetFixedCols(int Value) {
    SetFixed(false, Value);
}

void TCustomGrid::SetFixedRows(int Value) {
    SetFixed(true, Value);
}

void TCustomGrid::SetFixed(bool Rows, int Value) {
    if (Value < 0) throw EInvalidGridOperation(SIndexOutOfRange);
    if (Value >= (Rows ? FRowCount : FColCount))
        throw EInvalidGridOperation(Rows ? SFixedRowTooBig : SFixedColTooBig);
    int& fixed = Rows ? FFixedRows : FFixedCols;
    if (Value == fixed) return;
    const TGridCoord oldTopLeft = FTopLeft;
    HideEdit();
    fixed = Value;
    // The view starts again at the first non-fixed cell; the current cell and
    // the anchor leave the fixed area.
    auto along = [Rows](TGridCoord& C) -> int& { return Rows ? C.Y : C.X; };
    along(FTopLeft) = Value;
    along(FCurrent) = std::max(along(FCurrent), Value);
    along(FAnchor) = std::max(along(FAnchor), Value);
    SettleTopLeft(oldTopLeft);
    InvalidateGrid();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
    FDefaultColWidth = Value;
    std::fill(FColWidths.begin(), FColWidths.end(), Value);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
    FDefaultRowHeight = Value;
    std::fill(FRowHeights.begin(), FRowHeights.end(), Value);
    RowHeightsChanged();
}

int TCustomGrid::ColWidths(int Index) const {
    if (Index < 0 || Index >= FColCount) return FDefaultColWidth;
    return FColWidths[static_cast<size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
    CheckIndex(Index, FColCount);
    Value = std::max(Value, 0);
    if (FColWidths[static_cast<size_t>(Index)] == Value) return;
    FColWidths[static_cast<size_t>(Index)] = Value;
    ColWidthsChanged();
}

int TCustomGrid::RowHeights(int Index) const {
    if (Index < 0 || Index >= FRowCount) return FDefaultRowHeight;
    return FRowHeights[static_cast<size_t>(Index)];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
    CheckIndex(Index, FRowCount);
    Value = std::max(Value, 0);
    if (FRowHeights[static_cast<size_t>(Index)] == Value) return;
    FRowHeights[static_cast<size_t>(Index)] = Value;
    RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged() {
    UpdateScrollBars();
    InvalidateGrid();
    if (FEditorMode && FInplaceEdit) FInplaceEdit->UpdateLoc(CellRect(Col(), Row()));
}

void TCustomGrid::RowHeightsChanged() {
    UpdateScrollBars();
    InvalidateGrid();
    if (FEditorMode && FInplaceEdit) FInplaceEdit->UpdateLoc(CellRect(Col(), Row()));
}

void TCustomGrid::SetGridLineWidth(int Value) {
    Value = std::max(Value, 0);
    if (Value == FGridLineWidth) return;
    FGridLineWidth = Value;
    ColWidthsChanged();
}

void TCustomGrid::SetFixedColor(TColor Value) {
    if (Value == FFixedColor) return;
    FFixedColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsSingle) Value = bsNone;
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    UpdateScrollBars();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
    if (Value == FDefaultDrawing) return;
    FDefaultDrawing = Value;
    InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
    if (Value == FOptions) return;
    if (Value.Contains(goRowSelect)) Value.Exclude(goAlwaysShowEditor);
    const TGridOptions old = FOptions;
    FOptions = Value;
    if (!Value.Contains(goEditing) || Value.Contains(goRowSelect)) HideEditor();
    if (Value.Contains(goAlwaysShowEditor) && Value.Contains(goEditing)) {
        SetEditorMode(true);
    } else if (old.Contains(goAlwaysShowEditor) && !Value.Contains(goAlwaysShowEditor)) {
        HideEditor();
    }
    const TGridOptions lines = {goVertLine, goFixedVertLine, goHorzLine, goFixedHorzLine};
    if (old * lines != Value * lines) UpdateScrollBars();
    InvalidateGrid();
}

int TCustomGrid::GridWidth() const {
    int w = 0;
    for (int c = 0; c < FColCount; ++c)
        w += ColWidths(c) + LineWidthH();
    return w;
}

int TCustomGrid::GridHeight() const {
    int h = 0;
    for (int r = 0; r < FRowCount; ++r)
        h += RowHeights(r) + LineWidthV();
    return h;
}

// --- position ----------------------------------------------------------------------

int TCustomGrid::VisibleColCount() const {
    return HorzAxis().FullVisible();
}

int TCustomGrid::VisibleRowCount() const {
    return VertAxis().FullVisible();
}

int TCustomGrid::MaxTopRow() const {
    return VertAxis().MaxFirst();
}

int TCustomGrid::MaxLeftCol() const {
    return HorzAxis().MaxFirst();
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
    const TAxis h = HorzAxis(), v = VertAxis();
    const int x = h.Start(ACol), y = v.Start(ARow);
    if (x < 0 || y < 0) return {};
    return Rect(x, y, x + h.Size(ACol), y + v.Size(ARow));
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
    return {HorzAxis().CellAt(X), VertAxis().CellAt(Y)};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

TGridRect TCustomGrid::Selection() const {
    TGridRect r = GridRect(FAnchor, FCurrent);
    if (FOptions.Contains(goRowSelect)) {
        r.Left = FFixedCols;
        r.Right = FColCount - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
    const TGridRect old = Selection();
    const TGridRect v = GridRect(Value.TopLeft(), Value.BottomRight());
    CheckIndex(v.Left, FColCount);
    CheckIndex(v.Right, FColCount);
    CheckIndex(v.Top, FRowCount);
    CheckIndex(v.Bottom, FRowCount);
    FCurrent = v.TopLeft();
    FAnchor = v.BottomRight();
    ClampInView(FCurrent.X, FCurrent.Y);
    ApplySelectionChange(old);
    if (FEditorMode) UpdateEditor();
}

void TCustomGrid::SetCol(int Value) {
    if (Value != Col()) FocusCell(Value, Row(), true);
}

void TCustomGrid::SetRow(int Value) {
    if (Value != Row()) FocusCell(Col(), Value, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
    const TGridCoord before = FCurrent;
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    if (!(FCurrent == before)) Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
    CheckIndex(ACol, FColCount);
    CheckIndex(ARow, FRowCount);
    if (!SelectCell(ACol, ARow)) return;
    const TGridRect old = Selection();
    const bool moved = !(FCurrent == TGridCoord{ACol, ARow});
    if (moved && !FOptions.Contains(goAlwaysShowEditor)) HideEditor();
    FCurrent = {ACol, ARow};
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
    if (Show) ClampInView(ACol, ARow);
    ApplySelectionChange(old);
    if (moved && FEditorMode) UpdateEditor();
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor) {
    if (!FOptions.Contains(goRangeSelect)) {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
        return;
    }
    const TGridRect old = Selection();
    FAnchor = NewAnchor;
    ClampInView(NewAnchor.X, NewAnchor.Y);
    ApplySelectionChange(old);
}

void TCustomGrid::ApplySelectionChange(const TGridRect& OldSel) {
    const TGridRect now = Selection();
    if (now == OldSel) {
        InvalidateCell(FCurrent.X, FCurrent.Y);
        return;
    }
    InvalidateGridRect(OldSel);
    InvalidateGridRect(now);
}

void TCustomGrid::ClampInView(int ACol, int ARow) {
    TGridCoord top = FTopLeft;
    auto clampAxis = [](const TAxis& A, int Index) {
        if (Index < A.Fixed) return A.First;
        if (Index < A.First) return Index;
        // The first cell with which Index is shown in full.
        const int room = A.Extent - A.FixedBoundary();
        int pos = 0;
        for (int i = A.First; i <= Index; ++i)
            pos += A.Size(i) + A.Line;
        if (pos - A.Line <= room) return A.First;
        int first = Index;
        int used = A.Size(Index);
        while (first > A.Fixed && used + A.Line + A.Size(first - 1) <= room) {
            --first;
            used += A.Line + A.Size(first);
        }
        return first;
    };
    top.X = clampAxis(HorzAxis(), ACol);
    top.Y = clampAxis(VertAxis(), ARow);
    MoveTopLeft(top.X, top.Y);
}

void TCustomGrid::SetTopRow(int Value) {
    // Never past the last full page: the last row stays at the bottom.
    Value = std::clamp(Value, FFixedRows, MaxTopRow());
    MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::SetLeftCol(int Value) {
    Value = std::clamp(Value, FFixedCols, MaxLeftCol());
    MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
    FTopLeft = {ALeft, ATop};
    UpdateScrollBars();
    InvalidateGrid();
    TopLeftChanged();
}

void TCustomGrid::SettleTopLeft(const TGridCoord& OldTopLeft) {
    // UpdateScrollBars reports only what it moves itself; a move made before
    // it (a shrinking count, a new fixed count) is reported here, once.
    const TGridCoord before = FTopLeft;
    UpdateScrollBars();
    if (FTopLeft == before && !(before == OldTopLeft)) TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
    if (FEditorMode && FInplaceEdit) FInplaceEdit->UpdateLoc(CellRect(Col(), Row()));
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

// --- structure --------------------------------------------------------------------

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
    MoveLine(false, FromIndex, ToIndex);
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
    MoveLine(true, FromIndex, ToIndex);
}

void TCustomGrid::MoveLine(bool Rows, int FromIndex, int ToIndex) {
    CheckIndex(FromIndex, Rows ? FRowCount : FColCount);
    CheckIndex(ToIndex, Rows ? FRowCount : FColCount);
    if (FromIndex == ToIndex) return;
    HideEdit();
    // The size goes with its column or row; the current cell and the anchor
    // stay on the cells they were on.
    auto& sizes = Rows ? FRowHeights : FColWidths;
    const int size = sizes[static_cast<size_t>(FromIndex)];
    sizes.erase(sizes.begin() + FromIndex);
    sizes.insert(sizes.begin() + ToIndex, size);
    auto follow = [FromIndex, ToIndex](int& I) {
        if (I == FromIndex)
            I = ToIndex;
        else if (FromIndex < ToIndex && I > FromIndex && I <= ToIndex)
            --I;
        else if (FromIndex > ToIndex && I >= ToIndex && I < FromIndex)
            ++I;
    };
    follow(Rows ? FCurrent.Y : FCurrent.X);
    follow(Rows ? FAnchor.Y : FAnchor.X);
    if (Rows) {
        RowMoved(FromIndex, ToIndex);
        RowHeightsChanged();
    } else {
        ColumnMoved(FromIndex, ToIndex);
        ColWidthsChanged();
    }
    if (FEditorMode) UpdateEditor();
}

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex) {
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::RowMoved(int FromIndex, int ToIndex) {
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::DeleteColumn(int ACol) {
    CheckIndex(ACol, FColCount);
    MoveColumn(ACol, FColCount - 1);
    SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int ARow) {
    CheckIndex(ARow, FRowCount);
    MoveRow(ARow, FRowCount - 1);
    SetRowCount(FRowCount - 1);
}
