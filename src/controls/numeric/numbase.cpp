#include "controls/numeric/numbase.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "controls/numeric/vcproc.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr long double IntBound = 2147483647.0L;
constexpr long double FloatBound = 1.7E308L;
// No lower clamp acts on a double; only a number below every double (typed
// beyond the range, read as minus infinity) becomes the lowest one.
constexpr long double FloatLowerBound = std::numeric_limits<double>::lowest();
constexpr float SingleBound = 3.4E38F;

const std::string BasePrefixes = "$%&!";
const std::string SISuffixes = "EPTGMkmunpfa";
// Exact doubles: each literal is the double nearest to its power of ten.
constexpr double SIFactors[] = {1E18, 1E15, 1E12, 1E9,   1E6,   1E3,
                                1E-3, 1E-6, 1E-9, 1E-12, 1E-15, 1E-18};

bool Has(const std::string& set, char c) {
    return set.find(c) != std::string::npos;
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// "1", "-1.5", "2.", ".5", "1e-3": the decimal notation with '.' as separator.
bool IsPlainFloat(const std::string& t) {
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    bool digits = false;
    while (i < t.size() && IsDigit(t[i]))
        ++i, digits = true;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i]))
            ++i, digits = true;
    }
    if (!digits) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        const size_t first = i;
        while (i < t.size() && IsDigit(t[i]))
            ++i;
        if (i == first) return false;
    }
    return i == t.size();
}

bool IsPlainInteger(const std::string& t) {
    size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    if (i == t.size()) return false;
    for (; i < t.size(); ++i)
        if (!IsDigit(t[i])) return false;
    return true;
}

// Hexadecimal digits as a 32-bit pattern, read as signed (so "FFFFFFFF" is -1,
// the text that -1 shows); more than 32 bits are limited to the largest integer.
double HexValue(const std::string& digits) {
    double v = 0;
    for (const char c : digits) {
        const int d = IsDigit(c) ? c - '0' : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        v = v * 16 + d;
    }
    if (v <= 4294967295.0) return static_cast<int32_t>(static_cast<uint32_t>(v));
    return INT32_MAX;
}

// Converts a body that passed the character checks; false when it does not
// read as a number of its base.
bool ConvertBody(const std::string& body, TEditBase base, double& v) {
    if (body.empty()) {
        v = 0;
        return true;
    }
    switch (base) {
    case ebBin:
        v = BinToInt(body);
        return true;
    case ebHex:
        v = HexValue(body);
        return true;
    case ebInt:
        if (!IsPlainInteger(body)) return false;
        // A 32-bit integer: beyond, it is limited (in any control, also after "%").
        v = std::clamp(std::strtod(body.c_str(), nullptr), double{INT32_MIN}, double{INT32_MAX});
        return true;
    case ebFloat: {
        std::string t = body;
        const char sep = FormatSettings().DecimalSeparator;
        for (char& c : t)
            if (c == sep) c = '.';
        if (!IsPlainFloat(t)) return false;
        v = std::strtod(t.c_str(), nullptr); // beyond the range: infinite, clamped later
        return true;
    }
    }
    return false;
}

} // namespace

char ThousandSeparatorInUse() {
    const TFormatSettings& fs = FormatSettings();
    return fs.ThousandSeparator == fs.DecimalSeparator ? '\0' : fs.ThousandSeparator;
}

TEditBaseRow EditBaseRow(TEditBase Base) {
    const char tsep = ThousandSeparatorInUse();
    const std::string thousands = tsep ? std::string(1, tsep) : std::string();
    switch (Base) {
    case ebBin:
        return {"01", false, false, "", -IntBound, IntBound};
    case ebHex:
        return {"0123456789abcdefABCDEF", false, false, "", -IntBound, IntBound};
    case ebFloat:
        return {std::string(1, FormatSettings().DecimalSeparator) + thousands + "0123456789",
                true,
                true,
                "+-",
                FloatLowerBound,
                FloatBound};
    case ebInt:
        break;
    }
    return {"0123456789" + thousands, false, true, "+-", -IntBound, IntBound};
}

double SIFactor(char C) {
    const size_t i = SISuffixes.find(C);
    return (C == '\0' || i == std::string::npos) ? 0 : SIFactors[i];
}

TNumParse ParseNumberText(const std::string& Text, TEditBase DefaultBase) {
    TNumParse r;
    r.Base = DefaultBase;
    if (Text.empty()) {
        r.Empty = r.Valid = true;
        return r;
    }
    int start = 1;
    int len = static_cast<int>(Text.size());
    if (Has(BasePrefixes, Text[0])) {
        start = 2;
        const char p = Text[0];
        r.Base = p == '!' ? ebFloat : p == '$' ? ebHex : p == '%' ? ebInt : ebBin;
    }
    const TEditBaseRow row = EditBaseRow(r.Base);
    const auto at = [&Text](int pos) { return Text[static_cast<size_t>(pos - 1)]; };

    double factor = 1;
    if (row.SIPrefix && len >= start) {
        const double f = SIFactor(at(len));
        // The integer base takes only the multiplying prefixes; "2m" stays and is flagged.
        if (f != 0 && (r.Base == ebFloat || f > 1)) {
            factor = f;
            --len;
        }
    }
    std::string body = len >= start ? Text.substr(static_cast<size_t>(start - 1),
                                                  static_cast<size_t>(len - start + 1))
                                    : std::string();

    // The checks below do not visit the text in order (a second decimal
    // separator is found after a wrong character behind it), so the range
    // grows to take in every offending position.
    const auto bad = [&r](int pos) {
        r.FirstBad = r.FirstBad == 0 ? pos : std::min(r.FirstBad, pos);
        r.LastBad = std::max(r.LastBad, pos);
    };
    if (!body.empty()) {
        int i = Has(row.Signs, at(start)) ? start + 1 : start;
        int exponentAt = 0;
        for (; i <= len; ++i) {
            const char c = at(i);
            if (row.Exponent && (c == 'E' || c == 'e')) {
                exponentAt = i;
                break;
            }
            if (!Has(row.Valid, c)) bad(i);
        }
        if (exponentAt) {
            int j = exponentAt + 1;
            if (j <= len && Has(row.Signs, at(j))) ++j;
            for (; j <= len; ++j)
                if (!Has(row.Valid, at(j))) bad(j);
        }
        const char dsep = FormatSettings().DecimalSeparator;
        bool seen = false;
        for (int k = start; k <= len; ++k) {
            if (at(k) != dsep) continue;
            if (seen) bad(k);
            seen = true;
        }
    }
    if (r.FirstBad) return r;

    if (body.size() == 1 && Has(row.Signs, body[0])) body += '0';
    if (row.Exponent) {
        const size_t lead = (!body.empty() && Has(row.Signs, body[0])) ? 1 : 0;
        if (body.size() > lead && (body[lead] == 'E' || body[lead] == 'e')) body.insert(lead, "1");
    }
    if (row.SIPrefix && factor != 1 && body.empty()) body = "1";
    // Thousand separators go last: a suffix after separators alone (",k") is 0.
    if (const char tsep = ThousandSeparatorInUse()) body = StripChar(body, tsep);

    double v = 0;
    if (!ConvertBody(body, r.Base, v)) {
        // The characters pass but make no number ("1e", "1e5.3"): the whole
        // number is marked, as a wrong character would be.
        r.FirstBad = start;
        r.LastBad = std::max(len, start);
        return r;
    }
    r.Value = factor != 1 ? v * factor : v;
    r.Valid = true;
    return r;
}

TNumViews MakeNumViews(long double V, TEditBase Base, int DigitsHex, int DigitsBool) {
    const TEditBaseRow row = EditBaseRow(Base);
    if (std::isnan(V)) V = 0;
    if (V < row.Lower) V = row.Lower;
    if (V > row.Upper) V = row.Upper;
    TNumViews w;
    w.Value = static_cast<double>(V);
    if (V >= SingleBound)
        w.AsSingle = SingleBound;
    else if (V <= -SingleBound)
        w.AsSingle = -SingleBound;
    else
        w.AsSingle = static_cast<float>(V);
    if (V > -IntBound && V < IntBound)
        w.AsInt = static_cast<int32_t>(Round(static_cast<double>(V)));
    else
        w.AsInt = V >= IntBound ? 2147483647 : -2147483647;
    w.AsHex = IntToHex(static_cast<uint32_t>(w.AsInt), DigitsHex);
    w.AsBool = IntToBin(w.AsInt, DigitsBool);
    return w;
}

std::string NumViewText(const TNumViews& Views, TEditBase Base, const std::string& FormatStr) {
    switch (Base) {
    case ebBin:
        return Views.AsBool;
    case ebHex:
        return Views.AsHex;
    case ebFloat:
        return FormatFloat(FormatStr, Views.Value);
    case ebInt:
        break;
    }
    return IntToStr(Views.AsInt);
}
