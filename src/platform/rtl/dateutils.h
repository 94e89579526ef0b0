#pragma once
// Dates as the platform's day-count doubles: day 0 is 1899-12-30, the fraction
// is the time of day.

#include <cstdint>
#include <string>

using TDateTime = double;

bool IsLeapYear(int Year);
int DaysInAMonth(int Year, int Month);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
TDateTime EncodeDate(int Year, int Month, int Day); // raises EConvertError
void DecodeDate(TDateTime Date, uint16_t& Year, uint16_t& Month, uint16_t& Day);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec); // raises EConvertError
void DecodeTime(TDateTime Time, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec);
int DayOfWeek(TDateTime Date); // 1 = Sunday .. 7 = Saturday
TDateTime IncMonth(TDateTime Date, int Months);

TDateTime Date(); // today, local time
TDateTime Time(); // now, time of day only
TDateTime Now();

// Format letters: yyyy yy m mm mmm mmmm d dd ddd dddd h hh n nn s ss zzz;
// '/' and ':' give the date and time separators; "..." and '...' are literal.
std::string FormatDateTime(const std::string& Format, TDateTime DateTime);
std::string DateToStr(TDateTime Date); // ShortDateFormat
std::string TimeToStr(TDateTime Time); // LongTimeFormat
// Reads day, month and year in the order of ShortDateFormat, separated by the
// date separator; a two-digit year is taken in the current century.
bool TryStrToDate(const std::string& S, TDateTime& Date);
TDateTime StrToDate(const std::string& S); // raises EConvertError
bool TryStrToTime(const std::string& S, TDateTime& Time);
