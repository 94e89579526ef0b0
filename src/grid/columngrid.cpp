#include "grid/columngrid.h"

#include <algorithm>

#include "grid/editlink.h"
#include "grid/grideditors.h"
#include "grid/support/gridvalues.h"
#include "platform/vcl/forms.h"

// --- column items ------------------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TCollection* Collection)
    : TCollectionItem(Collection), FBorderPen(std::make_unique<TPen>()),
      FPrintBorderPen(std::make_unique<TPen>()), FComboItems(std::make_unique<TStringList>()),
      FFilter(std::make_unique<TStringList>()), FFont(std::make_unique<TFont>()),
      FPrintFont(std::make_unique<TFont>()) {
    FBorderPen->SetWidth(1);
    FBorderPen->SetColor(clSilver);
    FPrintBorderPen->SetWidth(1);
    FPrintBorderPen->SetColor(clBlack);
    if (TExtColumnGrid* g = Grid()) {
        FColor = g->Color();
        FFont->Assign(g->Font());
        FPrintFont->Assign(g->Font());
    }
}

TGridColumnItem::~TGridColumnItem() = default;

TExtColumnGrid* TGridColumnItem::Grid() const {
    const auto* c = dynamic_cast<const TGridColumnCollection*>(Collection());
    return c ? c->Grid() : nullptr;
}

std::string TGridColumnItem::DisplayName() const {
    return Name.empty() ? "Column " + std::to_string(Index()) : Name;
}

void TGridColumnItem::Assign(const TPersistent* Source) {
    const auto* s = dynamic_cast<const TGridColumnItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    AutoMinSize = s->AutoMinSize;
    AutoMaxSize = s->AutoMaxSize;
    FAlignment = s->FAlignment;
    FBorders = s->FBorders;
    FBorderPen->Assign(s->FBorderPen.get());
    CheckFalse = s->CheckFalse;
    CheckTrue = s->CheckTrue;
    FColor = s->FColor;
    ColumnPopup = s->ColumnPopup;
    ColumnPopupType = s->ColumnPopupType;
    FComboItems->Assign(s->FComboItems.get());
    EditLength = s->EditLength;
    EditLink = s->EditLink;
    EditMask = s->EditMask;
    FEditor = s->FEditor;
    FFilter->Assign(s->FFilter.get());
    FilterCaseSensitive = s->FilterCaseSensitive;
    FFixed = s->FFixed;
    FFloatFormat = s->FFloatFormat;
    FFont->Assign(s->FFont.get());
    FHeader = s->FHeader;
    MinSize = s->MinSize;
    MaxSize = s->MaxSize;
    Name = s->Name;
    FPassword = s->FPassword;
    PrintBorders = s->PrintBorders;
    FPrintBorderPen->Assign(s->FPrintBorderPen.get());
    PrintColor = s->PrintColor;
    FPrintFont->Assign(s->FPrintFont.get());
    ReadOnly = s->ReadOnly;
    FShowBands = s->FShowBands;
    SortStyle = s->SortStyle;
    SortPrefix = s->SortPrefix;
    SortSuffix = s->SortSuffix;
    SpinMax = s->SpinMax;
    SpinMin = s->SpinMin;
    SpinStep = s->SpinStep;
    Tag = s->Tag;
    FWidth = s->FWidth;
    Changed();
}

void TGridColumnItem::Changed() {
    TCollectionItem::Changed(false);
}

void TGridColumnItem::Repaint() {
    if (TExtColumnGrid* g = Grid()) g->Invalidate();
}

void TGridColumnItem::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Changed();
}

void TGridColumnItem::SetBorders(TCellBorders Value) {
    FBorders = Value;
    Changed();
}

void TGridColumnItem::SetBorderPen(const TPen* Value) {
    FBorderPen->Assign(Value);
    Changed();
}

void TGridColumnItem::SetColor(TColor Value) {
    FColor = Value;
    Changed();
}

void TGridColumnItem::SetComboItems(const TStrings* Value) {
    FComboItems->Assign(Value);
}

void TGridColumnItem::SetEditor(TEditorType Value) {
    if (Value == FEditor) return;
    const bool repaint = Value == edDataCheckBox || FEditor == edDataCheckBox;
    FEditor = Value;
    if (repaint) Repaint();
}

void TGridColumnItem::SetFilter(const TStrings* Value) {
    FFilter->Assign(Value);
    Repaint();
}

void TGridColumnItem::SetFixed(bool Value) {
    FFixed = Value;
    Changed();
}

void TGridColumnItem::SetFloatFormat(const std::string& Value) {
    FFloatFormat = Value;
    Repaint();
}

void TGridColumnItem::SetFont(const TFont* Value) {
    FFont->Assign(Value);
    Changed();
}

void TGridColumnItem::SetHeader(const std::string& Value) {
    FHeader = Value;
    TExtColumnGrid* g = Grid();
    if (!g) return;
    if (g->FixedRows() > 0 && !g->SyncingHeaders()) {
        g->SetCells(Index(), 0, Value);
        Changed();
    }
    TStringList* headers = g->ColumnHeaders();
    headers->Clear();
    for (int i = 0; i < g->Columns()->Count(); ++i)
        headers->Add(g->Columns()->Items(i)->Header());
}

void TGridColumnItem::SetPassword(bool Value) {
    FPassword = Value;
    Changed();
}

void TGridColumnItem::SetShowBands(bool Value) {
    FShowBands = Value;
    Changed();
}

void TGridColumnItem::SetWidth(int Value) {
    FWidth = Value;
    if (TExtColumnGrid* g = Grid(); g && Index() < g->GetAllColCount())
        g->SetRealColWidth(Index(), Value);
}

// --- the collection ----------------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TExtColumnGrid* AGrid)
    : TCollection([](TCollection* C) { return std::make_unique<TGridColumnItem>(C); }),
      FGrid(AGrid) {}

void TGridColumnCollection::Update(TCollectionItem* Item) {
    TCollection::Update(Item);
    if (UpdateGuard || !FGrid) return;
    const int n = Count() - FGrid->NumHiddenColumns();
    if (n != FGrid->ColCount() && n > FGrid->FixedCols()) FGrid->SetColCount(n);
    FGrid->Invalidate();
}

// --- the drop-down -----------------------------------------------------------------------

TFilterDropDown::TFilterDropDown() : FFont(std::make_unique<TFont>()) {}

// --- the grid ----------------------------------------------------------------------------

namespace {

// A guard that is set for its lifetime.
struct TGuard {
    explicit TGuard(bool& F) : Flag(F), Old(F) { Flag = true; }
    ~TGuard() { Flag = Old; }
    bool& Flag;
    bool Old;
};

// Up to the least, then down to the most; 0 is no limit.
void KeepWithin(int& AWidth, int Least, int Most) {
    if (Least > 0) AWidth = std::max(AWidth, Least);
    if (Most > 0) AWidth = std::min(AWidth, Most);
}

} // namespace

TExtColumnGrid::TExtColumnGrid(TComponent* AOwner)
    : TExtStringGrid(AOwner), FCheckGraphic(std::make_unique<TCellGraphic>()),
      FFilterDropDown(std::make_unique<TFilterDropDown>()) {
    FColumns = CreateColumns();
    {
        TGuard guard(FColumns->UpdateGuard);
        SyncColumns();
    }
    FCheckGraphic->CellType = ctVirtCheckBox;
    FDropList = CreateDropList(this, [this](int Index) { ApplyColumnFilter(Index); });
}

TExtColumnGrid::~TExtColumnGrid() = default;

std::unique_ptr<TGridColumnCollection> TExtColumnGrid::CreateColumns() {
    return std::make_unique<TGridColumnCollection>(this);
}

TGridColumnItem* TExtColumnGrid::ItemOf(int ARealCol) const {
    if (!FColumns || ARealCol < 0 || ARealCol >= FColumns->Count()) return nullptr;
    return FColumns->Items(ARealCol);
}

void TExtColumnGrid::SetColCount(int Value) {
    TExtStringGrid::SetColCount(Value);
    TGuard guard(FColumns->UpdateGuard);
    SyncColumns();
}

void TExtColumnGrid::SyncColumns() {
    if (!FColumns || FHoldItems) return;
    const int wanted = ColCount() + NumHiddenColumns();
    while (FColumns->Count() < wanted)
        FColumns->Add();
    while (FColumns->Count() > wanted)
        FColumns->Delete(FColumns->Count() - 1);
    if (Designing())
        for (int i = 0; i < ColCount() && FixedRows() < RowCount(); ++i)
            TStringGrid::SetCells(i, FixedRows(), "Column " + std::to_string(i));
    if (FixedRows() > 0)
        for (int i = 0; i < ColCount(); ++i) {
            const int real = RealColIndex(i);
            if (TGridColumnItem* item = ItemOf(real)) item->FHeader = ReadCell(real, 0);
        }
}

void TExtColumnGrid::Loaded() {
    TExtStringGrid::Loaded();
    TGuard guard(FColumns->UpdateGuard);
    SyncColumns();
}

void TExtColumnGrid::UpdateColumnWidths() {
    for (int i = 0; i < ColCount(); ++i)
        if (TGridColumnItem* item = ItemOf(RealColIndex(i))) item->FWidth = ColWidths(i);
}

void TExtColumnGrid::InsertCols(int ACol, int ACount) {
    TGuard guard(FColumns->UpdateGuard);
    {
        TGuard hold(FHoldItems);
        TExtStringGrid::InsertCols(ACol, ACount);
    }
    if (ACount < 1) return;
    for (int i = 0; i < ACount; ++i)
        FColumns->Insert(std::clamp(ACol + i, 0, FColumns->Count()));
    SyncColumns();
}

void TExtColumnGrid::RemoveCols(int ACol, int ACount) {
    TGuard guard(FColumns->UpdateGuard);
    {
        TGuard hold(FHoldItems);
        TExtStringGrid::RemoveCols(ACol, ACount);
    }
    for (int i = 0; i < ACount && ACol >= 0 && ACol < FColumns->Count(); ++i)
        FColumns->Delete(ACol);
    SyncColumns();
}

void TExtColumnGrid::GridChanged() {
    TExtStringGrid::GridChanged();
    TGuard guard(FColumns->UpdateGuard);
    SyncColumns();
}

void TExtColumnGrid::ColumnMoved(int FromIndex, int ToIndex) {
    TExtStringGrid::ColumnMoved(FromIndex, ToIndex);
    const int from = RealColIndex(FromIndex), to = RealColIndex(ToIndex);
    if (from < 0 || to < 0 || from >= FColumns->Count() || to >= FColumns->Count()) return;
    TGuard guard(FColumns->UpdateGuard);
    const int top = TopRow();
    BeginGridUpdate();
    FColumns->Items(from)->SetIndex(to);
    EndGridUpdate();
    SetTopRow(top);
}

void TExtColumnGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TExtStringGrid::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove || !FColumns) return;
    // The link a column handed to the editors goes with it.
    if (EditLink && static_cast<TComponent*>(EditLink) == AComponent) EditLink = nullptr;
    for (int i = 0; i < FColumns->Count(); ++i) {
        TGridColumnItem* item = FColumns->Items(i);
        if (item->ColumnPopup == AComponent) item->ColumnPopup = nullptr;
        if (item->EditLink == AComponent) item->EditLink = nullptr;
    }
}

// --- cell answers ------------------------------------------------------------------------

bool TExtColumnGrid::ItemCellFromFixed(int ACol, int ARow) const {
    return ItemOf(ACol) && DisplColIndex(ACol) >= FixedCols() && ARow >= FixedRows();
}

bool TExtColumnGrid::NormalItemCell(int ACol, int ARow) const {
    return ItemCellFromFixed(ACol, ARow) &&
           ACol < ColCount() - FixedRightCols() + NumHiddenColumns() &&
           ARow < RowCount() - FixedFooters();
}

void TExtColumnGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
    if (const TGridColumnItem* item = ItemOf(ACol)) HAlign = item->Alignment();
    TExtStringGrid::GetCellAlignment(ACol, ARow, HAlign, VAlign);
}

void TExtColumnGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
    if (ItemCellFromFixed(ACol, ARow)) {
        Borders = ItemOf(ACol)->Borders();
        APen->Assign(ItemOf(ACol)->BorderPen());
    }
    TExtStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TExtColumnGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
    if (ItemCellFromFixed(ACol, ARow)) {
        Borders = ItemOf(ACol)->PrintBorders;
        APen->Assign(ItemOf(ACol)->PrintBorderPen());
    }
    TExtStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TExtColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                  TFont* AFont) {
    if (NormalItemCell(ACol, ARow)) {
        const TGridColumnItem* item = ItemOf(ACol);
        if (item->Fixed())
            ABrush->SetColor(FixedColor());
        else if (!(item->ShowBands() && Bands()->Active()))
            ABrush->SetColor(item->Color());
        AFont->Assign(item->Font());
    }
    TExtStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TExtColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                       TFont* AFont) {
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        if (NormalItemCell(ACol, ARow)) {
            if (item->Fixed())
                ABrush->SetColor(FixedColor());
            else if (!(item->ShowBands() && Bands()->Active() && Bands()->Print))
                ABrush->SetColor(item->PrintColor);
            AFont->Assign(item->PrintFont());
        } else
            AFont->Assign(PrintSettings()->HeaderFont());
    }
    TExtStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

bool TExtColumnGrid::HasCombo(int ACol, int ARow) {
    if (!ItemCellFromFixed(ACol, ARow)) return TExtStringGrid::HasCombo(ACol, ARow);
    const TEditorType e = ItemOf(ACol)->Editor();
    bool has = e == edComboEdit || e == edComboList;
    if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, has);
    return has;
}

void TExtColumnGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
    if (ItemCellFromFixed(ACol, ARow)) {
        const TGridColumnItem* item = ItemOf(ACol);
        AEditor = item->Editor();
        // The item fills the editor its column shows; the application's
        // event below may still change it. Other editors are left unmade.
        switch (AEditor) {
        case edComboEdit:
        case edComboList:
            Combobox()->Items()->Assign(item->ComboItems());
            break;
        case edSpinEdit:
        case edFloatSpinEdit: {
            TGridSpin* spin = SpinEdit();
            spin->MinValue = item->SpinMin;
            spin->MaxValue = item->SpinMax;
            spin->Increment = item->SpinStep;
            spin->MinFloatValue = item->SpinMin;
            spin->MaxFloatValue = item->SpinMax;
            spin->IncrementFloat = item->SpinStep;
            break;
        }
        default:
            break;
        }
        if (auto* link = dynamic_cast<TEditLink*>(item->EditLink)) EditLink = link;
    }
    TExtStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

int TExtColumnGrid::GetEditLimit() {
    // A column's own limit, else the grid's.
    const int own = EditLengthOf(RealColIndex(Col()));
    return own > 0 ? own : TExtStringGrid::GetEditLimit();
}

void TExtColumnGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed) {
    if (ItemCellFromFixed(ACol, ARow)) IsFixed = ItemOf(ACol)->Fixed();
    TExtStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TExtColumnGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword) {
    if (const TGridColumnItem* item = ItemOf(ACol)) IsPassword = item->Password();
    TExtStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

void TExtColumnGrid::CanEditCell(int ACol, int ARow, bool& CanEdit) {
    CanEdit = false;
    if (!HasState(csLoading) && ItemCellFromFixed(ACol, ARow)) {
        const TGridColumnItem* item = ItemOf(ACol);
        CanEdit = !item->ReadOnly && !item->Fixed();
    }
    int baseCol = ACol, baseRow = ARow;
    CheckBaseCell(ACol, ARow, baseCol, baseRow);
    if (const TCellProperties* p = FindCellProperties(baseCol, baseRow); p && CanEdit)
        CanEdit = !p->ReadOnly;
    if (OnCanEditCell) OnCanEditCell(this, baseRow, baseCol, CanEdit);
}

void TExtColumnGrid::GetCellFormat(int ACol, int ARow, TSortStyle& AStyle, std::string& aPrefix,
                                   std::string& aSuffix) {
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        AStyle = item->SortStyle;
        aPrefix = item->SortPrefix;
        aSuffix = item->SortSuffix;
    }
    TExtStringGrid::GetCellFormat(ACol, ARow, AStyle, aPrefix, aSuffix);
}

std::string TExtColumnGrid::GetCheckTrue(int ACol, int ARow) {
    std::string v = TExtStringGrid::GetCheckTrue(ACol, ARow);
    if (NormalItemCell(ACol, ARow)) v = ItemOf(ACol)->CheckTrue;
    return v;
}

std::string TExtColumnGrid::GetCheckFalse(int ACol, int ARow) {
    std::string v = TExtStringGrid::GetCheckFalse(ACol, ARow);
    if (NormalItemCell(ACol, ARow)) v = ItemOf(ACol)->CheckFalse;
    return v;
}

bool TExtColumnGrid::HasFilter(int ACol) {
    const TGridColumnItem* item = ItemOf(ACol);
    return item && item->Filter()->Count() > 0;
}

TCellType TExtColumnGrid::GetCellType(int ACol, int ARow) const {
    // The string grid's own answer, without the shared data check box.
    const TCellGraphic* own = TExtStringGrid::GetCellGraphic(ACol, ARow);
    const TCellType t = own ? own->CellType : ctEmpty;
    if (t == ctEmpty && NormalItemCell(ACol, ARow) && ItemOf(ACol)->Editor() == edDataCheckBox)
        return ctDataCheckBox;
    return t;
}

TCellGraphic* TExtColumnGrid::GetCellGraphic(int ACol, int ARow) const {
    TCellGraphic* g = TExtStringGrid::GetCellGraphic(ACol, ARow);
    if (g || !NormalItemCell(ACol, ARow) || ItemOf(ACol)->Editor() != edDataCheckBox) return g;
    // One graphic serves every data check box; no cell owns it.
    FCheckGraphic->CellType = ctVirtCheckBox;
    FCheckGraphic->CellTransparent = ControlLook()->ControlStyle() == csFlat;
    return FCheckGraphic.get();
}

bool TExtColumnGrid::GetFloatFormat(int ACol, int ARow, std::string& AFloatFormat) {
    const TGridColumnItem* item = ItemOf(ACol);
    if (!item) return TExtStringGrid::GetFloatFormat(ACol, ARow, AFloatFormat);
    AFloatFormat = item->FloatFormat();
    bool isFloat = GetNumberKind(Cells(ACol, ARow)) != nkOther && !Cells(ACol, ARow).empty();
    if (OnGetFloatFormat) OnGetFloatFormat(this, ACol, ARow, isFloat, AFloatFormat);
    return isFloat && !AFloatFormat.empty();
}

void TExtColumnGrid::UpdateColumnSize(int ACol, int& AWidth) {
    if (const TGridColumnItem* item = ItemOf(ACol))
        KeepWithin(AWidth, item->MinSize, item->MaxSize);
    TExtStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TExtColumnGrid::UpdateAutoSizeLimits(int ACol, int& AWidth) {
    if (const TGridColumnItem* item = ItemOf(ACol))
        KeepWithin(AWidth, item->AutoMinSize, item->AutoMaxSize);
    TExtStringGrid::UpdateAutoSizeLimits(ACol, AWidth);
}

void TExtColumnGrid::UpdateColumnHeaders() {
    const TStringList* headers = ColumnHeaders();
    for (int i = 0; i < FColumns->Count() && i < headers->Count(); ++i)
        FColumns->Items(i)->FHeader = (*headers)[i];
}

int TExtColumnGrid::EditLengthOf(int ARealCol) const {
    const TGridColumnItem* item = ItemOf(ARealCol);
    return item ? item->EditLength : 0;
}

std::string TExtColumnGrid::GetEditMask(int ACol, int ARow) {
    std::string mask;
    const int real = RealColIndex(ACol);
    if (ACol >= FixedCols())
        if (const TGridColumnItem* item = ItemOf(real)) mask = item->EditMask;
    const std::string own = TExtStringGrid::GetEditMask(ACol, ARow);
    return own.empty() ? mask : own;
}

// --- filter drop-down and column popup ---------------------------------------------------

void TExtColumnGrid::ShowFilterDropDown(int ACol) {
    const int real = RealColIndex(ACol);
    const TGridColumnItem* item = ItemOf(real);
    if (!item || item->Filter()->Count() == 0) {
        HideFilterDropDown();
        return;
    }
    FFilterColumn = real;
    const TRect rc = CellRect(ACol, 0);
    const int w = FFilterDropDown->ColumnWidth ? rc.Right - rc.Left : FFilterDropDown->Width;
    std::vector<std::string> lines;
    for (int i = 0; i < item->Filter()->Count(); ++i) {
        const std::string line = (*item->Filter())[i];
        lines.push_back(line.substr(0, line.find('=')));
    }
    ShowDropList(FDropList, Parent(),
                 Rect(Left() + rc.Left, Top() + rc.Bottom, Left() + rc.Left + w,
                      Top() + rc.Bottom + FFilterDropDown->Height),
                 FFilterDropDown->Color, FFilterDropDown->Font(), lines);
}

void TExtColumnGrid::HideFilterDropDown() {
    HideDropList(FDropList);
    FFilterColumn = -1;
}

void TExtColumnGrid::ApplyColumnFilter(int Index) {
    const TGridColumnItem* item = ItemOf(FFilterColumn);
    if (!item || Index < 0 || Index >= item->Filter()->Count()) {
        FFilterColumn = -1;
        return;
    }
    const int col = FFilterColumn;
    const std::string line = (*item->Filter())[Index];
    const size_t eq = line.find('=');
    const std::string friendly = eq == std::string::npos ? line : line.substr(0, eq);
    std::string condition = eq == std::string::npos ? line : line.substr(eq + 1);
    if (AutoFilterDisplay) ItemOf(col)->SetHeader(friendly);
    if (AutoFilterUpdate) SetFilterActive(false);
    if (OnFilterSelect) OnFilterSelect(this, col, Index, friendly, condition);
    TFilterData* f = Filter()->ColumnFilter(col);
    f->Condition = condition;
    f->CaseSensitive = item->FilterCaseSensitive;
    if (AutoFilterUpdate) {
        SetFilterActive(true);
        if (!(RowCount() == FixedRows() || (RowCount() == 1 && FixedRowAlways)))
            SetRow(FixedRows());
        if (OnFilterDone) OnFilterDone(this);
    }
    FFilterColumn = -1;
}

void TExtColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TExtStringGrid::MouseDown(Button, Shift, X, Y);
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0) {
        HideFilterDropDown();
        return;
    }
    const TRect rc = CellRect(cell.X, cell.Y);
    const int real = RealColIndex(cell.X);
    if (cell.Y == 0 && real != FFilterColumn && X > rc.Right - 16 && X < rc.Right - 3 &&
        Y < rc.Top + 19)
        ShowFilterDropDown(cell.X);
    else
        HideFilterDropDown();

    const TGridColumnItem* item = ItemOf(real);
    if (!item || !item->ColumnPopup) return;
    const TColumnPopupType t = item->ColumnPopupType;
    const bool left = Button == mbLeft, right = Button == mbRight;
    const bool typeLeft =
        t == cpFixedCellsLClick || t == cpNormalCellsLClick || t == cpAllCellsLClick;
    if (!(left && typeLeft) && !(right && !typeLeft)) return;
    const bool fixedRow = cell.Y < FixedRows();
    const bool forFixed = t == cpFixedCellsRClick || t == cpFixedCellsLClick;
    const bool forNormal = t == cpNormalCellsRClick || t == cpNormalCellsLClick;
    const bool all = !forFixed && !forNormal;
    if ((fixedRow && (forFixed || all)) || (!fixedRow && (forNormal || all))) {
        if (OnColumnPopup) OnColumnPopup(this, cell.X, cell.Y, item->ColumnPopup);
        const TPoint p = ClientToScreen({rc.Left, rc.Bottom});
        item->ColumnPopup->Popup(p.X, p.Y);
    }
}
