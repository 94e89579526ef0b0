// A group data file as the main window loads it: the bytes read by the grid's
// delimited-text loader (the delimiter the heading's first byte gives, else the
// one found from the first two lines; a record per row, an unquoted empty last
// field storing nothing, doubled quotes of unquoted fields collapsed, lone line
// feeds in a field made CR LF), the cells padded to a rectangle as a grid holds
// them, then the group read from them. A group that was read is written with the
// program's writer and must read back with the same players and results; a
// refused file leaves the group empty.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/delimitedtext.h"
#include "grid/support/gridtext.h"
#include "model/group.h"
#include "model/groupfile.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"

namespace {

TGroepFileRows LoadCells(const std::string& Text) {
    char delim = GroepFileDelimiter(Text);
    if (delim == '\0') delim = DetectTextDelimiter(Text);
    TDelimitedReader reader(Text.data(), Text.size(), delim);
    std::vector<std::string> fields;
    std::vector<bool> quoted;
    TGroepFileRows rows;
    size_t cols = 1;
    while (reader.Next(fields, quoted)) {
        size_t n = fields.size();
        if (n > 0 && !quoted[n - 1] && fields[n - 1].empty()) --n;
        fields.resize(n);
        for (size_t i = 0; i < n; ++i) {
            if (!quoted[i] && fields[i].find('"') != std::string::npos)
                fields[i] = CollapseDoubledChar(fields[i], '"');
            if (fields[i].find('\n') != std::string::npos) fields[i] = ExpandLineFeeds(fields[i]);
        }
        cols = std::max(cols, n);
        rows.push_back(fields);
    }
    for (auto& r : rows)
        r.resize(cols);
    return rows;
}

std::vector<TUitslagCode> Codes(const TGroep& G) {
    std::vector<TUitslagCode> codes;
    for (int i = 0; i < G.Games.Count(); ++i)
        for (const TGameSlot& s : G.Games.Game(i)->Rec.Slots)
            codes.push_back(s.Uitslag);
    return codes;
}

// One scratch file per process, removed when the run ends.
const std::string& TempFile() {
    struct TScratch {
        std::string Name = "/tmp/vz_fuzz_groupfile_" + std::to_string(getpid()) + ".csv";
        ~TScratch() { unlink(Name.c_str()); }
    };
    static const TScratch scratch;
    return scratch.Name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    TGroepFileRows rows = LoadCells(text);
    // The program makes no group of more than 96 players; bigger groups only
    // make each run slow (the games grow with the square of the players).
    if (rows.size() >= 100) return 0;
    try {
        TGroep groep;
        const TGroepFileKolommen k = ReadGroepFromRows(groep, "fuzz.csv", rows, 0);
        for (const auto& row : rows)
            if (row.size() != rows.front().size()) __builtin_trap();
        if (!k.Fout.empty() && (groep.Spelers.Count() != 0 || groep.Games.Count() != 0))
            __builtin_trap();
        // One player makes a file of two lines, which is no group file.
        if (groep.Spelers.Count() < 2 || groep.Spelers.Count() > 40) return 0;
        // Rows marked "#" among the players leave gaps in the draw numbers, which
        // the writer closes; such a group is written as another one.
        for (int i = 0; i < groep.Spelers.Count(); ++i)
            if (groep.Spelers.Sp(i)->Rec.BergerNr != i + 1) return 0;

        // What the program writes of it reads back as the same group.
        groep.SaveGroepFile(TempFile());
        TGroepFileRows again = LoadCells(ReadFileBytes(TempFile()));
        TGroep terug;
        const TGroepFileKolommen k2 = ReadGroepFromRows(terug, "terug.csv", again, 0);
        if (!k2.Fout.empty()) __builtin_trap();
        if (terug.Spelers.Count() != groep.Spelers.Count()) __builtin_trap();
        if (terug.Rec.DubbelRondig != groep.Rec.DubbelRondig) __builtin_trap();
        // A group read without result columns has no games; the writer gives it
        // empty ones, which read back as games without results.
        const std::vector<TUitslagCode> codes = Codes(terug);
        if (groep.Games.Count() == 0) {
            for (const TUitslagCode c : codes)
                if (c != ucGeen) __builtin_trap();
        } else if (codes != Codes(groep)) {
            __builtin_trap();
        }
    } catch (const Exception&) {
        // A refused file is a clean end.
    }
    return 0;
}
