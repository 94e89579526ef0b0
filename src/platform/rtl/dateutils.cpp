#include "dateutils.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ctime>
#include <vector>

#include "sysutils.h"

namespace {

// Days from 0001-01-01 (day 0 here) to the platform's day 0, 1899-12-30.
constexpr int64_t kDateDelta = 693593;

int64_t DaysBeforeYear(int64_t y) {
    return y * 365 + y / 4 - y / 100 + y / 400;
}

struct LocalParts {
    int year, month, day, hour, min, sec, msec;
};

LocalParts LocalNow() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm t{};
    localtime_r(&ts.tv_sec, &t);
    return {t.tm_year + 1900,
            t.tm_mon + 1,
            t.tm_mday,
            t.tm_hour,
            t.tm_min,
            t.tm_sec,
            static_cast<int>(ts.tv_nsec / 1000000)};
}

} // namespace

bool IsLeapYear(int Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInAMonth(int Year, int Month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    return days[Month - 1] + (Month == 2 && IsLeapYear(Year) ? 1 : 0);
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
        Day > DaysInAMonth(Year, Month))
        return false;
    int64_t days = DaysBeforeYear(Year - 1);
    for (int m = 1; m < Month; ++m)
        days += DaysInAMonth(Year, m);
    days += Day - 1;
    Date = static_cast<double>(days - kDateDelta);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
    TDateTime d;
    if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
    return d;
}

void DecodeDate(TDateTime Date, uint16_t& Year, uint16_t& Month, uint16_t& Day) {
    int64_t days = static_cast<int64_t>(std::floor(Date)) + kDateDelta; // since 0001-01-01
    if (days < 0 || days > 3652058) {
        Year = Month = Day = 0;
        return;
    }
    int64_t y = days / 366;
    while (DaysBeforeYear(y + 1) <= days)
        ++y;
    days -= DaysBeforeYear(y);
    const int year = static_cast<int>(y) + 1;
    int m = 1;
    while (days >= DaysInAMonth(year, m))
        days -= DaysInAMonth(year, m++);
    Year = static_cast<uint16_t>(year);
    Month = static_cast<uint16_t>(m);
    Day = static_cast<uint16_t>(days + 1);
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
    if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 ||
        MSec > 999)
        return false;
    Time = (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / 86400000.0;
    return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
    TDateTime t;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, t))
        throw EConvertError("Invalid argument to time encode");
    return t;
}

void DecodeTime(TDateTime Time, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec) {
    double f = std::fabs(Time - std::trunc(Time));
    int64_t ms = static_cast<int64_t>(std::llround(f * 86400000.0));
    if (ms >= 86400000) ms = 86399999;
    Hour = static_cast<uint16_t>(ms / 3600000);
    Min = static_cast<uint16_t>(ms / 60000 % 60);
    Sec = static_cast<uint16_t>(ms / 1000 % 60);
    MSec = static_cast<uint16_t>(ms % 1000);
}

int DayOfWeek(TDateTime Date) {
    // Day 0 (1899-12-30) was a Saturday.
    const int64_t d = static_cast<int64_t>(std::floor(Date));
    return static_cast<int>(((d - 1) % 7 + 7) % 7) + 1;
}

TDateTime IncMonth(TDateTime Date, int Months) {
    uint16_t y, m, d;
    DecodeDate(Date, y, m, d);
    int total = y * 12 + (m - 1) + Months;
    int ny = total / 12, nm = total % 12 + 1;
    int nd = std::min<int>(d, DaysInAMonth(ny, nm));
    TDateTime r;
    if (!TryEncodeDate(ny, nm, nd, r)) return Date;
    return r + (Date - std::floor(Date));
}

TDateTime Date() {
    const LocalParts p = LocalNow();
    return EncodeDate(p.year, p.month, p.day);
}

TDateTime Time() {
    const LocalParts p = LocalNow();
    return EncodeTime(p.hour, p.min, p.sec, p.msec);
}

TDateTime Now() {
    const LocalParts p = LocalNow();
    return EncodeDate(p.year, p.month, p.day) + EncodeTime(p.hour, p.min, p.sec, p.msec);
}

std::string FormatDateTime(const std::string& Format, TDateTime DateTime) {
    const TFormatSettings& fs = FormatSettings();
    uint16_t y, mo, d, h, mi, s, ms;
    DecodeDate(DateTime, y, mo, d);
    DecodeTime(DateTime, h, mi, s, ms);
    std::string out;
    const size_t n = Format.size();
    size_t i = 0;
    auto run = [&](char c) {
        size_t k = i;
        while (k < n && (Format[k] == c || Format[k] == c - 32 || Format[k] == c + 32))
            ++k;
        return k - i;
    };
    while (i < n) {
        const char c = Format[i];
        const char lc = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        if (c == '"' || c == '\'') {
            size_t k = Format.find(c, i + 1);
            if (k == std::string::npos) k = n;
            out += Format.substr(i + 1, k - i - 1);
            i = k + 1;
            continue;
        }
        if (c == '/') {
            out += fs.DateSeparator;
            ++i;
            continue;
        }
        if (c == ':') {
            out += fs.TimeSeparator;
            ++i;
            continue;
        }
        size_t len = run(lc);
        switch (lc) {
        case 'y':
            out += len <= 2 ? ::Format("%02d", y % 100) : ::Format("%04d", y);
            break;
        case 'm':
            if (len >= 4)
                out += fs.LongMonthNames[mo - 1];
            else if (len == 3)
                out += fs.ShortMonthNames[mo - 1];
            else
                out += len == 2 ? ::Format("%02d", mo) : IntToStr(mo);
            break;
        case 'd':
            if (len >= 4)
                out += fs.LongDayNames[DayOfWeek(DateTime) - 1];
            else if (len == 3)
                out += fs.ShortDayNames[DayOfWeek(DateTime) - 1];
            else
                out += len == 2 ? ::Format("%02d", d) : IntToStr(d);
            break;
        case 'h':
            out += len >= 2 ? ::Format("%02d", h) : IntToStr(h);
            break;
        case 'n':
            out += len >= 2 ? ::Format("%02d", mi) : IntToStr(mi);
            break;
        case 's':
            out += len >= 2 ? ::Format("%02d", s) : IntToStr(s);
            break;
        case 'z':
            out += len >= 3 ? ::Format("%03d", ms) : IntToStr(ms);
            break;
        default:
            out += c;
            len = 1;
        }
        i += len;
    }
    return out;
}

std::string DateToStr(TDateTime Date) {
    return FormatDateTime(FormatSettings().ShortDateFormat, Date);
}
std::string TimeToStr(TDateTime Time) {
    return FormatDateTime(FormatSettings().LongTimeFormat, Time);
}

bool TryStrToDate(const std::string& S, TDateTime& Date) {
    const TFormatSettings& fs = FormatSettings();
    std::vector<int> nums;
    std::vector<size_t> lens;
    const std::string t = Trim(S);
    size_t i = 0;
    while (i < t.size()) {
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) return false;
        size_t k = i;
        int v = 0;
        while (k < t.size() && std::isdigit(static_cast<unsigned char>(t[k])) && k - i < 5)
            v = v * 10 + (t[k++] - '0');
        nums.push_back(v);
        lens.push_back(k - i);
        if (k < t.size()) {
            if (t[k] != fs.DateSeparator) return false;
            ++k;
            if (k == t.size()) return false;
        }
        i = k;
    }
    if (nums.size() != 3) return false;
    // The order of the parts follows the short date format.
    std::string order;
    for (const char c : fs.ShortDateFormat) {
        const char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if ((lc == 'd' || lc == 'm' || lc == 'y') && order.find(lc) == std::string::npos)
            order += lc;
    }
    if (order.size() != 3) order = "ymd";
    int y = 0, m = 0, d = 0;
    size_t ylen = 4;
    for (size_t k = 0; k < 3; ++k) {
        if (order[k] == 'y')
            y = nums[k], ylen = lens[k];
        else if (order[k] == 'm')
            m = nums[k];
        else
            d = nums[k];
    }
    if (ylen <= 2) {
        const int century = LocalNow().year / 100 * 100;
        y += century;
    }
    return TryEncodeDate(y, m, d, Date);
}

TDateTime StrToDate(const std::string& S) {
    TDateTime d;
    if (!TryStrToDate(S, d)) throw EConvertError("'" + S + "' is not a valid date");
    return d;
}

bool TryStrToTime(const std::string& S, TDateTime& Time) {
    const std::string t = Trim(S);
    int parts[3] = {0, 0, 0};
    int count = 0;
    size_t i = 0;
    while (i < t.size() && count < 3) {
        size_t k = i;
        int v = 0;
        while (k < t.size() && std::isdigit(static_cast<unsigned char>(t[k])) && k - i < 3)
            v = v * 10 + (t[k++] - '0');
        if (k == i) return false;
        parts[count++] = v;
        if (k < t.size()) {
            if (t[k] != FormatSettings().TimeSeparator) return false;
            ++k;
        }
        i = k;
    }
    if (i < t.size() || count < 2) return false;
    return TryEncodeTime(parts[0], parts[1], parts[2], 0, Time);
}
