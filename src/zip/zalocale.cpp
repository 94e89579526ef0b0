#include "zalocale.h"

#include <locale.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <mutex>
#include <numeric>
#include <vector>

#include "platform/rtl/sysutils.h"

namespace {

// The Unicode character of a Windows-1252 byte.
wchar_t Wide(uint8_t b) {
    const std::string u = Cp1252ToUtf8(std::string(1, static_cast<char>(b)));
    const auto* p = reinterpret_cast<const unsigned char*>(u.data());
    if (u.size() == 1) return p[0];
    if (u.size() == 2) return static_cast<wchar_t>(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
    if (u.size() == 3)
        return static_cast<wchar_t>(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
    return static_cast<wchar_t>(b);
}

// The locale's name as the C library picks it for collation.
std::string UserLocaleName() {
    for (const char* var : {"LC_ALL", "LC_COLLATE", "LANG"})
        if (const char* v = std::getenv(var); v && *v) return v;
    return "C";
}

bool IsTurkish(const std::string& Name) {
    return Name == "tr" || Name.rfind("tr_", 0) == 0 || Name.rfind("tr.", 0) == 0;
}

// The locale's comparison of two one-character strings; characters it
// weighs alike (control characters it ignores) keep their byte order, so
// that distinct bytes never tie.
struct TCollator {
    locale_t Loc;
    explicit TCollator(const std::string& Name) {
        Loc = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, Name.c_str(), nullptr);
        if (!Loc) Loc = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, "C", nullptr);
    }
    ~TCollator() {
        if (Loc) freelocale(Loc);
    }
    TCollator(const TCollator&) = delete;
    TCollator& operator=(const TCollator&) = delete;
    bool Before(uint8_t c, uint8_t b) const {
        const wchar_t wc[2] = {Wide(c), 0};
        const wchar_t wb[2] = {Wide(b), 0};
        const int r = Loc ? wcscoll_l(wc, wb, Loc) : std::wcscmp(wc, wb);
        return r != 0 ? r < 0 : c < b;
    }
};

// The Turkish alphabet's letters after their Latin neighbours, in the
// Turkish code page: c ç, g ğ, ı before i, o ö, s ş, u ü (and capitals).
void TurkishTables(TZALocaleTables& T) {
    std::vector<int> seq;
    auto insertAfter = [&](int after, int b) {
        seq.erase(std::find(seq.begin(), seq.end(), b));
        seq.insert(std::find(seq.begin(), seq.end(), after) + 1, b);
    };
    for (int b = 0; b < 256; ++b)
        seq.push_back(b);
    insertAfter('C', 0xC7);
    insertAfter('G', 0xD0);
    insertAfter('I', 0xDD); // I, then İ
    insertAfter('O', 0xD6);
    insertAfter('S', 0xDE);
    insertAfter('U', 0xDC);
    insertAfter('c', 0xE7);
    insertAfter('g', 0xF0);
    insertAfter('h', 0xFD); // ı, then i
    insertAfter('o', 0xF6);
    insertAfter('s', 0xFE);
    insertAfter('u', 0xFC);
    for (int r = 0; r < 256; ++r)
        T.Order[seq[static_cast<size_t>(r)]] = static_cast<uint8_t>(r);
    uint8_t upper[256], lower[256];
    for (int b = 0; b < 256; ++b) {
        upper[b] = lower[b] = static_cast<uint8_t>(b);
        if (b >= 'a' && b <= 'z') upper[b] = static_cast<uint8_t>(b - 32);
        if (b >= 'A' && b <= 'Z') lower[b] = static_cast<uint8_t>(b + 32);
        if (b >= 0xE0 && b <= 0xFE && b != 0xF7) upper[b] = static_cast<uint8_t>(b - 32);
        if (b >= 0xC0 && b <= 0xDE && b != 0xD7) lower[b] = static_cast<uint8_t>(b + 32);
    }
    upper[static_cast<uint8_t>('i')] = 0xDD;
    upper[0xFD] = 'I';
    lower[static_cast<uint8_t>('I')] = 0xFD;
    lower[0xDD] = 'i';
    upper[0xFF] = 0x9F; // ÿ, Ÿ
    lower[0x9F] = 0xFF;
    for (int b = 0; b < 256; ++b) {
        T.Upper[T.Order[b]] = T.Order[upper[b]];
        T.Lower[T.Order[b]] = T.Order[lower[b]];
    }
}

} // namespace

TZALocaleTables ZABuildLocaleTables(const std::string& LocaleName) {
    const std::string name = LocaleName.empty() ? UserLocaleName() : LocaleName;
    TZALocaleTables t{};
    if (IsTurkish(name)) {
        TurkishTables(t);
    } else {
        const TCollator coll(name);
        for (int b = 0; b < 256; ++b) {
            int rank = 0;
            for (int c = 0; c < 256; ++c)
                if (c != b && coll.Before(static_cast<uint8_t>(c), static_cast<uint8_t>(b))) ++rank;
            t.Order[b] = static_cast<uint8_t>(rank);
        }
    }
    bool seen[256] = {};
    for (int b = 0; b < 256; ++b)
        seen[t.Order[b]] = true;
    t.OwnCollation = std::all_of(std::begin(seen), std::end(seen), [](bool s) { return s; });
    if (!t.OwnCollation) {
        // Not used for comparing: the locale's own comparison is.
        for (int b = 0; b < 256; ++b) {
            t.Order[b] = t.Reverse[b] = static_cast<uint8_t>(b);
            t.Upper[b] = static_cast<uint8_t>(AnsiUpperChar(static_cast<char>(b)));
            t.Lower[b] = static_cast<uint8_t>(AnsiLowerChar(static_cast<char>(b)));
        }
        return t;
    }
    for (int b = 0; b < 256; ++b)
        t.Reverse[t.Order[b]] = static_cast<uint8_t>(b);
    if (!IsTurkish(name))
        for (int b = 0; b < 256; ++b) {
            const auto c = static_cast<char>(b);
            t.Upper[t.Order[b]] = t.Order[static_cast<uint8_t>(AnsiUpperChar(c))];
            t.Lower[t.Order[b]] = t.Order[static_cast<uint8_t>(AnsiLowerChar(c))];
        }
    return t;
}

const TZALocaleTables& ZALocaleTables() {
    static const TZALocaleTables tables = ZABuildLocaleTables("");
    return tables;
}

int ZACompareStrN(const std::string& A, const std::string& B, size_t N, bool IgnoreCase,
                  const TZALocaleTables& T) {
    if (N == 0) return 0;
    const size_t limit = std::min(N, std::min(A.size(), B.size()) + 1);
    for (size_t i = 0; i < limit; ++i) {
        // The end of the shorter text ranks as byte 0 does.
        int a = T.Order[i < A.size() ? static_cast<uint8_t>(A[i]) : 0];
        int b = T.Order[i < B.size() ? static_cast<uint8_t>(B[i]) : 0];
        if (IgnoreCase && a != b) {
            a = T.Upper[a];
            b = T.Upper[b];
        }
        if (a != b) return a - b;
    }
    return 0;
}
