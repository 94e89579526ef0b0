#include "grid/gridoptions.h"

#include "grid/extgrid.h"
#include "grid/extgridtypes.h"
#include "grid/support/basegrid.h"

void TGridPersistent::Repaint() const {
    if (FGrid) FGrid->Invalidate();
}

bool TGridPersistent::Designing() const {
    return FGrid && FGrid->HasState(csDesigning);
}

// --- TCellNode --------------------------------------------------------------------

TCellNode::TCellNode(TBaseGrid* AGrid)
    : TGridPersistent(AGrid), FExpandGlyph(std::make_unique<TBitmap>()),
      FContractGlyph(std::make_unique<TBitmap>()) {}

void TCellNode::SetNodeType(TNodeType Value) {
    if (Value == FNodeType) return;
    FNodeType = Value;
    Repaint();
}

void TCellNode::SetNodeIndent(int Value) {
    if (Value == FNodeIndent) return;
    FNodeIndent = Value;
    Repaint();
}

void TCellNode::SetShowTree(bool Value) {
    if (Value == FShowTree) return;
    FShowTree = Value;
    Repaint();
}

// --- TMouseActions ----------------------------------------------------------------

void TMouseActions::SetDisjunct(bool& Flag, bool Value) {
    if (Value && Designing()) FDisjunctRowSelect = FDisjunctColSelect = FDisjunctCellSelect = false;
    Flag = Value;
}

void TMouseActions::SetDisjunctRowSelect(bool Value) {
    SetDisjunct(FDisjunctRowSelect, Value);
}

void TMouseActions::SetDisjunctColSelect(bool Value) {
    SetDisjunct(FDisjunctColSelect, Value);
}

void TMouseActions::SetDisjunctCellSelect(bool Value) {
    SetDisjunct(FDisjunctCellSelect, Value);
}

// --- TPrintSettings ----------------------------------------------------------------

TPrintSettings::TPrintSettings()
    : FTitleLines(std::make_unique<TStringList>()), FFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()) {}

void TPrintSettings::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TPrintSettings*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    FooterSize = src->FooterSize;
    HeaderSize = src->HeaderSize;
    Time = src->Time;
    Date = src->Date;
    PageNr = src->PageNr;
    Title = src->Title;
    DateFormat = src->DateFormat;
    TitleText = src->TitleText;
    SetTitleLines(src->TitleLines());
    SetFont(src->Font());
    SetFixedFont(src->FixedFont());
    SetHeaderFont(src->HeaderFont());
    SetFooterFont(src->FooterFont());
    Borders = src->Borders;
    BorderStyle = src->BorderStyle;
    Centered = src->Centered;
    RepeatFixedRows = src->RepeatFixedRows;
    RepeatFixedCols = src->RepeatFixedCols;
    LeftSize = src->LeftSize;
    RightSize = src->RightSize;
    ColumnSpacing = src->ColumnSpacing;
    RowSpacing = src->RowSpacing;
    TitleSpacing = src->TitleSpacing;
    Orientation = src->Orientation;
    PagePrefix = src->PagePrefix;
    PageSuffix = src->PageSuffix;
    PageNumberOffset = src->PageNumberOffset;
    MaxPagesOffset = src->MaxPagesOffset;
    FixedWidth = src->FixedWidth;
    FixedHeight = src->FixedHeight;
    UseFixedHeight = src->UseFixedHeight;
    UseFixedWidth = src->UseFixedWidth;
    FitToPage = src->FitToPage;
    JobName = src->JobName;
    PageNumSep = src->PageNumSep;
    NoAutoSize = src->NoAutoSize;
    NoAutoSizeRow = src->NoAutoSizeRow;
    PrintGraphics = src->PrintGraphics;
    UseDisplayFont = src->UseDisplayFont;
}

// --- TSortSettings -----------------------------------------------------------------

TSortSettings::TSortSettings(TBaseGrid* AGrid) : TGridPersistent(AGrid) {
    for (auto& g : FGlyphs)
        g = std::make_unique<TBitmap>();
}

void TSortSettings::SetRow(int Value) {
    const int fixedRows = Grid() ? Grid()->FixedRows() : 0;
    if (Value > fixedRows)
        throw EExtGridError("Sort row should be smaller than number of fixed rows");
    FRow = Value;
}

// --- TControlLook ------------------------------------------------------------------

TControlLook::TControlLook(TBaseGrid* AGrid) : TGridPersistent(AGrid) {
    for (auto& g : FGlyphs)
        g = std::make_unique<TBitmap>();
}

void TControlLook::SetGlyph(int Index, const TBitmap* Value) {
    FGlyphs[Index]->Assign(Value);
    Repaint();
}

// --- TBands ------------------------------------------------------------------------

void TBands::RepaintWhenActive() const {
    if (FActive) Repaint();
}

void TBands::SetActive(bool Value) {
    FActive = Value;
    Repaint();
}

void TBands::SetPrimaryColor(TColor Value) {
    FPrimaryColor = Value;
    RepaintWhenActive();
}

void TBands::SetPrimaryLength(int Value) {
    FPrimaryLength = Value;
    FPeriod = FPrimaryLength + FSecondaryLength;
    RepaintWhenActive();
}

void TBands::SetSecondaryColor(TColor Value) {
    FSecondaryColor = Value;
    RepaintWhenActive();
}

void TBands::SetSecondaryLength(int Value) {
    FSecondaryLength = Value;
    FPeriod = FPrimaryLength + FSecondaryLength;
    RepaintWhenActive();
}

// --- TBackGround -------------------------------------------------------------------

TBackGround::TBackGround(TBaseGrid* AGrid)
    : TGridPersistent(AGrid), FBitmap(std::make_unique<TBitmap>()) {}

void TBackGround::SetBitmap(const TBitmap* Value) {
    FBitmap->Assign(Value);
    Repaint();
}

// --- TFilter -----------------------------------------------------------------------

TFilter::TFilter() : TCollection([](TCollection* C) { return std::make_unique<TFilterData>(C); }) {}

void TColumnSize::SetStretch(bool Value) {
    FStretch = Value;
    if (auto* grid = dynamic_cast<TExtStringGrid*>(Grid()); grid && Value)
        grid->StretchColumn(StretchColumn);
}
