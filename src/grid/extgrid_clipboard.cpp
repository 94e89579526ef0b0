// Copying cells to the clipboard and pasting them back.
//
// The text is what other programs see: TAB between cells, CR LF between
// rows. A cell whose text holds a line break or a TAB, or starts with a
// double quote, is written between double quotes with its quotes doubled, as
// spreadsheet programs write and read it; the paste reads that form back
// (delimitedtext.h), so a copied block pastes as the same cells. Wide cells
// go out as the characters they show and come back as wide cells: the paste
// reads the clipboard's wide text, never the narrowed one.

#include <cmath>

#include "grid/delimitedtext.h"
#include "grid/extgrid.h"
#include "grid/gridunit.h"
#include "grid/support/gridtext.h"
#include "grid/support/gridvalues.h"
#include "grid/support/htmlsupport.h"
#include "grid/support/widecell.h"
#include "platform/rtl/compstream.h"
#include "platform/rtl/dateutils.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/rtftext.h"

namespace {

unsigned RTFFormat() {
    static const unsigned format = RegisterClipboardFormat("Rich Text Format");
    return format;
}

bool HasDateChars(const std::string& S) {
    return S.find(FormatSettings().DateSeparator) != std::string::npos ||
           S.find(FormatSettings().TimeSeparator) != std::string::npos;
}

// A date, a time or both ("date time").
bool TextToDateTime(const std::string& S, TDateTime& V) {
    TDateTime d = 0, t = 0;
    if (TryStrToDate(S, d)) return V = d, true;
    if (TryStrToTime(S, t)) return V = t, true;
    const size_t sp = S.find(' ');
    if (sp != std::string::npos && TryStrToDate(S.substr(0, sp), d) &&
        TryStrToTime(S.substr(sp + 1), t))
        return V = d + t, true;
    return false;
}

// The characters of a rich cell, wide where they must be, so that a Cyrillic
// cell copies as itself.
std::string RichCellPlainText(const std::string& RTF) {
    return WideToCellText(RTFWideText(ReadRTF(RTF)));
}

} // namespace

// --- copying ---------------------------------------------------------------------------

std::vector<std::vector<std::string>> TExtStringGrid::CopiedCells(const TGridRect& R,
                                                                  bool Disjunct) {
    const TMouseActions* m = MouseActions();
    std::vector<std::vector<std::string>> rows;
    for (int r = R.Top; r <= R.Bottom; ++r) {
        if (Disjunct && m->DisjunctRowSelect() && !m->DisjunctColSelect() && !IsRowPicked(r))
            continue;
        std::vector<std::string>& line = rows.emplace_back();
        for (int c = R.Left; c <= R.Right; ++c) {
            if (Disjunct && m->DisjunctColSelect() && !GetColSelect(c)) continue;
            // What the cell shows, not what it stores.
            std::string text = GetFormattedCellText(RealColIndex(c), r);
            if (text.find("{\\") != std::string::npos)
                text = RichCellPlainText(text);
            else if (!Navigation()->CopyHTMLTagsToClipboard && text.find("</") != std::string::npos)
                text = StripHTML(text);
            line.push_back(std::move(text));
        }
    }
    return rows;
}

std::string TExtStringGrid::RectToText(const TGridRect& R, bool Disjunct) {
    std::string out;
    bool firstRow = true;
    for (const auto& line : CopiedCells(R, Disjunct)) {
        if (!firstRow) out += "\r\n";
        firstRow = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (i) out += '\t';
            out +=
                QuoteField(IsWideCell(line[i]) ? Utf16ToCp1252(DecodeWideCell(line[i])) : line[i]);
        }
    }
    return out;
}

std::u16string TExtStringGrid::RectToWideText(const TGridRect& R, bool Disjunct) {
    std::u16string out;
    bool firstRow = true;
    for (const auto& line : CopiedCells(R, Disjunct)) {
        if (!firstRow) out += u"\r\n";
        firstRow = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (i) out += u'\t';
            if (IsWideCell(line[i]))
                out += QuoteField(DecodeWideCell(line[i]));
            else
                out += Cp1252ToUtf16(QuoteField(line[i]));
        }
    }
    return out;
}

void TExtStringGrid::CopyRectAsText(const TGridRect& R, bool Disjunct) {
    FCopyOrigin = {R.Left, R.Top};
    TClipboard* cb = Clipboard();
    cb->Open();
    cb->Clear();
    const std::string text = RectToText(R, Disjunct);
    cb->SetAsText(text);
    // Wide cells reach other programs with every character they show.
    const std::u16string wide = RectToWideText(R, Disjunct);
    if (wide != Cp1252ToUtf16(text)) cb->SetAsWideText(wide);
    if (Navigation()->AllowRTFClipboard) CopyRTFToClipboard(RealColIndex(R.Left), R.Top);
    if (Navigation()->AllowFmtClipboard) {
        TMemoryStream s;
        WriteCellStream(R, s);
        cb->SetBuffer(InitGridUnit().CellsClipboardFormat,
                      std::string(s.Data().begin(), s.Data().end()));
    }
    cb->Close();
    FCopied = true;
}

void TExtStringGrid::CopyRTFToClipboard(int ACol, int ARow) {
    const std::string text = Cells(ACol, ARow);
    if (text.find("{\\") == std::string::npos) return;
    TClipboard* cb = Clipboard();
    cb->Open();
    cb->SetBuffer(RTFFormat(), text);
    cb->Close();
}

void TExtStringGrid::CopyToClipboard() {
    TGridRect r;
    r.Left = IncludeFixedCells ? 0 : FixedCols();
    r.Top = IncludeFixedCells ? 0 : FixedRows();
    r.Right = ColCount() - 1 - (IncludeFixedCells ? 0 : FixedRightCols());
    r.Bottom = RowCount() - 1 - (IncludeFixedCells ? 0 : FixedFooters());
    CopyRectAsText(r, false);
}

void TExtStringGrid::CopySelectionToClipboard() {
    if (MouseActions()->DisjunctRowSelect() || MouseActions()->DisjunctColSelect()) {
        TGridRect r;
        r.Left = FixedCols();
        r.Top = FixedRows();
        r.Right = ColCount() - 1;
        r.Bottom = RowCount() - 1;
        CopyRectAsText(r, true);
    } else
        CopyRectAsText(Selection(), false);
}

void TExtStringGrid::CutSelectionToClipboard() {
    CopySelectionToClipboard();
    const TMouseActions* m = MouseActions();
    BeginGridUpdate();
    if (m->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (GetColSelect(c)) ClearCols(RealColIndex(c), 1);
    } else if (m->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (IsRowPicked(r)) ClearRows(r, 1);
    } else {
        const TGridRect s = Selection();
        for (int r = s.Top; r <= s.Bottom; ++r)
            for (int c = s.Left; c <= s.Right; ++c) {
                // Only what a paste could write back is emptied: a cut never
                // wipes read-only or fixed cells.
                if (!CanPasteCell(c, r)) continue;
                const int real = RealColIndex(c);
                if (Navigation()->AllowFmtClipboard && IsMergedCell(real, r)) SplitCells(real, r);
                SetCellAndRefresh(c, r, "");
            }
    }
    EndGridUpdate();
}

// --- pasting ---------------------------------------------------------------------------

bool TExtStringGrid::CanPasteCell(int ADisplCol, int ARow) {
    if (Navigation()->AllowClipboardAlways) return true;
    if (!Options().Contains(goEditing)) return false;
    const int real = RealColIndex(ADisplCol);
    bool fixed = ADisplCol < FixedCols() || ARow < FixedRows();
    IsFixedCell(real, ARow, fixed);
    if (fixed) return false;
    bool can = true;
    CanEditCell(real, ARow, can);
    return can;
}

TPoint TExtStringGrid::MeasureClipboardText(const std::string& Text) {
    TDelimitedReader reader(Text.data(), Text.size(), '\t');
    std::vector<std::string> fields;
    std::vector<bool> quoted;
    TPoint size{0, 0};
    while (reader.Next(fields, quoted)) {
        size.X = std::max(size.X, static_cast<int>(fields.size()));
        ++size.Y;
    }
    return size;
}

bool TExtStringGrid::AllowPasteCell(int ACol, int ARow, std::string& Value) {
    bool allow = true;
    if (!IsWideCell(Value)) {
        if (OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, ACol, ARow, Value, allow);
    } else if (OnClipboardBeforePasteWideCell) {
        std::u16string wide = DecodeWideCell(Value);
        OnClipboardBeforePasteWideCell(this, ACol, ARow, wide, allow);
        Value = EncodeWideCell(wide);
    }
    return allow;
}

int TExtStringGrid::PasteText(int ACol, int ARow, const std::u16string& Text) {
    const TNavigation* nav = Navigation();
    if (!Options().Contains(goEditing) && !nav->AllowClipboardAlways && !nav->AlwaysEdit) return 0;
    // The reader splits at TAB, CR, LF and quotes, which UTF-8 never uses
    // inside a character; each field becomes a cell text of its own.
    const std::string utf8 = Utf16ToUtf8(Text);
    const TPoint size = MeasureClipboardText(utf8);
    if (size.X == 0 || size.Y == 0) return 0;
    BeginGridUpdate();
    if (ACol + size.X > ColCount() && nav->AllowClipboardColGrow) SetColCount(ACol + size.X);
    if (ARow + size.Y > RowCount() && nav->AllowClipboardRowGrow) SetRowCount(ARow + size.Y);
    TDelimitedReader reader(utf8.data(), utf8.size(), '\t');
    std::vector<std::string> fields;
    std::vector<bool> quoted;
    int written = 0;
    for (int r = ARow; reader.Next(fields, quoted) && r < RowCount(); ++r)
        for (size_t i = 0; i < fields.size(); ++i) {
            const int c = ACol + static_cast<int>(i);
            if (c >= ColCount() || !CanPasteCell(c, r)) continue;
            std::string value = fields[i];
            if (value.find('\n') != std::string::npos) value = ExpandLineFeeds(value);
            value = WideToCellText(Utf8ToUtf16(value));
            if (!AllowPasteCell(c, r, value)) continue;
            SetCellAndRefresh(c, r, value);
            ++written;
        }
    EndGridUpdate();
    FLastPasteSize = size;
    CellsChanged(Rect(ACol, ARow, ACol + size.X - 1, ARow + size.Y - 1));
    return written;
}

int TExtStringGrid::PasteAt(int ACol, int ARow) {
    TClipboard* cb = Clipboard();
    const unsigned cells = InitGridUnit().CellsClipboardFormat;
    if (Navigation()->AllowFmtClipboard && cb->HasFormat(cells)) {
        const std::string block = cb->GetBuffer(cells);
        TMemoryStream s;
        s.WriteBuffer(block.data(), static_cast<int64_t>(block.size()));
        s.SetPosition(0);
        const int n = ReadCellStream({ACol, ARow}, s);
        s.SetPosition(0);
        TComponentReader head(s);
        FLastPasteSize = {0, 0};
        if (n > 0) {
            TStreamedComponent c;
            head.ReadComponent(c);
            FLastPasteSize = {static_cast<int>(c.Integer("ColCount")),
                              static_cast<int>(c.Integer("RowCount"))};
        }
        return n;
    }
    if (Navigation()->AllowRTFClipboard && cb->HasFormat(RTFFormat())) {
        if (CanPasteCell(ACol, ARow)) SetCellAndRefresh(ACol, ARow, cb->GetBuffer(RTFFormat()));
        FLastPasteSize = {1, 1};
        return 0;
    }
    if (cb->HasFormat(CF_TEXT)) return PasteText(ACol, ARow, cb->AsWideText());
    return 0;
}

void TExtStringGrid::PasteFromClipboard() {
    const TGridRect sel = Selection();
    FLastPasteSize = {0, 0};
    PasteAt(sel.Left, sel.Top);
    if (Navigation()->AllowSmartClipboard) SmartPaste(sel);
}

void TExtStringGrid::SmartPaste(const TGridRect& Sel) {
    const TPoint pasted = FLastPasteSize;
    const int selCols = Sel.Right - Sel.Left + 1, selRows = Sel.Bottom - Sel.Top + 1;
    if (pasted.X < 1 || pasted.Y < 1 || selCols * selRows <= 1) return;
    auto put = [this](int c, int r, std::string Value) {
        if (CanPasteCell(c, r) && AllowPasteCell(c, r, Value)) SetCellAndRefresh(c, r, Value);
    };
    auto cell = [this](int c, int r) { return Cells(RealColIndex(c), r); };
    BeginGridUpdate();
    if (pasted.X == 1 && pasted.Y == 1) {
        const std::string value = cell(Sel.Left, Sel.Top);
        for (int r = Sel.Top; r <= Sel.Bottom; ++r)
            for (int c = Sel.Left; c <= Sel.Right; ++c)
                if (c != Sel.Left || r != Sel.Top) put(c, r, value);
    } else if ((selCols == 1 && pasted.Y > 1) || (selRows == 1 && pasted.X > 1)) {
        const bool down = selCols == 1 && pasted.Y > 1;
        const int count = down ? selRows : selCols, have = down ? pasted.Y : pasted.X;
        auto at = [&](int k) {
            return down ? TPoint{Sel.Left, Sel.Top + k} : TPoint{Sel.Left + k, Sel.Top};
        };
        const std::string a = cell(at(0).X, at(0).Y), b = cell(at(1).X, at(1).Y);
        TDateTime da = 0, db = 0;
        int ia = 0, ib = 0;
        const char dec = FormatSettings().DecimalSeparator;
        if (HasDateChars(a) && HasDateChars(b) && TextToDateTime(a, da) && TextToDateTime(b, db)) {
            // The step in whole years, months or days when it is one.
            uint16_t y1, m1, d1, y2, m2, d2;
            DecodeDate(da, y1, m1, d1);
            DecodeDate(db, y2, m2, d2);
            const double diff = db - da;
            int years = 0, months = 0, days = 0;
            const bool whole = std::floor(da) == da && std::floor(db) == db;
            if (whole && d1 == d2 && m1 == m2)
                years = y2 - y1;
            else if (whole && d1 == d2)
                months = (y2 - y1) * 12 + (m2 - m1);
            else if (whole)
                days = static_cast<int>(diff);
            const bool timeOnly = std::floor(da) == 0 && std::floor(db) == 0;
            for (int k = 2; k < count; ++k) {
                const TDateTime v = StepDate(da, k * years, k * months, k * days, k * diff);
                std::string text;
                if (timeOnly)
                    text = TimeToStr(v);
                else if (whole)
                    text = DateToStr(v);
                else
                    text = DateToStr(v) + " " + TimeToStr(v);
                put(at(k).X, at(k).Y, text);
            }
        } else if (a.find(dec) == std::string::npos && b.find(dec) == std::string::npos &&
                   TryStrToInt(a, ia) && TryStrToInt(b, ib)) {
            for (int k = 2; k < count; ++k)
                put(at(k).X, at(k).Y, std::to_string(ia + static_cast<long long>(k) * (ib - ia)));
        } else {
            for (int k = have; k < count; ++k) {
                const TPoint from = at(k % have);
                put(at(k).X, at(k).Y, cell(from.X, from.Y));
            }
        }
    }
    EndGridUpdate();
}
