#pragma once
// Player names: composing the display name from its parts, splitting it again, and
// the letter keys by which players are sorted by name.

#include <string>

#include "model/records.h"

// Upper-cased letters A..Z of S, padded with "A" or cut to exactly N letters.
std::string MakeNaamKey(const std::string& S, int N);

// Surname first: "Jansen,van der J.(Jan)"; first name first: "Jan van der Jansen".
std::string MakeNaam(const TSpRec& Rec, TNaamMode Mode);

// Reads a display name of either form into the four name parts of Rec.
void SplitNaam(const std::string& Text, TSpRec& Rec);
