#include "sysutils.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

void Abort() {
    throw EAbort();
}

namespace {

bool IsSpaceOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Windows-1252 bytes 0x80..0x9F as Unicode; 0 marks the five unassigned bytes.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ByteToUnicode(unsigned char b) {
    if (b >= 0x80 && b < 0xA0) return kHigh[b - 0x80] ? kHigh[b - 0x80] : b;
    return b;
}

bool UnicodeToByte(char32_t cp, char& out) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out = static_cast<char>(cp);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        const char16_t mapped = kHigh[i] ? kHigh[i] : static_cast<char16_t>(0x80 + i);
        if (mapped == cp) {
            out = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; malformed bytes decode as themselves so
// that text that was never UTF-8 survives a round trip.
char32_t NextUtf8(const std::string& s, size_t& i) {
    char32_t cp = 0;
    if (const size_t n = Utf8SequenceAt(s, i, &cp)) {
        i += n;
        return cp;
    }
    return ByteToUnicode(static_cast<unsigned char>(s[i++]));
}

// The code point at s[i] (a surrogate pair read whole, a lone surrogate as
// itself); i moves past it.
char32_t NextUtf16(const std::u16string& s, size_t& i) {
    char32_t cp = s[i++];
    if (cp >= 0xD800 && cp < 0xDC00 && i < s.size() && s[i] >= 0xDC00 && s[i] < 0xE000)
        cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i++] - 0xDC00);
    return cp;
}

std::string ToDotDecimal(const std::string& s) {
    std::string t = Trim(s);
    const char sep = FormatSettings().DecimalSeparator;
    if (sep != '.') {
        // A text with the platform's separator must not accept a '.' in its place.
        if (t.find('.') != std::string::npos) return std::string();
        std::replace(t.begin(), t.end(), sep, '.');
    }
    return t;
}

std::string UseDecimalSeparator(std::string s) {
    const char sep = FormatSettings().DecimalSeparator;
    if (sep != '.') std::replace(s.begin(), s.end(), '.', sep);
    return s;
}

} // namespace

std::string TrimLeft(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && IsSpaceOrControl(s[i]))
        ++i;
    return s.substr(i);
}

std::string TrimRight(const std::string& s) {
    size_t n = s.size();
    while (n > 0 && IsSpaceOrControl(s[n - 1]))
        --n;
    return s.substr(0, n);
}

std::string Trim(const std::string& s) {
    return TrimLeft(TrimRight(s));
}

std::string UpperCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

std::string LowerCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return r;
}

char AnsiUpperChar(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
    if (c >= 0xE0 && c != 0xF7 && c != 0xFF) return static_cast<char>(c - 32);
    switch (c) {
    case 0x9A:
        return static_cast<char>(0x8A);
    case 0x9C:
        return static_cast<char>(0x8C);
    case 0x9E:
        return static_cast<char>(0x8E);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        return ch;
    }
}

char AnsiLowerChar(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char>(c + 32);
    switch (c) {
    case 0x8A:
        return static_cast<char>(0x9A);
    case 0x8C:
        return static_cast<char>(0x9C);
    case 0x8E:
        return static_cast<char>(0x9E);
    case 0x9F:
        return static_cast<char>(0xFF);
    default:
        return ch;
    }
}

std::string AnsiUpperCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        c = AnsiUpperChar(c);
    return r;
}

std::string AnsiLowerCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        c = AnsiLowerChar(c);
    return r;
}

int CompareStr(const std::string& a, const std::string& b) {
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareText(const std::string& a, const std::string& b) {
    return CompareStr(UpperCase(a), UpperCase(b));
}

bool SameText(const std::string& a, const std::string& b) {
    return CompareText(a, b) == 0;
}

int AnsiCompareText(const std::string& a, const std::string& b) {
    return CompareStr(AnsiUpperCase(a), AnsiUpperCase(b));
}

int Pos(const std::string& sub, const std::string& s) {
    return PosEx(sub, s, 1);
}

int PosEx(const std::string& sub, const std::string& s, int offset) {
    if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size()) return 0;
    const size_t p = s.find(sub, static_cast<size_t>(offset - 1));
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

int LastDelimiter(const std::string& delimiters, const std::string& s) {
    const size_t p = s.find_last_of(delimiters);
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

std::string Copy(const std::string& s, int index, int count) {
    if (index < 1) index = 1;
    if (count <= 0 || static_cast<size_t>(index) > s.size()) return std::string();
    return s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

void Delete(std::string& s, int index, int count) {
    if (index < 1 || count <= 0 || static_cast<size_t>(index) > s.size()) return;
    s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

void Insert(const std::string& sub, std::string& s, int index) {
    if (index < 1) index = 1;
    const size_t at = std::min(static_cast<size_t>(index - 1), s.size());
    s.insert(at, sub);
}

std::string StringOfChar(char c, int count) {
    return count > 0 ? std::string(static_cast<size_t>(count), c) : std::string();
}

std::string StringReplace(const std::string& s, const std::string& oldPattern,
                          const std::string& newPattern, TReplaceFlags flags) {
    if (oldPattern.empty()) return s;
    const bool ignoreCase = flags.Contains(rfIgnoreCase);
    const std::string hay = ignoreCase ? AnsiUpperCase(s) : s;
    const std::string needle = ignoreCase ? AnsiUpperCase(oldPattern) : oldPattern;
    std::string out;
    size_t from = 0;
    while (true) {
        const size_t p = hay.find(needle, from);
        if (p == std::string::npos) break;
        out.append(s, from, p - from);
        out += newPattern;
        from = p + needle.size();
        if (!flags.Contains(rfReplaceAll)) break;
    }
    out.append(s, from, std::string::npos);
    return out;
}

bool StartsText(const std::string& prefix, const std::string& s) {
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

bool EndsText(const std::string& suffix, const std::string& s) {
    return s.size() >= suffix.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

std::string IntToStr(int64_t v) {
    return std::to_string(v);
}

std::string IntToHex(uint64_t v, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", std::clamp(digits, 0, 16),
                  static_cast<unsigned long long>(v));
    return buf;
}

bool TryStrToInt64(const std::string& s, int64_t& v) {
    const std::string t = Trim(s);
    if (t.empty()) return false;
    size_t i = 0;
    bool neg = false;
    if (t[i] == '+' || t[i] == '-') neg = t[i++] == '-';
    int base = 10;
    if (i < t.size() && t[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size()) return false;
    uint64_t acc = 0;
    const uint64_t limit = neg ? 9223372036854775808ULL : 9223372036854775807ULL;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (acc > (limit - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base)) return false;
        acc = acc * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    }
    v = neg ? static_cast<int64_t>(0 - acc) : static_cast<int64_t>(acc);
    return true;
}

bool TryStrToInt(const std::string& s, int& v) {
    int64_t w;
    if (!TryStrToInt64(s, w) || w < INT32_MIN || w > INT32_MAX) return false;
    v = static_cast<int>(w);
    return true;
}

int StrToInt(const std::string& s) {
    int v;
    if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
    return v;
}

int StrToIntDef(const std::string& s, int def) {
    int v;
    return TryStrToInt(s, v) ? v : def;
}

int64_t StrToInt64(const std::string& s) {
    int64_t v;
    if (!TryStrToInt64(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
    return v;
}

int64_t StrToInt64Def(const std::string& s, int64_t def) {
    int64_t v;
    return TryStrToInt64(s, v) ? v : def;
}

bool TryStrToFloat(const std::string& s, double& v) {
    const std::string t = ToDotDecimal(s);
    if (t.empty()) return false;
    // Only plain decimal notation with an optional exponent: no hex, inf or nan.
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    bool digits = false;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
        ++i, digits = true;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
            ++i, digits = true;
    }
    if (!digits) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        const size_t start = i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
            ++i;
        if (i == start) return false;
    }
    if (i != t.size()) return false;
    errno = 0;
    const double d = std::strtod(t.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(d)) return false;
    v = d;
    return true;
}

double StrToFloat(const std::string& s) {
    double v;
    if (!TryStrToFloat(s, v))
        throw EConvertError("'" + s + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(const std::string& s, double def) {
    double v;
    return TryStrToFloat(s, v) ? v : def;
}

std::string FloatToStr(double v) {
    return FloatToStrF(v, ffGeneral, 15, 0);
}

namespace {

// Fixed-point text with '.' as separator, rounded as the platform rounds: the
// value is taken to 18 significant digits and a half at the last decimal goes
// away from zero, so 10.625 gives "10.63" where printf would give the even
// "10.62", while 2.675 (stored just below the half) still gives "2.67".
std::string FixedDecimal(double v, int decimals) {
    const int d = std::clamp(decimals, 0, 18);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17e", std::fabs(v));
    std::string digits(1, buf[0]);
    digits.append(buf + 2, 17);
    int exp = std::atoi(std::strchr(buf, 'e') + 1);
    const int keep = exp + 1 + d; // significant digits that reach the last decimal
    if (keep < 0) {
        digits.clear();
    } else if (keep < static_cast<int>(digits.size())) {
        const bool up = digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
                digits[static_cast<size_t>(i--)] = '0';
            if (i >= 0) {
                ++digits[static_cast<size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++exp;
            }
        }
    }
    // Digit k stands at 10^(exp - k).
    std::string intPart, fracPart;
    for (int pos = std::max(exp, 0); pos >= -d; --pos) {
        const int k = exp - pos;
        const char c =
            k >= 0 && k < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(k)] : '0';
        (pos >= 0 ? intPart : fracPart) += c;
    }
    const bool zero = intPart.find_first_not_of('0') == std::string::npos &&
                      fracPart.find_first_not_of('0') == std::string::npos;
    std::string out = (v < 0 && !zero) ? "-" + intPart : intPart;
    if (d > 0) out += "." + fracPart;
    return out;
}

std::string GroupThousands(const std::string& fixed) {
    const char tsep = FormatSettings().ThousandSeparator;
    if (tsep == '\0') return fixed;
    size_t start = (fixed[0] == '-') ? 1 : 0;
    size_t dot = fixed.find(FormatSettings().DecimalSeparator);
    if (dot == std::string::npos) dot = fixed.size();
    std::string intPart = fixed.substr(start, dot - start);
    std::string grouped;
    const int n = static_cast<int>(intPart.size());
    for (int i = 0; i < n; ++i) {
        grouped += intPart[static_cast<size_t>(i)];
        const int left = n - 1 - i;
        if (left > 0 && left % 3 == 0) grouped += tsep;
    }
    return fixed.substr(0, start) + grouped + fixed.substr(dot);
}

} // namespace

std::string FloatToStrF(double v, TFloatFormat format, int precision, int digits) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    precision = std::clamp(precision, 1, 18);
    digits = std::clamp(digits, 0, 18);
    char buf[512];
    switch (format) {
    case ffGeneral: {
        std::snprintf(buf, sizeof buf, "%.*G", precision, v);
        std::string s = buf;
        // Plain notation unless the exponent is out of the precision's reach.
        const size_t e = s.find('E');
        if (e != std::string::npos) {
            const int exp = std::atoi(s.c_str() + e + 1);
            if (exp >= -5 && exp < precision) {
                std::snprintf(buf, sizeof buf, "%.*f", std::max(0, precision - 1 - exp), v);
                s = buf;
                if (s.find('.') != std::string::npos) {
                    while (s.back() == '0')
                        s.pop_back();
                    if (s.back() == '.') s.pop_back();
                }
            } else {
                std::string mant = s.substr(0, e);
                std::string ex = s.substr(e + 1);
                const bool neg = !ex.empty() && ex[0] == '-';
                if (!ex.empty() && (ex[0] == '+' || ex[0] == '-')) ex.erase(0, 1);
                while (ex.size() > 1 && ex[0] == '0')
                    ex.erase(0, 1);
                s = mant + "E" + (neg ? "-" : "+") + ex;
            }
        }
        if (s == "-0") s = "0";
        return UseDecimalSeparator(s);
    }
    case ffExponent: {
        std::snprintf(buf, sizeof buf, "%.*E", precision - 1, v);
        std::string s = buf;
        const size_t e = s.find('E');
        std::string ex = s.substr(e + 2);
        while (static_cast<int>(ex.size()) < digits)
            ex = "0" + ex;
        while (static_cast<int>(ex.size()) > std::max(digits, 1) && ex[0] == '0')
            ex.erase(0, 1);
        return UseDecimalSeparator(s.substr(0, e + 2) + ex);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        if (std::fabs(v) >= 1e18) return FloatToStrF(v, ffGeneral, precision, digits);
        // The decimal separator goes in before the grouping, so that a thousand
        // separator '.' is not taken for the decimal point.
        std::string s = UseDecimalSeparator(FixedDecimal(v, digits));
        if (format != ffFixed) s = GroupThousands(s);
        return s;
    }
    }
    return std::string();
}

std::string FormatFloat(const std::string& format, double v) {
    // The patterns in use: "0", "0.0", "0.00", "#,##0.00", "#0.0", with an
    // optional literal prefix or suffix kept as it stands.
    size_t first = format.find_first_of("0#");
    if (first == std::string::npos) return format;
    size_t last = format.find_last_of("0#");
    const std::string prefix = format.substr(0, first);
    const std::string suffix = format.substr(last + 1);
    const std::string pat = format.substr(first, last - first + 1);
    const size_t dot = pat.find('.');
    int decimals = 0;
    int optional = 0;
    if (dot != std::string::npos) {
        for (size_t i = dot + 1; i < pat.size(); ++i) {
            if (pat[i] == '0')
                ++decimals;
            else if (pat[i] == '#')
                ++optional;
        }
    }
    const bool thousands = pat.find(',') != std::string::npos;
    std::string s = FixedDecimal(v, decimals + optional);
    if (optional > 0) {
        int strip = optional;
        while (strip-- > 0 && s.back() == '0')
            s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    const std::string intPat = dot == std::string::npos ? pat : pat.substr(0, dot);
    if (intPat.find('0') == std::string::npos) {
        if (s.rfind("0.", 0) == 0)
            s.erase(0, 1);
        else if (s.rfind("-0.", 0) == 0)
            s.erase(1, 1);
        else if (s == "0")
            s.clear();
    }
    s = UseDecimalSeparator(s);
    if (thousands) s = GroupThousands(s);
    return prefix + s + suffix;
}

int64_t Round(double v) {
    return static_cast<int64_t>(std::nearbyint(v));
}
int64_t Trunc(double v) {
    return static_cast<int64_t>(std::trunc(v));
}
double Frac(double v) {
    return v - std::trunc(v);
}
double Int(double v) {
    return std::trunc(v);
}

std::string Format(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    const int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, ap2);
        out.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(ap2);
    return out;
}

bool UnicodeToCp1252(char32_t CodePoint, char& Byte) {
    return UnicodeToByte(CodePoint, Byte);
}

size_t Utf8SequenceAt(const std::string& S, size_t I, char32_t* CodePoint) {
    auto at = [&](size_t k) { return static_cast<unsigned char>(S[k]); };
    const unsigned c = at(I);
    const size_t n = c < 0x80                 ? 1
                     : c >= 0xC2 && c <= 0xDF ? 2
                     : c >= 0xE0 && c <= 0xEF ? 3
                     : c >= 0xF0 && c <= 0xF4 ? 4
                                              : 0;
    if (n == 0 || I + n > S.size()) return 0;
    for (size_t k = 1; k < n; ++k)
        if ((at(I + k) & 0xC0) != 0x80) return 0;
    if (n > 1) {
        // Overlong forms, surrogates and code points beyond U+10FFFF.
        const unsigned c1 = at(I + 1);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0) || (c == 0xF0 && c1 < 0x90) ||
            (c == 0xF4 && c1 >= 0x90))
            return 0;
    }
    if (CodePoint) {
        char32_t cp = n == 1 ? c : c & (0xFFu >> (n + 1));
        for (size_t k = 1; k < n; ++k)
            cp = (cp << 6) | (at(I + k) & 0x3F);
        *CodePoint = cp;
    }
    return n;
}

std::string Cp1252ToUtf8(const std::string& s) {
    std::string out;
    out.reserve(s.size() + s.size() / 4);
    for (const char c : s)
        AppendUtf8(out, ByteToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(const std::string& s, char replacement) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const char32_t cp = NextUtf8(s, i);
        char b;
        out += UnicodeToByte(cp, b) ? b : replacement;
    }
    return out;
}

std::u16string Cp1252ToUtf16(const std::string& s) {
    std::u16string out;
    out.reserve(s.size());
    for (const char c : s)
        out += ByteToUnicode(static_cast<unsigned char>(c));
    return out;
}

std::string Utf16ToCp1252(const std::u16string& s, char replacement) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        char b;
        out += UnicodeToByte(NextUtf16(s, i), b) ? b : replacement;
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& s) {
    std::string out;
    out.reserve(s.size() + s.size() / 2);
    for (size_t i = 0; i < s.size();)
        AppendUtf8(out, NextUtf16(s, i));
    return out;
}

std::u16string Utf8ToUtf16(const std::string& s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const char32_t cp = NextUtf8(s, i);
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return out;
}

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}
