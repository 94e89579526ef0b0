// The group data file reader on any text: the bytes are split into rows at line
// ends and into cells at ";" (as a plain load of the file into the read grid
// does), then the group is read from the cells. The same lines, with ";" as the
// field separator TAB, also go to the settings block reader on their own.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/group.h"
#include "model/groupfile.h"
#include "platform/rtl/stringlist.h"

namespace {

std::vector<std::string> SplitAt(const std::string& Text, char Sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t p = Text.find(Sep, start);
        parts.push_back(Text.substr(start, p == std::string::npos ? p : p - start));
        if (p == std::string::npos) return parts;
        start = p + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    TGroepFileRows rows;
    TStringList lines;
    for (std::string line : SplitAt(text, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        rows.push_back(SplitAt(line, ';'));
        std::string tabbed = line;
        for (char& c : tabbed)
            if (c == ';') c = '\t';
        lines.Add(tabbed);
    }
    try {
        TGroep settings;
        ParseXMLBlock(lines, settings);
    } catch (const Exception&) {
        // A refused block is a clean end.
    }
    // The program makes no group of more than 96 players; a bigger one only
    // makes each run slow (the games grow with the square of the players), so
    // the reader runs hundreds of times a second instead of a few. The reader's
    // own limits for larger files have tests of their own.
    if (rows.size() >= 100) return 0;
    try {
        TGroep groep;
        const TGroepFileKolommen k = ReadGroepFromRows(groep, "fuzz.csv", rows, 0);
        // The rows are left as a grid shows them: rectangular.
        for (const auto& row : rows)
            if (row.size() != rows.front().size()) __builtin_trap();
        if (k.AantalSpelers < 0 || k.AantalSpelers > static_cast<int>(rows.size()))
            __builtin_trap();
    } catch (const Exception&) {
        // A refused file is a clean end.
    }
    return 0;
}
