#pragma once
// Number, score and key texts, tolerant number reading and TAB-separated fields.
// Numbers are written with the decimal separator '.'.

#include <cstddef>
#include <string>
#include <string_view>

// A score with "½" for the half point: 3.5 gives "3½", 4.0 "4", 0.5 "½".
std::string PuntenToStr(double X);
// The rounded rating, empty when it is no valid rating.
std::string RatingToStr(double R);
// The birth years a player can have; anything else is no birth year.
inline constexpr int MinGebJaar = 1904, MaxGebJaar = 2098;
bool IsValidGebJaar(int Y); // MinGebJaar..MaxGebJaar
std::string GebJaarToStr(int Y);
// W-We with 3 decimals, "+" in front when not negative.
std::string WWeToStr(double X);
std::string FloatToStrDec(double X, int Decimals);
// Decimal text of N left-padded with "0" to at least Width characters; the padding goes
// in front of a minus sign, which keys never hold.
std::string IntToZeroStr(int N, int Width);
std::string IntToKey4(int N);           // |N| padded to 4
int TrimStrToInt(const std::string& S); // 0 when not an integer
// -1 when not a number or negative. A decimal comma counts as the decimal
// separator, as a Dutch user types it ("7,25" is 7.25, never 725).
double TrimStrToFloat(const std::string& S);

int CountTabs(const std::string& S);
// Cuts the text before the first TAB (trimmed) and that TAB off Line; without a TAB
// the result is empty and Line stays as it is.
std::string CutTabField(std::string& Line);
int CutTabInt(std::string& Line);

// The measures of a text's lines, taken in one pass without copying anything,
// so that a hostile file can be refused before anything is built from it.
// A line break is CR LF, LF or CR; a line counts as filled when it holds more
// than Delimiter, blanks and TABs.
struct TRegelMaten {
    size_t GevuldeRegels = 0;
    size_t LangsteRegel = 0; // bytes
    size_t MeesteVelden = 0; // Delimiter-separated fields on one line
};
TRegelMaten MeetRegels(std::string_view Text, char Delimiter);
// The largest measures a kind of file has (0: no bound).
struct TRegelGrenzen {
    size_t Lengte = 0; // bytes of one line
    size_t Velden = 0; // fields on one line
    size_t Regels = 0; // filled lines
};
// Why a file of these measures is no file of its kind, in Dutch for the
// director; empty when it keeps within the bounds. Bestand names the file
// ("Het bestand"), Soort the kind ("een groepsbestand").
std::string RegelMatenFout(const TRegelMaten& Maten, const TRegelGrenzen& Grenzen,
                           const std::string& Bestand, const std::string& Soort);
