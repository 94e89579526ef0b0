#pragma once
// The collation the engine compares names in: four 256-byte tables built
// once from the user's locale, over the program's single-byte characters
// (Windows-1252). Order gives each byte its rank, Reverse the byte of each
// rank, Upper and Lower the rank of the upper- and lower-case form of the
// byte of each rank. OwnCollation is true when Order is a permutation.
//
// Names are compared character by character in the program's form of a
// name (files.h): a Windows-1252 character is its byte, any other character
// stands there as escaped UTF-8 and is compared as that one character.
//
// The user's locale is the C library's (LC_ALL, LC_COLLATE, LANG). A
// Turkish locale takes the engine's fixed Turkish order and case: "i" pairs
// with "İ" and "ı" with "I" (both beyond Windows-1252), and ç, ğ, ı, ö, ş, ü
// follow their Latin neighbours.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TZALocaleTables {
    uint8_t Order[256];
    uint8_t Reverse[256];
    uint8_t Upper[256];
    uint8_t Lower[256];
    bool OwnCollation = false;
    bool Turkish = false; // the fixed Turkish order and case apply
};

// One character of a name in the program's form: a Windows-1252 byte as it
// is (below ZAWideChar), a character beyond Windows-1252 as ZAWideChar plus
// its code point, an escaped byte that is no UTF-8 as ZARawByte plus it.
using TZAChar = uint32_t;
constexpr TZAChar ZAWideChar = 0x100;
constexpr TZAChar ZARawByte = ZAWideChar + 0x110000;
std::vector<TZAChar> ZANameChars(const std::string& Name);
// The character's rank in the collation of Tables, and its upper-case form.
int ZACharRank(TZAChar C, const TZALocaleTables& Tables);
TZAChar ZAUpperChar(TZAChar C, const TZALocaleTables& Tables);

// Tables for a locale name ("" for the user's own, as the C library finds it).
TZALocaleTables ZABuildLocaleTables(const std::string& LocaleName);
// The process's tables, built from the user's locale at first use.
const TZALocaleTables& ZALocaleTables();

// Compares at most N characters of A and B through Tables: the difference of
// the ranks of the first differing pair (case-insensitive: of the ranks of
// their upper-case forms), 0 when equal.
int ZACompareStrN(const std::string& A, const std::string& B, size_t N, bool IgnoreCase,
                  const TZALocaleTables& Tables);
