// The grid filter's condition matching on any expression and cell value: the
// input is the expression, a NUL byte, then the value.
#include <cstddef>
#include <cstdint>
#include <string>

#include "grid/support/gridfilter.h"
#include "platform/rtl/sysutils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string input(reinterpret_cast<const char*>(Data), Size);
    const size_t nul = input.find('\0');
    const std::string expression = input.substr(0, nul);
    const std::string value = nul == std::string::npos ? "" : input.substr(nul + 1);
    try {
        const bool sensitive = MatchFilter(expression, value, true);
        const bool insensitive = MatchFilter(expression, value, false);
        (void)sensitive;
        (void)insensitive;
        TDateTime date = 0;
        ParseLocaleDate(value, date);
    } catch (const Exception&) {
        // A condition that does not read is refused, not a crash.
    }
    return 0;
}
