#pragma once
// Small text and bit routines used by the numeric edit: binary digits of a
// 32-bit value and back, and removing a character from a text.

#include <cstdint>
#include <string>

// Binary digits of Value, most significant first. With Digits 0 (or below) as few
// digits as make up Value: 0 gives "0", 5 gives "101", a negative value 32 digits.
// With Digits above 0 the digits of bits 0 .. Digits are written (Digits + 1
// digits, higher bits dropped), never more than 32.
std::string IntToBin(int32_t Value, int Digits);

// Each '1' adds 2 to the power of its distance from the right end, in 32-bit
// arithmetic (characters beyond the 32nd from the right add nothing); any other
// character adds nothing; an empty text gives 0.
int32_t BinToInt(const std::string& S);
uint32_t BinToLongWord(const std::string& S);

// The index of the unit's hand cursor in the screen's cursor table (loaded
// there when the numeric controls start up).
constexpr int crHand = 5;

// S without every occurrence of C.
std::string StripChar(const std::string& S, char C);
