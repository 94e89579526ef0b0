// The two member-list readers on any text, split into rows and cells as the
// grid's delimited-text load splits a ';'-separated file. Members must carry a
// federation number; the KNSB list holds each number once, the NJR list never
// more members than rows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/ledenlijst.h"
#include "grid/delimitedtext.h"
#include "model/group.h"
#include "model/player.h"

namespace {

void CheckMembers(const TSpList& Leden, int Rows, bool Unique) {
    if (Leden.Count() > (Rows > 0 ? Rows - 1 : 0)) __builtin_trap();
    std::unordered_set<int> seen;
    for (int i = 0; i < Leden.Count(); ++i) {
        const TSpRec& r = Leden.Sp(i)->Rec;
        if (r.Relnr < MinBondsRelnr) __builtin_trap();
        if (!seen.insert(r.Relnr).second && Unique) __builtin_trap();
        if (r.Sexe != 'M' && r.Sexe != 'V') __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    RatingType = static_cast<TRatingType>(Data[0] % (RatingTypeCount + 1));
    const std::string text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    std::vector<std::vector<std::string>> rows;
    TDelimitedReader reader(text.data(), text.size(), ';');
    std::vector<std::string> fields;
    std::vector<bool> quoted;
    while (reader.Next(fields, quoted))
        rows.push_back(fields);
    const TLedenCell cell = [&rows](int Col, int Row) {
        const auto& r = rows.at(static_cast<size_t>(Row));
        return static_cast<size_t>(Col) < r.size() ? r[static_cast<size_t>(Col)] : std::string();
    };
    const int n = static_cast<int>(rows.size());
    TSpList njr, knsb;
    ReadNJRLedenRows(n, cell, njr);
    CheckMembers(njr, n, false);
    int reported = 0;
    ReadKnsbLedenRows(n, cell, knsb, [&reported](int Row) {
        if (Row % LeesVoortgangStap != 0 || Row <= reported) __builtin_trap();
        reported = Row;
    });
    CheckMembers(knsb, n, true);
    EmptyLedenList(njr);
    EmptyLedenList(knsb);
    return 0;
}
