// The cell stream: a block of cells with their properties and graphics, as
// the clipboard's "TExtStringGrid Cells" carries it between grids.
//
// Records, in this order: one TGridPropIO (the block's size, widths,
// heights, whether it is the whole grid); per cell with text or properties,
// row by row, a TGridCellIO (its place in the block, its text), followed by
// a TGridCellPropIO when it has properties, followed by a TGridGraphicIO and
// the record of the graphic's object when it has a graphic. A block is read
// whole and checked before the grid is touched: a damaged one changes nothing.

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <utility>

#include "grid/extgrid.h"
#include "grid/gridstreaming.h"
#include "platform/rtl/compstream.h"

namespace {

bool HasObject(TCellType T) {
    return T == ctBitmap || T == ctIcon || T == ctRadio || T == ctImages || T == ctPicture ||
           T == ctFilePicture || T == ctBitButton;
}

// The record class that carries a graphic's object.
std::string ObjectRecord(TCellType T) {
    switch (T) {
    case ctBitmap:
    case ctBitButton:
        return "TGridBMPIO";
    case ctIcon:
        return "TGridIconIO";
    case ctRadio:
    case ctImages:
        return "TGridSLIO";
    case ctPicture:
        return "TGridPicIO";
    case ctFilePicture:
        return "TGridFilePicIO";
    default:
        return "";
    }
}

std::string JoinSizes(const std::vector<int>& V) {
    std::string s;
    for (size_t i = 0; i < V.size(); ++i)
        s += (i ? "," : "") + std::to_string(V[i]);
    return s;
}

// Sizes of a list; false when it is no list of Count sizes.
bool SplitSizes(const std::string& Text, int Count, std::vector<int>& Out) {
    Out.clear();
    if (Text.empty()) return Count == 0;
    std::stringstream ss(Text);
    std::string item;
    while (std::getline(ss, item, ',')) {
        if (static_cast<int>(Out.size()) >= Count) return false;
        try {
            size_t used = 0;
            const int v = std::stoi(item, &used);
            if (used != item.size() || v < 0 || v > 100000) return false;
            Out.push_back(v);
        } catch (...) {
            return false;
        }
    }
    return static_cast<int>(Out.size()) == Count;
}

void WriteProperties(TComponentWriter& W, const TCellProperties& P) {
    const std::string n = "CellProperties.";
    W.WriteInteger(n + "BrushStyle", P.BrushStyle);
    W.WriteInteger(n + "BrushColor", P.BrushColor());
    W.WriteInteger(n + "BrushColorTo", P.BrushColorTo());
    W.WriteInteger(n + "FontSize", P.FontSize);
    W.WriteInteger(n + "FontColor", P.FontColor);
    W.WriteInteger(n + "FontStyle", static_cast<int64_t>(P.FontStyle.Bits()));
    W.WriteInteger(n + "CellSpanY", P.CellSpanY);
    W.WriteInteger(n + "CellSpanX", P.CellSpanX);
    W.WriteInteger(n + "BorderWidth", P.BorderWidth);
    W.WriteInteger(n + "BorderColor", P.BorderColor);
    W.WriteInteger(n + "Alignment", P.Alignment);
    W.WriteInteger(n + "VAlignment", P.VAlignment());
    W.WriteBoolean(n + "WordWrap", P.WordWrap());
    W.WriteBoolean(n + "IsBaseCell", P.IsBaseCell);
    W.WriteInteger(n + "FooterFunction", P.FooterFunction);
    W.WriteInteger(n + "NodeLevel", P.NodeLevel);
    W.WriteInteger(n + "Editor", P.Editor);
    W.WriteString(n + "FontName", P.FontName);
    W.WriteBoolean(n + "ReadOnly", P.ReadOnly);
}

// Enumerations outside their range make the record damaged.
template <typename E> E Enum(const TStreamedComponent& C, const std::string& Name, E Last) {
    const int64_t v = C.Integer(Name, 0);
    if (v < 0 || v > static_cast<int64_t>(Last)) throw EReadError("Invalid property value");
    return static_cast<E>(v);
}

void ReadProperties(const TStreamedComponent& C, TCellProperties& P) {
    const std::string n = "CellProperties.";
    P.BrushStyle = Enum(C, n + "BrushStyle", bsDiagCross);
    P.SetBrushColor(static_cast<TColor>(C.Integer(n + "BrushColor", clNone)));
    P.SetBrushColorTo(static_cast<TColor>(C.Integer(n + "BrushColorTo", clNone)));
    P.FontSize = static_cast<int>(C.Integer(n + "FontSize"));
    P.FontColor = static_cast<TColor>(C.Integer(n + "FontColor", clNone));
    P.FontStyle = TFontStyles::FromBits(static_cast<uint64_t>(C.Integer(n + "FontStyle")) & 0xF);
    P.BorderWidth = static_cast<int>(C.Integer(n + "BorderWidth"));
    P.BorderColor = static_cast<TColor>(C.Integer(n + "BorderColor", clBlack));
    P.Alignment = Enum(C, n + "Alignment", taCenter);
    P.SetVAlignment(Enum(C, n + "VAlignment", vtaBottom));
    P.SetWordWrap(C.Boolean(n + "WordWrap"));
    P.FooterFunction = static_cast<unsigned char>(C.Integer(n + "FooterFunction"));
    P.NodeLevel = static_cast<int>(C.Integer(n + "NodeLevel"));
    P.Editor = Enum(C, n + "Editor", edUniComboList);
    P.FontName = C.String(n + "FontName");
    P.ReadOnly = C.Boolean(n + "ReadOnly");
}

void WriteGraphic(TComponentWriter& W, const TCellGraphic& G) {
    const std::string n = "CellGraphic.";
    W.WriteInteger(n + "CellType", G.CellType);
    W.WriteInteger(n + "CellVAlign", G.CellVAlign);
    W.WriteInteger(n + "CellHAlign", G.CellHAlign);
    W.WriteInteger(n + "CellIndex", G.CellIndex);
    W.WriteBoolean(n + "CellTransparent", G.CellTransparent);
    W.WriteBoolean(n + "CellCreated", G.CellCreated);
    W.WriteBoolean(n + "CellBoolean", G.CellBoolean);
    W.WriteInteger(n + "CellAngle", G.CellAngle);
    W.WriteFloat(n + "CellValue", G.CellValue);
    W.WriteInteger(n + "CellErrFrom", G.CellErrFrom);
    W.WriteInteger(n + "CellErrLen", G.CellErrLen);
    W.WriteString(n + "CellText", G.CellText);
}

void ReadGraphic(const TStreamedComponent& C, TCellGraphic& G) {
    const std::string n = "CellGraphic.";
    G.CellVAlign = Enum(C, n + "CellVAlign", vaFull);
    G.CellHAlign = Enum(C, n + "CellHAlign", haFull);
    G.CellIndex = static_cast<int>(C.Integer(n + "CellIndex"));
    G.CellTransparent = C.Boolean(n + "CellTransparent");
    G.CellBoolean = C.Boolean(n + "CellBoolean");
    G.CellAngle = static_cast<int>(C.Integer(n + "CellAngle"));
    G.CellValue = C.Float(n + "CellValue");
    G.CellErrFrom = static_cast<short>(C.Integer(n + "CellErrFrom"));
    G.CellErrLen = static_cast<short>(C.Integer(n + "CellErrLen"));
    G.CellText = C.String(n + "CellText");
}

void WriteObject(TComponentWriter& W, const TCellGraphic& G) {
    const std::string record = ObjectRecord(G.CellType);
    W.BeginComponent(record);
    switch (G.CellType) {
    case ctBitmap:
    case ctBitButton:
        if (auto* b = dynamic_cast<const TBitmap*>(G.CellBitmap))
            W.WriteBinary("Bitmap", b->SaveToBytes("PNG"));
        break;
    case ctIcon:
        if (auto* i = dynamic_cast<const TIcon*>(G.CellIcon))
            W.WriteBinary("Icon", i->SaveToBytes("PNG"));
        break;
    case ctRadio:
        if (auto* l = dynamic_cast<const TStringList*>(G.CellBitmap)) {
            std::vector<std::string> items;
            for (int i = 0; i < l->Count(); ++i)
                items.push_back((*l)[i]);
            W.WriteStrings("Strings", items);
        }
        break;
    case ctImages:
        if (auto* l = dynamic_cast<const TIntList*>(G.CellBitmap)) {
            std::string comma;
            for (int i = 0; i < l->Count(); ++i)
                comma += (i ? "," : "") + std::to_string(l->Items(i));
            W.WriteStrings("Strings", {comma});
        }
        break;
    case ctPicture:
        if (auto* p = dynamic_cast<const TPicture*>(G.CellBitmap); p && p->Graphic())
            W.WriteBinary("Picture", p->Graphic()->SaveToBytes("PNG"));
        break;
    case ctFilePicture:
        if (auto* f = dynamic_cast<const TFilePicture*>(G.CellBitmap))
            W.WriteString("Picture", f->Filename());
        break;
    default:
        break;
    }
    W.EndComponent();
}

// The graphic's object made from its record; the graphic owns it.
void ReadObject(const TStreamedComponent& C, TCellGraphic& G) {
    switch (G.CellType) {
    case ctBitmap:
    case ctBitButton: {
        auto b = std::make_unique<TBitmap>();
        if (const auto* p = C.Find("Bitmap")) b->LoadFromBytes(p->Str);
        G.CellBitmap = b.release();
        break;
    }
    case ctIcon: {
        auto i = std::make_unique<TIcon>();
        if (const auto* p = C.Find("Icon")) i->LoadFromBytes(p->Str);
        G.CellIcon = i.release();
        break;
    }
    case ctRadio: {
        auto l = std::make_unique<TStringList>();
        for (const std::string& s : C.Strings("Strings"))
            l->Add(s);
        G.CellBitmap = l.release();
        break;
    }
    case ctImages: {
        auto l = std::make_unique<TIntList>(0, 0);
        const auto items = C.Strings("Strings");
        if (!items.empty()) {
            std::stringstream ss(items[0]);
            std::string v;
            while (std::getline(ss, v, ',')) {
                int n = 0;
                if (!TryStrToInt(v, n)) throw EReadError("Invalid property value");
                l->Add(n);
            }
        }
        G.CellBitmap = l.release();
        break;
    }
    case ctPicture: {
        auto p = std::make_unique<TPicture>();
        if (const auto* d = C.Find("Picture"); d && !d->Str.empty()) p->LoadFromBytes(d->Str);
        G.CellBitmap = p.release();
        break;
    }
    case ctFilePicture: {
        auto f = std::make_unique<TFilePicture>();
        f->SetFilename(C.String("Picture"));
        G.CellBitmap = f.release();
        break;
    }
    default:
        return;
    }
    G.CellCreated = true;
}

// One cell of a block as read, before it is placed.
struct TStreamCell {
    int Col = 0, Row = 0;
    std::string Text;
    std::unique_ptr<TStreamedComponent> Props;
    std::unique_ptr<TCellGraphic> Graphic; // with its object, handed to the cell
};

} // namespace

void TExtStringGrid::WriteCellStream(const TGridRect& R, TStream& Stream) {
    TComponentWriter w(Stream);
    const int cols = R.Right - R.Left + 1, rows = R.Bottom - R.Top + 1;
    std::vector<int> widths, heights;
    for (int c = R.Left; c <= R.Right; ++c)
        widths.push_back(ColWidths(c));
    for (int r = R.Top; r <= R.Bottom; ++r)
        heights.push_back(RowHeights(r));
    const int c0 = IncludeFixedCells ? 0 : FixedCols(), r0 = IncludeFixedCells ? 0 : FixedRows();
    w.BeginComponent("TGridPropIO");
    w.WriteInteger("ColCount", cols);
    w.WriteInteger("RowCount", rows);
    w.WriteString("ColWidths", JoinSizes(widths));
    w.WriteString("RowHeights", JoinSizes(heights));
    w.WriteBoolean("FullGrid", R.Left == c0 && R.Top == r0 && R.Right == ColCount() - 1 &&
                                   R.Bottom == RowCount() - 1);
    w.WriteString("ID", std::to_string(reinterpret_cast<uintptr_t>(this)));
    w.EndComponent();
    short reported = -1;
    for (int r = R.Top; r <= R.Bottom; ++r) {
        for (int c = R.Left; c <= R.Right; ++c) {
            const int real = RealColIndex(c);
            const std::string text = GetRawCell(real, r);
            const TCellProperties* p = FindCellProperties(real, r);
            if (text.empty() && !p) continue;
            w.BeginComponent("TGridCellIO");
            w.WriteInteger("Col", c - R.Left);
            w.WriteInteger("Row", r - R.Top);
            w.WriteString("Cell", text);
            w.WriteBoolean("HasProp", p != nullptr);
            w.EndComponent();
            if (!p) continue;
            const auto* g = dynamic_cast<const TCellGraphic*>(p->GraphicObject);
            // An object the cell does not own is not the cell's to hand on.
            const bool graphic =
                g && g->CellType != ctNone &&
                (!HasObject(g->CellType) || g->CellCreated || g->CellType == ctImages);
            w.BeginComponent("TGridCellPropIO");
            WriteProperties(w, *p);
            w.WriteBoolean("HasGraphic", graphic);
            w.EndComponent();
            if (!graphic) continue;
            w.BeginComponent("TGridGraphicIO");
            WriteGraphic(w, *g);
            w.EndComponent();
            if (HasObject(g->CellType)) WriteObject(w, *g);
        }
        if (OnFileProgress) {
            const auto pct = static_cast<short>(
                std::lround((r - R.Top) * 100.0 / std::max(1, R.Bottom - R.Top)));
            if (pct != reported) OnFileProgress(this, reported = pct);
        }
    }
}

int TExtStringGrid::ReadCellStream(TPoint Origin, TStream& Stream) {
    // Read and check the whole block first.
    TComponentReader reader(Stream);
    TStreamedComponent head;
    std::vector<TStreamCell> cells;
    int cols = 0, rows = 0;
    bool full = false;
    std::vector<int> widths, heights;
    try {
        if (!reader.ReadComponent(head) || head.ClassName != "TGridPropIO") return 0;
        const int64_t c64 = head.Integer("ColCount", -1), r64 = head.Integer("RowCount", -1);
        if (c64 < 1 || r64 < 1 || c64 > MaxStreamCols || r64 > MaxStreamRows) return 0;
        cols = static_cast<int>(c64);
        rows = static_cast<int>(r64);
        full = head.Boolean("FullGrid");
        // A block carries a width per column and a height per row, so the
        // size it claims is paid for in its own bytes: a few bytes cannot
        // grow the grid by a million rows. Its cells, counted in the result,
        // must fit an int.
        if (!SplitSizes(head.String("ColWidths"), cols, widths) ||
            !SplitSizes(head.String("RowHeights"), rows, heights) ||
            c64 * r64 > std::numeric_limits<int>::max())
            return 0;
        auto next = [&reader](const std::string& Class) {
            auto c = std::make_unique<TStreamedComponent>();
            if (!reader.ReadComponent(*c) || c->ClassName != Class)
                throw EReadError("Invalid stream format");
            return c;
        };
        TStreamedComponent rec;
        while (reader.ReadComponent(rec)) {
            if (rec.ClassName != "TGridCellIO") return 0;
            TStreamCell cell;
            const int64_t c = rec.Integer("Col", -1), r = rec.Integer("Row", -1);
            if (c < 0 || r < 0 || c >= cols || r >= rows) return 0;
            cell.Col = static_cast<int>(c);
            cell.Row = static_cast<int>(r);
            cell.Text = rec.String("Cell");
            if (rec.Boolean("HasProp")) {
                cell.Props = next("TGridCellPropIO");
                TCellProperties check(nullptr, 0, 0);
                ReadProperties(*cell.Props, check);
                if (cell.Props->Boolean("HasGraphic")) {
                    const auto g = next("TGridGraphicIO");
                    const int64_t t = g->Integer("CellGraphic.CellType", -1);
                    if (t < 0 || t > ctSummary) return 0;
                    cell.Graphic = std::make_unique<TCellGraphic>();
                    ReadGraphic(*g, *cell.Graphic);
                    cell.Graphic->CellType = static_cast<TCellType>(t);
                    if (HasObject(cell.Graphic->CellType))
                        ReadObject(*next(ObjectRecord(cell.Graphic->CellType)), *cell.Graphic);
                }
            }
            cells.push_back(std::move(cell));
        }
    } catch (const Exception&) {
        return 0;
    }

    // Place it.
    BeginGridUpdate();
    std::vector<std::pair<TPoint, TPoint>> merges; // base cell, span
    try {
        if (full) {
            SetColCount(std::max(cols, 1));
            SetRowCount(std::max(rows, 1));
            for (size_t i = 0; i < widths.size(); ++i)
                SetColWidths(static_cast<int>(i), widths[i]);
            for (size_t i = 0; i < heights.size(); ++i)
                SetRowHeights(static_cast<int>(i), heights[i]);
        } else {
            if (Navigation()->AllowClipboardColGrow && Origin.X + cols > ColCount())
                SetColCount(Origin.X + cols);
            if (Navigation()->AllowClipboardRowGrow && Origin.Y + rows > RowCount())
                SetRowCount(Origin.Y + rows);
        }
        for (TStreamCell& cell : cells) {
            const int c = Origin.X + cell.Col, r = Origin.Y + cell.Row;
            if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount()) continue; // off the grid
            const int real = RealColIndex(c);
            if (cell.Props) {
                // The old record (and its graphic) makes way for the block's.
                if (IsMergedCell(real, r)) SplitCells(real, r);
                if (HasCellProperties(real, r)) RemoveCellGraphic(real, r);
                TCellProperties* p = GetCellProperties(real, r);
                ReadProperties(*cell.Props, *p);
                const int64_t sx = cell.Props->Integer("CellProperties.CellSpanX", -1);
                const int64_t sy = cell.Props->Integer("CellProperties.CellSpanY", -1);
                if (cell.Props->Boolean("CellProperties.IsBaseCell", true) && (sx > 0 || sy > 0) &&
                    sx < cols && sy < rows)
                    merges.push_back(
                        {{c, r}, {static_cast<int>(sx) + 1, static_cast<int>(sy) + 1}});
                if (cell.Graphic) {
                    TCellGraphic* g = CreateCellGraphic(real, r);
                    g->Assign(cell.Graphic.get());
                    g->CellBitmap = std::exchange(cell.Graphic->CellBitmap, nullptr);
                    g->CellIcon = std::exchange(cell.Graphic->CellIcon, nullptr);
                }
            }
            SetRawCell(real, r, cell.Text);
        }
        // Merged ranges are made again where they fit in the grid.
        for (const auto& [at, span] : merges)
            if (at.X + span.X <= ColCount() && at.Y + span.Y <= RowCount())
                MergeCells(RealColIndex(at.X), at.Y, span.X, span.Y);
    } catch (...) {
        EndGridUpdate();
        throw;
    }
    EndGridUpdate();
    CellsChanged(Rect(Origin.X, Origin.Y, Origin.X + cols - 1, Origin.Y + rows - 1));
    return cols * rows;
}
