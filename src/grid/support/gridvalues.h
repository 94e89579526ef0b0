#pragma once
// Number and date texts as the grid sorts, fills and classifies them.

#include <string>

#include "platform/rtl/dateutils.h"

// Plain number text from a formatted one: "(1,234.50)" -> "-1234.50", "$ 12" -> "12".
std::string StripNumberFormatting(const std::string& Text);

enum TNumberKind { nkInteger = 0, nkNumber = 1, nkOther = 2 };
// 0: only digits and '-'; 1: digits with decimal and thousand separators (thousand
// separators at least three digits apart); 2: anything else.
int GetNumberKind(const std::string& Text);

// Date sort keys of cell texts: "m/d/y" and "d/m/y" ('/', '.' or '-' between the
// parts). A year below 100 is taken in 1926..2025. A text that makes no date
// gives NoDateKey, which sorts before every real date.
inline constexpr TDateTime NoDateKey = 0;
TDateTime ParseDateUS(const std::string& Text);
TDateTime ParseDateEU(const std::string& Text);

// Next date of a fill series: when exactly one of Years, Months, Days is non-zero
// the date moves by that many units (the day kept, clamped to the month's length);
// otherwise by Delta days.
TDateTime StepDate(TDateTime Date, int Years, int Months, int Days, double Delta);

// Cell content kinds for a text, with HTML tags recognised only when AllowHTML.
enum TCellContentKind { cckPlain = 0, cckHTML = 1, cckRichText = 2, cckFormula = 3, cckWide = 5 };
int CellContentKind(const std::string& Text, bool AllowHTML);
