#pragma once
// Number, score and key texts, tolerant number reading and TAB-separated fields.
// Numbers are written with the decimal separator '.'.

#include <string>

// A score with "½" for the half point: 3.5 gives "3½", 4.0 "4", 0.5 "½".
std::string PuntenToStr(double X);
// The rounded rating, empty when it is no valid rating.
std::string RatingToStr(double R);
bool IsValidGebJaar(int Y); // 1904..2098
std::string GebJaarToStr(int Y);
// W-We with 3 decimals, "+" in front when not negative.
std::string WWeToStr(double X);
std::string FloatToStrDec(double X, int Decimals);
// Decimal text of N left-padded with "0" to at least Width characters; the padding goes
// in front of a minus sign, which keys never hold.
std::string IntToZeroStr(int N, int Width);
std::string IntToKey4(int N);                // |N| padded to 4
int TrimStrToInt(const std::string& S);      // 0 when not an integer
double TrimStrToFloat(const std::string& S); // -1 when not a number or negative

int CountTabs(const std::string& S);
// Cuts the text before the first TAB (trimmed) and that TAB off Line; without a TAB
// the result is empty and Line stays as it is.
std::string CutTabField(std::string& Line);
int CutTabInt(std::string& Line);
