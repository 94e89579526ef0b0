#pragma once
// Player names: composing the display name from its parts, splitting it again, and
// the letter keys by which players are sorted by name.

#include <string>

#include "model/records.h"

// Upper-cased letters A..Z of S, padded with "A" or cut to exactly N letters.
std::string MakeNaamKey(const std::string& S, int N);

// Surname first: "Jansen,van der J.(Jan)"; first name first: "Jan van der Jansen".
std::string MakeNaam(const TSpRec& Rec, TNaamMode Mode);

// The name as the group file writes it: surname first with the first name in
// brackets ("Jansen,van der J.(Jan Willem)"), whatever the display mode, so
// that SplitNaam gives back the parts as they were typed; a name without
// surname starts with the comma.
std::string MakeFileNaam(const TSpRec& Rec);

// Reads a display name of either form into the four name parts of Rec.
void SplitNaam(const std::string& Text, TSpRec& Rec);
