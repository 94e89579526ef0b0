#pragma once
// The collation the engine compares names in: four 256-byte tables built
// once from the user's locale. Order gives each byte its rank, Reverse the
// byte of each rank, Upper and Lower the rank of the upper- and lower-case
// form of the byte of each rank. OwnCollation is true when Order is a
// permutation; only then are names compared through the tables.
//
// The user's locale is the C library's (LC_ALL, LC_COLLATE, LANG). A
// Turkish locale takes the engine's fixed Turkish tables, which read bytes
// in the Turkish code page (Windows-1254: 0xFD dotless i, 0xDD dotted
// capital I), so that "i" pairs with "İ" and "ı" with "I".

#include <cstddef>
#include <cstdint>
#include <string>

struct TZALocaleTables {
    uint8_t Order[256];
    uint8_t Reverse[256];
    uint8_t Upper[256];
    uint8_t Lower[256];
    bool OwnCollation = false;
};

// Tables for a locale name ("" for the user's own, as the C library finds it).
TZALocaleTables ZABuildLocaleTables(const std::string& LocaleName);
// The process's tables, built from the user's locale at first use.
const TZALocaleTables& ZALocaleTables();

// Compares at most N characters of A and B through Tables: the difference of
// the ranks of the first differing pair (case-insensitive: of their upper
// ranks), 0 when equal.
int ZACompareStrN(const std::string& A, const std::string& B, size_t N, bool IgnoreCase,
                  const TZALocaleTables& Tables);
