// The settings file text: any bytes parse, every entry read can be looked up,
// and writing the parsed text back gives a text that parses to itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/rtl/inifiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    TIniSections ini;
    ini.Parse(text);
    for (const auto& section : ini.Sections)
        for (const auto& line : section.Lines)
            if (line.IsEntry && !ini.Value(section.Name, line.Name)) __builtin_trap();
    const std::string written = ini.Text();
    TIniSections again;
    again.Parse(written);
    if (again.Text() != written) __builtin_trap();
    return 0;
}
