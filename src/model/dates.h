#pragma once
// Dates of the tournament: only years 1904..2098 count as valid.

#include <string>

#include "platform/rtl/dateutils.h"

// The date, or 0 when the day, month or year is out of range.
TDateTime EncodeValidDate(int D, int M, int Y);
// 0 for dates before 2000-01-01 and dates outside the valid years.
TDateTime CheckDatum(TDateTime Datum);

inline constexpr int doJMD = 0; // year-month-day
inline constexpr int doDMJ = 1; // day-month-year
inline constexpr int doMDJ = 2; // month-day-year
// Reads a date whose parts are separated by '-', '.' or '/' in the given order.
TDateTime StrToDatum(int Order, const std::string& S);
