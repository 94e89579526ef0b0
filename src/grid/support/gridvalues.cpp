#include "grid/support/gridvalues.h"

#include <cctype>
#include <cmath>

#include "platform/rtl/sysutils.h"

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

std::string StripNumberFormatting(const std::string& Text) {
    const TFormatSettings& fs = FormatSettings();
    const std::string t = Trim(Text);
    const bool negative =
        (!t.empty() && t.front() == '-') || (t.size() >= 2 && t.front() == '(' && t.back() == ')');
    size_t i = 0;
    while (i < t.size() && !IsDigit(t[i]) && t[i] != fs.DecimalSeparator &&
           t[i] != fs.ThousandSeparator)
        ++i;
    std::string out;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (IsDigit(c))
            out += c;
        else if (c == fs.DecimalSeparator)
            out += '.';
        else if (c == fs.ThousandSeparator)
            continue;
        else
            break;
    }
    if (negative && !out.empty()) out.insert(0, 1, '-');
    return out;
}

int GetNumberKind(const std::string& Text) {
    const TFormatSettings& fs = FormatSettings();
    if (Text.empty()) return nkOther;
    int minus = 0, decimals = 0;
    bool separators = false;
    int lastThousand = -1;
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (IsDigit(c)) continue;
        if (c == '-') {
            ++minus;
        } else if (c == fs.DecimalSeparator) {
            ++decimals;
            separators = true;
        } else if (c == fs.ThousandSeparator) {
            const int at = static_cast<int>(i);
            if (lastThousand >= 0 && at - lastThousand <= 3) return nkOther;
            lastThousand = at;
            separators = true;
        } else {
            return nkOther;
        }
    }
    if (minus > 1 || decimals > 1) return nkOther;
    return separators ? nkNumber : nkInteger;
}

namespace {

TDateTime ParseDateParts(const std::string& Text, bool MonthFirst) {
    char sep = '-';
    if (Text.find('/') != std::string::npos)
        sep = '/';
    else if (Text.find('.') != std::string::npos)
        sep = '.';
    // Three parts are needed; a part that is no number reads as 0 (and so as no date).
    const size_t first = Text.find(sep);
    const size_t second = first == std::string::npos ? first : Text.find(sep, first + 1);
    if (second == std::string::npos) return NoDateKey;
    const int parts[3] = {StrToIntDef(Trim(Text.substr(0, first)), 0),
                          StrToIntDef(Trim(Text.substr(first + 1, second - first - 1)), 0),
                          StrToIntDef(Trim(Text.substr(second + 1)), 0)};
    const int month = MonthFirst ? parts[0] : parts[1];
    const int day = MonthFirst ? parts[1] : parts[0];
    int year = parts[2];
    if (year >= 0 && year < 100) year += year > 25 ? 1900 : 2000;
    TDateTime d = NoDateKey;
    return TryEncodeDate(year, month, day, d) ? d : NoDateKey;
}

} // namespace

TDateTime ParseDateUS(const std::string& Text) {
    return ParseDateParts(Text, true);
}
TDateTime ParseDateEU(const std::string& Text) {
    return ParseDateParts(Text, false);
}

TDateTime StepDate(TDateTime Date, int Years, int Months, int Days, double Delta) {
    const int nonZero = (Years != 0) + (Months != 0) + (Days != 0);
    if (nonZero != 1) return Date + Delta;
    if (Days != 0) return Date + Days;
    uint16_t y = 0, m = 0, d = 0;
    DecodeDate(Date, y, m, d);
    const double time = Date - std::floor(Date);
    long year = y, month = m;
    if (Years != 0) {
        year += Years;
    } else {
        const long total = year * 12 + (month - 1) + Months;
        year = total / 12;
        month = total % 12 + 1;
    }
    if (year < 1 || year > 9999) return Date;
    // 31 January plus a month is the last day of February, not an error.
    const int day = std::min<int>(d, DaysInAMonth(static_cast<int>(year), static_cast<int>(month)));
    TDateTime r = Date;
    if (!TryEncodeDate(static_cast<int>(year), static_cast<int>(month), day, r)) return Date;
    return r + time;
}

int CellContentKind(const std::string& Text, bool AllowHTML) {
    const std::string t = Text + " ";
    if (t.size() <= 1) return cckPlain;
    if (t[0] == '=') return cckFormula;
    if (t[0] == '|' && t[1] == '\\') return cckWide;
    if (t[0] == '{' && t[1] == '\\') return cckRichText;
    if (AllowHTML && (t.find("</") != std::string::npos || t.find("<B") != std::string::npos ||
                      t.find("<I") != std::string::npos))
        return cckHTML;
    return cckPlain;
}
