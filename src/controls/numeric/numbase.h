#pragma once
// The number engine of the numeric edit without its window: the four bases,
// reading a typed text (base prefixes, SI suffixes, exponents, separators) and
// the views and texts made from a value. Separators are read from the one
// FormatSettings() object at every call, so the character check and the
// conversion always agree, also after the program changes a separator.

#include <cstdint>
#include <string>

enum TEditBase { ebBin, ebHex, ebFloat, ebInt };

struct TEditBaseRow {
    std::string Valid; // characters allowed in the number
    bool Exponent = false;
    bool SIPrefix = false;
    std::string Signs;
    long double Lower = 0;
    long double Upper = 0;
};

// The row of a base as the current separators make it.
TEditBaseRow EditBaseRow(TEditBase Base);

// The thousand separator in force, or '\0' when there is none: an empty one, or
// one equal to the decimal separator (which would make "1.5" read as 15).
char ThousandSeparatorInUse();

// The factor of an SI suffix character ("EPTGMkmunpfa"), or 0 when C is none.
double SIFactor(char C);

struct TNumParse {
    bool Empty = false; // the text is empty: nothing to read
    bool Valid = false;
    int FirstBad = 0; // 1-based positions of the first and last offending character
    int LastBad = 0;
    TEditBase Base = ebFloat; // the base the text was read in
    double Value = 0;         // when valid; beyond a base's range it may be huge or infinite
};

// Reads Text in DefaultBase, or in the base its first character names
// ('!' float, '$' hex, '%' integer, '&' binary). Never raises: a text whose
// characters pass but whose number does not read (say "1e") is invalid over
// the whole number; a number beyond the base's range reads as it is, and the
// formatting clamps it.
TNumParse ParseNumberText(const std::string& Text, TEditBase DefaultBase);

// A value clamped into a base's bounds with its other views.
struct TNumViews {
    double Value = 0;
    float AsSingle = 0;
    int32_t AsInt = 0;
    std::string AsHex;
    std::string AsBool;
};

TNumViews MakeNumViews(long double V, TEditBase Base, int DigitsHex, int DigitsBool);

// The text of a value in Base: binary and hexadecimal digits, FormatStr in the
// floating-point base, the decimal integer otherwise.
std::string NumViewText(const TNumViews& Views, TEditBase Base, const std::string& FormatStr);
