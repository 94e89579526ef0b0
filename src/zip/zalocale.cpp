#include "zalocale.h"

#include <locale.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <mutex>
#include <numeric>
#include <vector>

#include "platform/rtl/files.h"
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

// The Turkish order over the program's single bytes: the Turkish letters
// of Windows-1252 after their Latin neighbours (c ç, o ö, u ü and capitals).
void TurkishOrder(TZALocaleTables& T) {
    std::vector<int> seq;
    auto insertAfter = [&](int after, int b) {
        seq.erase(std::find(seq.begin(), seq.end(), b));
        seq.insert(std::find(seq.begin(), seq.end(), after) + 1, b);
    };
    for (int b = 0; b < 256; ++b)
        seq.push_back(b);
    insertAfter('C', 0xC7);
    insertAfter('O', 0xD6);
    insertAfter('U', 0xDC);
    insertAfter('c', 0xE7);
    insertAfter('o', 0xF6);
    insertAfter('u', 0xFC);
    for (int r = 0; r < 256; ++r)
        T.Order[seq[static_cast<size_t>(r)]] = static_cast<uint8_t>(r);
}

// The Turkish letters beyond Windows-1252: each ranks right after a single
// byte and has its own upper-case form.
struct TTurkishLetter {
    TZAChar C;
    uint8_t After;
    TZAChar Upper;
};
constexpr TTurkishLetter TurkishLetters[] = {
    {ZAWideChar + 0x011E, 'G', ZAWideChar + 0x011E}, // Ğ
    {ZAWideChar + 0x011F, 'g', ZAWideChar + 0x011E}, // ğ
    {ZAWideChar + 0x0130, 'I', ZAWideChar + 0x0130}, // İ
    {ZAWideChar + 0x0131, 'h', 'I'},                 // ı, before i
    {ZAWideChar + 0x015E, 'S', ZAWideChar + 0x015E}, // Ş
    {ZAWideChar + 0x015F, 's', ZAWideChar + 0x015E}, // ş
};
constexpr TZAChar TurkishDottedCapitalI = ZAWideChar + 0x0130;

} // namespace

TZALocaleTables ZABuildLocaleTables(const std::string& LocaleName) {
    const std::string name = LocaleName.empty() ? UserLocaleName() : LocaleName;
    TZALocaleTables t{};
    t.Turkish = IsTurkish(name);
    if (t.Turkish) {
        TurkishOrder(t);
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
        // Not a permutation: names are compared in byte order.
        for (int b = 0; b < 256; ++b) {
            t.Order[b] = t.Reverse[b] = static_cast<uint8_t>(b);
            t.Upper[b] = static_cast<uint8_t>(AnsiUpperChar(static_cast<char>(b)));
            t.Lower[b] = static_cast<uint8_t>(AnsiLowerChar(static_cast<char>(b)));
        }
        return t;
    }
    for (int b = 0; b < 256; ++b) {
        const auto c = static_cast<char>(b);
        t.Reverse[t.Order[b]] = static_cast<uint8_t>(b);
        t.Upper[t.Order[b]] = t.Order[static_cast<uint8_t>(AnsiUpperChar(c))];
        t.Lower[t.Order[b]] = t.Order[static_cast<uint8_t>(AnsiLowerChar(c))];
    }
    if (t.Turkish) {
        // In Turkish the partners of i and I (İ and ı) are no single bytes.
        constexpr uint8_t SmallI = 'i', CapitalI = 'I';
        t.Upper[t.Order[SmallI]] = t.Order[SmallI];
        t.Lower[t.Order[CapitalI]] = t.Order[CapitalI];
    }
    return t;
}

const TZALocaleTables& ZALocaleTables() {
    static const TZALocaleTables tables = ZABuildLocaleTables("");
    return tables;
}

std::vector<TZAChar> ZANameChars(const std::string& Name) {
    // The name's exact characters are those of its disk form, which the
    // run-time layer gives back from the program's form.
    const std::string disk = DiskName(Name);
    std::vector<TZAChar> out;
    out.reserve(disk.size());
    for (size_t i = 0; i < disk.size();) {
        char32_t cp = 0;
        const size_t n = Utf8SequenceAt(disk, i, &cp);
        if (n == 0) {
            out.push_back(ZARawByte + static_cast<uint8_t>(disk[i++]));
            continue;
        }
        i += n;
        char single = 0;
        out.push_back(n == 1                        ? cp
                      : UnicodeToCp1252(cp, single) ? static_cast<uint8_t>(single)
                                                    : ZAWideChar + cp);
    }
    return out;
}

int ZACharRank(TZAChar C, const TZALocaleTables& T) {
    // Single bytes take the even ranks, so that a Turkish letter beyond them
    // fits right after its neighbour; every other character ranks after all
    // single bytes, by its code point.
    if (C < ZAWideChar) return 2 * T.Order[C];
    if (T.Turkish)
        for (const TTurkishLetter& l : TurkishLetters)
            if (l.C == C) return 2 * T.Order[l.After] + 1;
    return static_cast<int>(2 * ZAWideChar + C);
}

TZAChar ZAUpperChar(TZAChar C, const TZALocaleTables& T) {
    if (T.Turkish) {
        if (C == 'i') return TurkishDottedCapitalI;
        for (const TTurkishLetter& l : TurkishLetters)
            if (l.C == C) return l.Upper;
    }
    if (C < ZAWideChar) return T.Reverse[T.Upper[T.Order[C]]];
    return C;
}

int ZACompareStrN(const std::string& A, const std::string& B, size_t N, bool IgnoreCase,
                  const TZALocaleTables& T) {
    if (N == 0) return 0;
    const std::vector<TZAChar> a = ZANameChars(A), b = ZANameChars(B);
    const size_t limit = std::min(N, std::min(a.size(), b.size()) + 1);
    for (size_t i = 0; i < limit; ++i) {
        // The end of the shorter text ranks as byte 0 does.
        const TZAChar ca = i < a.size() ? a[i] : 0;
        const TZAChar cb = i < b.size() ? b[i] : 0;
        int ra = ZACharRank(ca, T);
        int rb = ZACharRank(cb, T);
        if (IgnoreCase && ra != rb) {
            ra = ZACharRank(ZAUpperChar(ca, T), T);
            rb = ZACharRank(ZAUpperChar(cb, T), T);
        }
        if (ra != rb) return ra - rb;
    }
    return 0;
}
