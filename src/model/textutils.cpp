#include "model/textutils.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/rating.h"
#include "platform/rtl/sysutils.h"

std::string PuntenToStr(double X) {
    std::string s = FloatToStrDec(X, 1);
    if (const int p = Pos(".0", s); p > 0) Delete(s, p, 2);
    if (s == "0.5") return "\xBD";
    if (const int p = Pos(".5", s); p > 0) {
        Delete(s, p, 2);
        s += "\xBD";
    }
    return s;
}

std::string RatingToStr(double R) {
    return IsValidRating(R) ? IntToStr(Round(R)) : "";
}

bool IsValidGebJaar(int Y) {
    return Y >= 1904 && Y <= 2098;
}

std::string GebJaarToStr(int Y) {
    return IsValidGebJaar(Y) ? IntToStr(Y) : "";
}

std::string WWeToStr(double X) {
    std::string s = FloatToStrDec(X, 3);
    if (X >= 0) s.insert(s.begin(), '+');
    return s;
}

std::string FloatToStrDec(double X, int Decimals) {
    // Fixed-point text as the platform writes it: the value is taken to 18 significant
    // digits and then rounded at the last decimal with a half going away from zero, so
    // 10.625 shows as 10.63 (a plain printf would give the even 10.62).
    const int d = std::clamp(Decimals, 0, 18);
    if (!std::isfinite(X) || std::fabs(X) >= 1e15) return FloatToStrF(X, ffFixed, 15, d);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17e", std::fabs(X));
    std::string digits(1, buf[0]);
    digits.append(buf + 2, 17);
    int exp = std::atoi(std::strchr(buf, 'e') + 1);
    // Significant digits that reach the last decimal.
    const int keep = exp + 1 + d;
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
    // Lay the digits out around the decimal point: digit k stands at 10^(exp - k).
    std::string intPart, fracPart;
    for (int pos = std::max(exp, 0); pos >= -d; --pos) {
        const int k = exp - pos;
        const char c =
            k >= 0 && k < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(k)] : '0';
        (pos >= 0 ? intPart : fracPart) += c;
    }
    const bool zero = intPart.find_first_not_of('0') == std::string::npos &&
                      fracPart.find_first_not_of('0') == std::string::npos;
    std::string s = (X < 0 && !zero) ? "-" + intPart : intPart;
    if (d > 0) s += FormatSettings().DecimalSeparator + fracPart;
    return s;
}

std::string IntToZeroStr(int N, int Width) {
    std::string s = IntToStr(N);
    if (static_cast<int>(s.size()) < Width) s.insert(0, static_cast<size_t>(Width) - s.size(), '0');
    return s;
}

std::string IntToKey4(int N) {
    return IntToZeroStr(std::abs(N), 4);
}

int TrimStrToInt(const std::string& S) {
    int v;
    return TryStrToInt(Trim(S), v) ? v : 0;
}

double TrimStrToFloat(const std::string& S) {
    double v;
    if (!TryStrToFloat(Trim(S), v) || v < 0) return -1;
    return v;
}

int CountTabs(const std::string& S) {
    return static_cast<int>(std::count(S.begin(), S.end(), '\t'));
}

std::string CutTabField(std::string& Line) {
    const size_t p = Line.find('\t');
    if (p == std::string::npos) return "";
    std::string field = Trim(Line.substr(0, p));
    Line.erase(0, p + 1);
    return field;
}

int CutTabInt(std::string& Line) {
    return TrimStrToInt(CutTabField(Line));
}
