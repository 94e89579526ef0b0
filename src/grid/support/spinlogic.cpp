#include "grid/support/spinlogic.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/sysutils.h"

int ClampSpinInt(int Value, int Min, int Max) {
    if (Min == Max) return Value;
    return std::clamp(Value, std::min(Min, Max), std::max(Min, Max));
}

double ClampSpinFloat(double Value, double Min, double Max) {
    if (Min == Max) return Value;
    return std::clamp(Value, std::min(Min, Max), std::max(Min, Max));
}

std::string FormatSpinFloat(double Value, int Precision) {
    if (Precision > 0) return FloatToStrF(Value, ffFixed, 15, Precision);
    return FloatToStr(Value);
}

namespace {

// Index (0, 1 or 2) of the separated part that the caret stands in.
int PartIndex(const std::string& Text, int Caret, char Separator) {
    int part = 0;
    for (int i = 0; i < Caret && i < static_cast<int>(Text.size()); ++i)
        if (Text[static_cast<size_t>(i)] == Separator) ++part;
    return std::min(part, 2);
}

} // namespace

char DatePartAt(const std::string& Text, int Caret) {
    // The parts stand in the order of the short date format, so the caret in
    // the first part of "2024-03-15" is in the year, not in the day.
    std::string order;
    for (const char c : LowerCase(FormatSettings().ShortDateFormat))
        if ((c == 'd' || c == 'm' || c == 'y') && order.find(c) == std::string::npos) order += c;
    if (order.size() != 3) order = "dmy";
    return order[static_cast<size_t>(PartIndex(Text, Caret, FormatSettings().DateSeparator))];
}

TDateTime StepDatePart(TDateTime Date, char Part, int Delta) {
    if (Part == 'd') return Date + Delta;
    if (Part == 'm') return IncMonth(Date, Delta);
    uint16_t y = 0, m = 0, d = 0;
    DecodeDate(Date, y, m, d);
    const int year = y + Delta;
    if (year < 1 || year > 9999) return Date;
    TDateTime r = Date;
    // 29 February a year on is 28 February.
    TryEncodeDate(year, m, std::min<int>(d, DaysInAMonth(year, m)), r);
    return r + (Date - std::floor(Date));
}

char TimePartAt(const std::string& Text, int Caret) {
    return "hns"[PartIndex(Text, Caret, FormatSettings().TimeSeparator)];
}

TDateTime StepTimePart(TDateTime Time, char Part, int Delta) {
    const double unit = Part == 'h' ? 1.0 / 24 : Part == 'n' ? 1.0 / (24 * 60) : 1.0 / 86400;
    return Time + Delta * unit;
}

bool IsValidSpinChar(char& Key, TXsgSpinType SpinType, const std::string& Text, int SelStart,
                     int SelLength, int Precision) {
    const TFormatSettings& fs = FormatSettings();
    if (Key == '\r') return false;
    if (static_cast<unsigned char>(Key) < 0x20) return true;
    if ((Key >= '0' && Key <= '9') || Key == '+' || Key == '-') {
        if (SpinType != sptFloat || Precision < 1 || !(Key >= '0' && Key <= '9')) return true;
        // No further decimal once Precision of them stand behind the separator.
        const size_t sep = Text.find(fs.DecimalSeparator);
        if (sep == std::string::npos || SelStart <= static_cast<int>(sep) || SelLength > 0)
            return true;
        const int decimals = static_cast<int>(Text.size() - sep - 1);
        return decimals < Precision;
    }
    if (SpinType == sptFloat) {
        if (Key == fs.ThousandSeparator) Key = fs.DecimalSeparator;
        if (Key != fs.DecimalSeparator) return false;
        // A second separator is refused, unless the selection replaces the first.
        const size_t sep = Text.find(fs.DecimalSeparator);
        return sep == std::string::npos ||
               (static_cast<int>(sep) >= SelStart && static_cast<int>(sep) < SelStart + SelLength);
    }
    if (SpinType == sptDate) return Key == fs.DateSeparator;
    if (SpinType == sptTime) return Key == fs.TimeSeparator;
    return false;
}
