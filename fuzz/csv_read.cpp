// The delimited-text reader on any text, with the delimiter found as a file
// load finds it. Every field must come from the text, the reader must end, and
// a record copied out with the grid's copy quoting (tab-separated) must read
// back as the same fields.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/delimitedtext.h"

namespace {

// One record written as a tab-separated copy line and read back.
void CheckCopyRoundTrip(const std::vector<std::string>& Fields) {
    std::string line;
    for (size_t i = 0; i < Fields.size(); ++i)
        line += (i ? "\t" : "") + QuoteField(Fields[i]);
    TDelimitedReader again(line.data(), line.size(), '\t');
    std::vector<std::string> back;
    std::vector<bool> quoted;
    if (!again.Next(back, quoted)) {
        // Only a record of one empty field leaves no text at all.
        if (!(Fields.size() == 1 && Fields[0].empty())) __builtin_trap();
        return;
    }
    if (back != Fields) __builtin_trap();
    if (again.Next(back, quoted)) __builtin_trap(); // one line, one record
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    const char delim = DetectTextDelimiter(text);
    if (delim != '\0' && text.find(delim) == std::string::npos) __builtin_trap();

    TDelimitedReader reader(text.data(), text.size(), delim);
    std::vector<std::string> fields;
    std::vector<bool> quoted;
    size_t records = 0, last = 0;
    while (reader.Next(fields, quoted)) {
        // Every record moves the reader on, so it ends.
        if (reader.Position() <= last || reader.Position() > Size) __builtin_trap();
        last = reader.Position();
        if (++records > Size) __builtin_trap();
        if (fields.empty() || quoted.size() != fields.size()) __builtin_trap();
        size_t bytes = 0;
        for (size_t i = 0; i < fields.size(); ++i) {
            bytes += fields[i].size();
            // A plain field is a piece of the text; a quoted one is no longer
            // than what it was read from.
            if (!quoted[i] && !fields[i].empty() && text.find(fields[i]) == std::string::npos)
                __builtin_trap();
        }
        if (bytes > Size) __builtin_trap();
        CheckCopyRoundTrip(fields);
    }
    // Records never outnumber the lines (a multi-line field joins lines).
    if (records > CountTextLines(text.data(), text.size())) __builtin_trap();
    return 0;
}
