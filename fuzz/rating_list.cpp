// The rating-list reader on any text: the first byte picks the rating kind,
// the rest is the file's lines. Every member it takes must come from a line of
// at least 60 characters, carry a federation number, and stand once in the list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>

#include "app/ledenlijst.h"
#include "model/group.h"
#include "model/player.h"
#include "platform/rtl/stringlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    RatingType = static_cast<TRatingType>(Data[0] % (RatingTypeCount + 1)); // one beyond too
    const std::string text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    TStringList lines;
    lines.SetText(text);
    TSpList leden;
    ReadRatingLines(lines, leden);
    if (leden.Count() > lines.Count()) __builtin_trap();
    std::unordered_set<int> seen;
    for (int i = 0; i < leden.Count(); ++i) {
        const TSpRec& r = leden.Sp(i)->Rec;
        if (r.Relnr < MinBondsRelnr || !seen.insert(r.Relnr).second) __builtin_trap();
        // Fields are cut from one line: none is longer than its column.
        if (r.Achternaam.size() > 19 || r.Voornaam.size() > 9 || r.Tussenvoegsel.size() > 7)
            __builtin_trap();
        if (r.Sexe != 'M' && r.Sexe != 'V') __builtin_trap();
        if (leden.Strings(i) != LedenKey(r)) __builtin_trap();
    }
    EmptyLedenList(leden);
    return 0;
}
