// The numeric edit's reading of a typed text in every base, and the views and
// texts made from what it reads: never raises, and the positions it names as
// offending lie inside the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/numeric/numbase.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    for (TEditBase base : {ebBin, ebHex, ebFloat, ebInt}) {
        const TNumParse p = ParseNumberText(text, base);
        if (!p.Valid && !p.Empty &&
            (p.FirstBad < 1 || p.LastBad < p.FirstBad || p.LastBad > static_cast<int>(Size)))
            __builtin_trap();
        if (!p.Valid) continue;
        const TNumViews views = MakeNumViews(p.Value, p.Base, 8, 32);
        for (TEditBase shown : {ebBin, ebHex, ebFloat, ebInt})
            (void)NumViewText(views, shown, "0.###");
    }
    return 0;
}
