// Filling the grid from delimited text files.

#include <cmath>
#include <fstream>
#include <iterator>

#include "grid/delimitedtext.h"
#include "grid/extgrid.h"
#include "grid/support/gridtext.h"
#include "platform/rtl/files.h"

namespace {

bool ReadWholeFile(const std::string& FileName, std::string& Data) {
    std::ifstream in(DiskName(FileName), std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return false;
    in.seekg(0, std::ios::beg);
    Data.resize(static_cast<size_t>(size));
    in.read(Data.data(), size);
    Data.resize(static_cast<size_t>(in.gcount()));
    return true;
}

} // namespace

void TExtStringGrid::LoadFromCSVWorker(const std::string& FileName, bool Append) {
    std::string data;
    if (!ReadWholeFile(FileName, data)) throw EExtGridError(SCannotOpenFile + FileName);
    if (OemConvert) ConvertOemToAnsi(data);
    const int c0 = IncludeFixedCells ? 0 : FixedCols();
    const int r0 = IncludeFixedCells ? 0 : FixedRows();

    char delim = Delimiter;
    if (delim == '\0') delim = DetectTextDelimiter(data);
    const int lines = static_cast<int>(CountTextLines(data.data(), data.size()));

    BeginGridUpdate();
    int row = r0;
    if (Append) {
        // New lines go above the footer rows, which stay last with their cells.
        row = RowCount() - FixedFooters();
        InsertRows(row, lines);
    } else if (RowCount() < r0 + lines + FixedFooters())
        SetRowCount(r0 + lines + FixedFooters());
    const int firstRow = row;

    TDelimitedReader reader(data.data(), data.size(), delim);
    std::vector<std::string> fields;
    std::vector<bool> quoted;
    short reported = -1;
    try {
        while (reader.Next(fields, quoted)) {
            size_t n = fields.size();
            if (n > 0 && !quoted[n - 1] && fields[n - 1].empty()) --n; // stores nothing
            if (n > 0 && c0 + static_cast<int>(n) > GetAllColCount())
                SetColCount(c0 + static_cast<int>(n) - NumHiddenColumns());
            for (size_t i = 0; i < n; ++i) {
                std::string& f = fields[i];
                if (!quoted[i] && f.find('"') != std::string::npos) f = CollapseDoubledChar(f, '"');
                if (TildeLineBreaks && f.find('~') != std::string::npos) f = ExpandTildes(f);
                if (f.find('\n') != std::string::npos) f = ExpandLineFeeds(f);
                SetRawCell(c0 + static_cast<int>(i), row, f);
            }
            ++row;
            if (OnFileProgress) {
                const auto pct =
                    static_cast<short>(std::lround((row - firstRow) * 100.0 / std::max(1, lines)));
                if (pct != reported) OnFileProgress(this, reported = pct);
            }
        }
    } catch (...) {
        EndGridUpdate();
        throw;
    }
    // Lines of multi-line fields made fewer rows than lines.
    if (Append) {
        if (firstRow + lines > row) RemoveRows(row, firstRow + lines - row);
    } else
        SetRowCount(row + FixedFooters());
    EndGridUpdate();
    CellsChanged(Rect(0, 0, ColCount(), RowCount()));
    GridChanged();
}
