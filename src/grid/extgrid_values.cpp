// Typed cell values, cell graphics, the disjunct selection flags and the
// move to the next cell after Enter or Tab.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "grid/extgrid.h"
#include "grid/support/gridaux.h"
#include "grid/support/gridvalues.h"
#include "platform/vcl/gfx/pictures.h"

// The grid's float format ("%.2f" and the like) applied to a value: one
// conversion (f, e, g, n or m, with an optional '-', width and precision)
// among plain text, "%%" for a percent sign. Anything else in the format is
// refused before a cell is touched, so no format text reaches a printf.
std::string FormatFloatValue(const std::string& Fmt, double Value) {
    auto invalid = [&Fmt]() -> EConvertError {
        return EConvertError("Format '" + Fmt + "' invalid or incompatible with argument");
    };
    std::string out;
    bool converted = false;
    for (size_t i = 0; i < Fmt.size(); ++i) {
        if (Fmt[i] != '%') {
            out += Fmt[i];
            continue;
        }
        if (i + 1 < Fmt.size() && Fmt[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        if (converted) throw invalid();
        size_t j = i + 1;
        const bool left = j < Fmt.size() && Fmt[j] == '-';
        if (left) ++j;
        int width = 0, precision = -1;
        while (j < Fmt.size() && std::isdigit(static_cast<unsigned char>(Fmt[j])))
            width = std::min(width * 10 + (Fmt[j++] - '0'), 255);
        if (j < Fmt.size() && Fmt[j] == '.') {
            precision = 0;
            ++j;
            while (j < Fmt.size() && std::isdigit(static_cast<unsigned char>(Fmt[j])))
                precision = std::min(precision * 10 + (Fmt[j++] - '0'), 18);
        }
        if (j >= Fmt.size()) throw invalid();
        const int decimals = precision < 0 ? 2 : precision;
        std::string text;
        switch (std::tolower(static_cast<unsigned char>(Fmt[j]))) {
        case 'f':
            text = FloatToStrF(Value, ffFixed, 18, decimals);
            break;
        case 'n':
            text = FloatToStrF(Value, ffNumber, 18, decimals);
            break;
        case 'm':
            text = FloatToStrF(Value, ffCurrency, 18, decimals);
            break;
        case 'e':
            text = FloatToStrF(Value, ffExponent, precision < 0 ? 15 : std::max(precision, 1), 3);
            break;
        case 'g':
            text = FloatToStrF(Value, ffGeneral, precision < 0 ? 15 : std::max(precision, 1), 3);
            break;
        default:
            throw invalid();
        }
        const size_t pad = static_cast<size_t>(width) > text.size() ? width - text.size() : 0;
        out += left ? text + std::string(pad, ' ') : std::string(pad, ' ') + text;
        converted = true;
        i = j;
    }
    if (!converted) throw invalid();
    return out;
}

// --- typed values ------------------------------------------------------------------------

int TExtStringGrid::GetInts(int ACol, int ARow) const {
    const std::string text = Cells(ACol, ARow);
    if (text.empty()) return 0;
    int value = 0;
    if (!TryStrToInt(text, value)) throw EExtGridError(SNoIntegerValue);
    return value;
}

void TExtStringGrid::SetInts(int ACol, int ARow, int Value) {
    WriteCell(ACol, ARow, IntToStr(Value));
}

double TExtStringGrid::GetFloats(int ACol, int ARow) const {
    const std::string text = StripNumberFormatting(Cells(ACol, ARow));
    if (text.empty()) return 0;
    double value = 0;
    if (!TryStrToFloat(text, value)) throw EExtGridError(SNoFloatValue);
    return value;
}

void TExtStringGrid::SetFloats(int ACol, int ARow, double Value) {
    WriteCell(ACol, ARow, FormatFloatValue(FloatFormat, Value));
}

void TExtStringGrid::SetFloatValue(int ACol, int ARow, double Value) {
    // Without ShowZero only what shows nothing (zero, not a number) is left
    // empty: a negative value is a value.
    if (!ShowZero && (Value == 0 || std::isnan(Value))) {
        WriteCell(ACol, ARow, "");
        return;
    }
    WriteCell(ACol, ARow, FloatToStr(Value));
}

// --- cell graphics -----------------------------------------------------------------------

TCellGraphic* TExtStringGrid::CreateCellGraphic(int ACol, int ARow) {
    RemoveCellGraphic(ACol, ARow);
    TCellProperties* p = GetCellProperties(ACol, ARow);
    auto graphic = std::make_unique<TCellGraphic>();
    TCellGraphic* result = graphic.get();
    p->GraphicObject = graphic.release(); // the record owns it
    p->GraphicShared = false;
    RepaintCell(DisplColIndex(ACol), ARow);
    return result;
}

bool TExtStringGrid::RemoveCellGraphic(int ACol, int ARow) {
    TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || !p->GraphicObject) return false;
    auto* graphic = dynamic_cast<TCellGraphic*>(p->GraphicObject);
    // A column's shared check box graphic is the column's to free.
    if (!p->GraphicShared && !(graphic && graphic->CellType == ctVirtCheckBox))
        delete p->GraphicObject;
    p->GraphicObject = nullptr;
    p->GraphicShared = false;
    RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

bool TExtStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType) {
    return GetCellType(ACol, ARow) == AType && RemoveCellGraphic(ACol, ARow);
}

TCellGraphic* TExtStringGrid::GetCellGraphic(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? dynamic_cast<TCellGraphic*>(p->GraphicObject) : nullptr;
}

TCellType TExtStringGrid::GetCellType(int ACol, int ARow) const {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g ? g->CellType : ctEmpty;
}

TIntList* TExtStringGrid::GetCellImages(int ACol, int ARow) const {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return (g && g->CellType == ctImages) ? dynamic_cast<TIntList*>(g->CellBitmap) : nullptr;
}

intptr_t TExtStringGrid::GetGraphicObjectValue(int ACol, int ARow) const {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return -1;
    switch (g->CellType) {
    case ctBitmap:
        return reinterpret_cast<intptr_t>(g->CellBitmap);
    case ctIcon:
        return reinterpret_cast<intptr_t>(g->CellIcon);
    case ctImageList:
        return g->CellIndex;
    default:
        return -1;
    }
}

TPoint TExtStringGrid::GetCellGraphicWidth(int ACol, int ARow) {
    return GetCellGraphicHeight(ACol, ARow, 1.0);
}

TPoint TExtStringGrid::GetCellGraphicHeight(int ACol, int ARow, double PrinterScale) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return {0, 0};
    const TPoint cell = GetCellSize(DisplColIndex(ACol), ARow);
    // An image beside the text takes room; over or under it, none.
    const bool beside = g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText ||
                        ReadCell(ACol, ARow).empty();
    auto scaled = [PrinterScale](int V) {
        return PrinterScale > 0 ? static_cast<int>(std::lround(V / PrinterScale)) : V;
    };
    TPoint size{0, 0};
    switch (g->CellType) {
    case ctBitmap:
    case ctIcon:
        if (const auto* image = dynamic_cast<const TGraphic*>(
                g->CellType == ctBitmap ? g->CellBitmap : g->CellIcon))
            size = {beside ? image->Width() : 0, image->Height()};
        break;
    case ctImageList:
    case ctDataImage:
        if (FGridImages) size = {beside ? FGridImages->Width() : 0, FGridImages->Height()};
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
        size = {FControlLook->CheckSize(), FControlLook->CheckSize()};
        break;
    case ctRadio:
        if (const auto* texts = dynamic_cast<const TStrings*>(g->CellBitmap); texts && Canvas()) {
            Canvas()->Font()->Assign(Font());
            const int lineHeight = Canvas()->TextHeight("gh");
            int width = 0;
            for (int i = 0; i < texts->Count(); ++i) {
                const int w = Canvas()->TextWidth(texts->Get(i)) + 12;
                width = g->CellBoolean ? width + w : std::max(width, w);
            }
            size = {std::max(width, 12), g->CellBoolean ? lineHeight : lineHeight * texts->Count()};
        }
        break;
    case ctImages:
        if (const auto* list = dynamic_cast<const TIntList*>(g->CellBitmap); list && FGridImages) {
            const int n = list->Count();
            size = g->CellBoolean ? TPoint{n * FGridImages->Width(), FGridImages->Height()}
                                  : TPoint{FGridImages->Width(), n * FGridImages->Height()};
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        int w = 0, h = 0;
        if (const auto* file = dynamic_cast<const TFilePicture*>(g->CellBitmap)) {
            w = file->Width();
            h = file->Height();
        } else if (const auto* picture = dynamic_cast<const TPicture*>(g->CellBitmap)) {
            w = picture->Width();
            h = picture->Height();
        } else if (const auto* graphic = dynamic_cast<const TGraphic*>(g->CellBitmap)) {
            w = graphic->Width();
            h = graphic->Height();
        }
        size = PictureFitSize(cell.X, cell.Y, g->CellIndex, scaled(w), scaled(h), g->CellAngle);
        break;
    }
    case ctButton:
    case ctBitButton:
        size = {g->CellIndex & 0xFFFF, (g->CellIndex >> 16) & 0xFFFF};
        break;
    case ctProgressPie:
        size = {20, 20};
        break;
    default:
        break;
    }
    if (g->CellVAlign == vaFull) size.Y = cell.Y;
    if (g->CellHAlign == haFull) size.X = cell.X;
    return size;
}

// --- selection flags ---------------------------------------------------------------------

namespace {

// A flag list grown on demand: what lies beyond it is not set.
bool FlagAt(const std::vector<bool>& Flags, int Index) {
    return static_cast<size_t>(Index) < Flags.size() && Flags[static_cast<size_t>(Index)];
}

// True when the flag changed.
bool StoreFlag(std::vector<bool>& Flags, int Index, bool Value) {
    if (FlagAt(Flags, Index) == Value) return false;
    if (Flags.size() <= static_cast<size_t>(Index))
        Flags.resize(static_cast<size_t>(Index) + 1, false);
    Flags[static_cast<size_t>(Index)] = Value;
    return true;
}

} // namespace

bool TExtStringGrid::GetRowSelect(int ARealRow) const {
    if (ARealRow < 0 || ARealRow >= GetAllRowCount()) throw EExtGridError(SInvalidRow);
    return FlagAt(FRowSelected, ARealRow);
}

void TExtStringGrid::SetRowSelect(int ARealRow, bool Value) {
    if (ARealRow < 0 || ARealRow >= GetAllRowCount()) throw EExtGridError(SInvalidRow);
    if (StoreFlag(FRowSelected, ARealRow, Value) && !IsHiddenRow(ARealRow))
        RepaintRow(DisplRowIndex(ARealRow));
}

bool TExtStringGrid::GetColSelect(int ACol) const {
    if (ACol < 0 || ACol >= ColCount()) throw EExtGridError(SInvalidColumn);
    return FlagAt(FColSelected, ACol);
}

void TExtStringGrid::SetColSelect(int ACol, bool Value) {
    if (ACol < 0 || ACol >= ColCount()) throw EExtGridError(SInvalidColumn);
    if (StoreFlag(FColSelected, ACol, Value)) RepaintCol(ACol);
}

void TExtStringGrid::ClearRowSelect() {
    for (size_t r = 0; r < FRowSelected.size(); ++r)
        if (FRowSelected[r]) {
            FRowSelected[r] = false;
            if (!IsHiddenRow(static_cast<int>(r))) RepaintRow(DisplRowIndex(static_cast<int>(r)));
        }
}

void TExtStringGrid::ClearColSelect() {
    for (size_t c = 0; c < FColSelected.size(); ++c)
        if (FColSelected[c]) {
            FColSelected[c] = false;
            RepaintCol(static_cast<int>(c));
        }
}

void TExtStringGrid::SelectRowsInSelection(bool Force) {
    const TGridRect sel = Selection();
    for (int r = TBaseGrid::FixedRows(); r < RowCount() - FFixedFooters; ++r) {
        const bool inside = r >= sel.Top && r <= sel.Bottom;
        if (inside || Force) SetRowSelect(RealRowIndex(r), inside);
    }
}

void TExtStringGrid::SelectColsInSelection(bool Force) {
    const TGridRect sel = Selection();
    for (int c = TBaseGrid::FixedCols(); c < ColCount() - FFixedRightCols; ++c) {
        const bool inside = c >= sel.Left && c <= sel.Right;
        if (inside || Force) SetColSelect(c, inside);
    }
}

void TExtStringGrid::SelectionChanged(int ALeft, int ATop, int ARight, int ABottom) {
    if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

// --- the next cell -----------------------------------------------------------------------

void TExtStringGrid::AdvanceToNextCell(int ACol, int ARow, bool Forward, bool KeepEditor,
                                       bool Force) {
    if (!FNavigation->AdvanceOnEnter && !Force) return;
    if (FMouseActions->RangeSelectAndEdit && !Options().Contains(goEditing))
        SetOptions(Options() + goEditing);
    const bool down = FNavigation->AdvanceDirection == adTopBottom;
    const int firstCol = TBaseGrid::FixedCols(), firstRow = TBaseGrid::FixedRows();
    auto lastCol = [this] { return ColCount() - 1 - FFixedRightCols; };
    auto lastRow = [this] { return RowCount() - 1 - FFixedFooters; };
    if (lastCol() < firstCol || lastRow() < firstRow) return;
    int c = ACol, r = ARow;
    bool appended = false;
    // Each cell is tried at most once (and a new row or column once): when
    // no cell can take the focus the search ends where it is.
    const long long limit = static_cast<long long>(ColCount()) * RowCount() + 2;
    for (long long step = 0; step < limit; ++step) {
        // Leave the merged range of the cell the search stands on as a whole.
        const TPoint base = GetBaseCell(RealColIndex(c), r);
        const TPoint span = GetCellSpan(base.X, base.Y);
        if (Forward) {
            if (down)
                r = base.Y + span.Y + 1;
            else
                c = DisplColIndex(base.X + span.X) + 1;
        } else if (down) {
            r = base.Y - 1;
        } else {
            c = DisplColIndex(base.X) - 1;
        }
        auto append = [&](bool Row) {
            appended = true;
            if (Row) {
                InsertRows(lastRow() + 1, 1);
                if (OnAutoAddRow) OnAutoAddRow(this, lastRow());
                return;
            }
            const int newCol = lastCol() + 1;
            InsertCols(RealColIndex(newCol), 1);
            if (OnAutoInsertCol) OnAutoInsertCol(this, newCol);
            Invalidate();
        };
        if (!down) {
            if (c > lastCol()) {
                c = firstCol;
                if (++r > lastRow()) {
                    if (FNavigation->AdvanceInsert && !appended && CanAddRow())
                        append(true);
                    else
                        r = firstRow;
                }
            } else if (c < firstCol) {
                c = lastCol();
                if (--r < firstRow) r = lastRow();
            }
        } else {
            if (r > lastRow()) {
                r = firstRow;
                if (++c > lastCol()) {
                    if (FNavigation->AdvanceInsert && !appended)
                        append(false);
                    else
                        c = firstCol;
                }
            } else if (r < firstRow) {
                r = lastRow();
                if (--c < firstCol) c = lastCol();
            }
        }
        const int realCol = RealColIndex(c);
        if (!IsBaseCell(realCol, r)) continue; // reached through its base cell
        bool canEdit = true;
        CanEditCell(realCol, r, canEdit);
        if (!canEdit) continue;
        if (!AskCellChange(c, r)) return;
        const bool editing = EditorMode();
        if (editing && !KeepEditor) HideEditor();
        MoveToAskedCell(c, r);
        if (editing && !KeepEditor && !HasCellControl(c, r)) ShowEditor();
        return;
    }
}
