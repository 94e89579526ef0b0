#pragma once
// Single-byte text and number conversions. Text is Windows-1252 in std::string;
// positions in the Pos/Copy family are 1-based, as the tournament code expects.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/rtl/sets.h"

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& msg) : std::runtime_error(msg) {}
    std::string Message() const { return what(); }
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

// Silent exception that ends the current action without a message.
[[noreturn]] void Abort();

// --- trimming and case -------------------------------------------------------
std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
std::string UpperCase(const std::string& s);     // ASCII letters only
std::string LowerCase(const std::string& s);     // ASCII letters only
std::string AnsiUpperCase(const std::string& s); // also the code page's accented letters
std::string AnsiLowerCase(const std::string& s);
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);

int CompareStr(const std::string& a, const std::string& b);  // byte order
int CompareText(const std::string& a, const std::string& b); // ASCII case-insensitive
bool SameText(const std::string& a, const std::string& b);
int AnsiCompareText(const std::string& a, const std::string& b); // code-page case-insensitive

// --- positions (1-based) -----------------------------------------------------
int Pos(const std::string& sub, const std::string& s);
int PosEx(const std::string& sub, const std::string& s, int offset);
int LastDelimiter(const std::string& delimiters, const std::string& s);
std::string Copy(const std::string& s, int index, int count);
void Delete(std::string& s, int index, int count);
void Insert(const std::string& sub, std::string& s, int index);
std::string StringOfChar(char c, int count);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
std::string StringReplace(const std::string& s, const std::string& oldPattern,
                          const std::string& newPattern, TReplaceFlags flags);

bool StartsText(const std::string& prefix, const std::string& s);
bool EndsText(const std::string& suffix, const std::string& s);

// --- integers -----------------------------------------------------------------
std::string IntToStr(int64_t v);
std::string IntToHex(uint64_t v, int digits);
int StrToInt(const std::string& s); // raises EConvertError
int StrToIntDef(const std::string& s, int def);
bool TryStrToInt(const std::string& s, int& v);
int64_t StrToInt64(const std::string& s);
int64_t StrToInt64Def(const std::string& s, int64_t def);
bool TryStrToInt64(const std::string& s, int64_t& v);

// --- floating point -------------------------------------------------------------
// Conversions use the decimal separator of FormatSettings().
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
double StrToFloat(const std::string& s); // raises EConvertError
double StrToFloatDef(const std::string& s, double def);
bool TryStrToFloat(const std::string& s, double& v);
std::string FloatToStr(double v); // 15 significant digits, shortest form
std::string FloatToStrF(double v, TFloatFormat format, int precision, int digits);
std::string FormatFloat(const std::string& format, double v);

int64_t Round(double v); // halves to even
int64_t Trunc(double v);
double Frac(double v);
double Int(double v);

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// --- code page ------------------------------------------------------------------
// The length (1..4) of the well-formed UTF-8 sequence at S[I], with its code
// point in CodePoint when asked; 0 when none starts there (a stray or cut-off
// byte, an overlong form, a surrogate, a code point beyond U+10FFFF).
size_t Utf8SequenceAt(const std::string& S, size_t I, char32_t* CodePoint = nullptr);
// The Windows-1252 byte of a code point; false when it has none.
bool UnicodeToCp1252(char32_t CodePoint, char& Byte);
std::string Cp1252ToUtf8(const std::string& s);
std::string Utf8ToCp1252(const std::string& s, char replacement = '?');
std::u16string Cp1252ToUtf16(const std::string& s);
std::string Utf16ToCp1252(const std::u16string& s, char replacement = '?');
// The same text in UTF-8 and UTF-16; a lone surrogate passes as itself, so
// that every text survives the round trip.
std::string Utf16ToUtf8(const std::u16string& s);
std::u16string Utf8ToUtf16(const std::string& s);
// A Windows locale number (language in the low 10 bits, country above).
using LCID = unsigned;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
// The user's locale, from the environment's LC_ALL, LC_COLLATE or LANG.
LCID GetUserDefaultLCID();
// 0 when A and B are equal ignoring case in every script, else negative or
// positive. In a Turkish or Azerbaijani locale dotted and dotless i differ.
int CompareWideText(const std::u16string& A, const std::u16string& B, LCID Locale);
int CompareWideText(const std::u16string& A, const std::u16string& B);
// The character's case key where it stays in one UTF-16 unit.
char16_t WideUpperChar(char16_t C);

// --- process-wide format settings -------------------------------------------------
struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '-';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "yyyy/mm/dd";
    std::string LongDateFormat = "dddd d mmmm yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string ShortDayNames[7] = {"zo", "ma", "di", "wo", "do", "vr", "za"};
    std::string LongDayNames[7] = {"zondag",    "maandag", "dinsdag", "woensdag",
                                   "donderdag", "vrijdag", "zaterdag"};
    std::string ShortMonthNames[12] = {"jan", "feb", "mrt", "apr", "mei", "jun",
                                       "jul", "aug", "sep", "okt", "nov", "dec"};
    std::string LongMonthNames[12] = {"januari",   "februari", "maart",    "april",
                                      "mei",       "juni",     "juli",     "augustus",
                                      "september", "oktober",  "november", "december"};
};

// The one settings object of the process; the main window sets its separators at start.
TFormatSettings& FormatSettings();
