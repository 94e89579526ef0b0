#pragma once
// The arithmetic of the spin editors, apart from their windows: limits,
// number text, stepping dates and times by the part under the caret, and the
// characters each kind of spin editor accepts.

#include <string>

#include "platform/rtl/dateutils.h"

enum TXsgSpinType { sptNormal, sptFloat, sptDate, sptTime };

// Value within Min .. Max; equal limits mean no limit.
int ClampSpinInt(int Value, int Min, int Max);
double ClampSpinFloat(double Value, double Min, double Max);

// With Precision, that many decimals (fixed format, 15 significant digits);
// without, the shortest general form.
std::string FormatSpinFloat(double Value, int Precision);

// Which part of a date text the caret (0-based) stands in, in the order of the
// short date format: 'd', 'm' or 'y'.
char DatePartAt(const std::string& Text, int Caret);
// One step (Delta = 1 or -1) of that part; a day that the new month lacks
// becomes the month's last day.
TDateTime StepDatePart(TDateTime Date, char Part, int Delta);

// 'h', 'n' or 's' for the caret before the first, the second time separator or after.
char TimePartAt(const std::string& Text, int Caret);
TDateTime StepTimePart(TDateTime Time, char Part, int Delta);

// Whether Key may be typed into a spin editor holding Text with the selection
// SelStart (0-based) .. + SelLength. For sptFloat a typed thousand separator is
// turned into the decimal separator first.
bool IsValidSpinChar(char& Key, TXsgSpinType SpinType, const std::string& Text, int SelStart,
                     int SelLength, int Precision);
