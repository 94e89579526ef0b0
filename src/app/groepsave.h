#pragma once
// Saving the group through a save dialog, as the main and results windows do.

#include <string>

class TGroep;
class TSaveDialog;

// Offers the group's file name (its name made into one when it has none) in
// Dialog and writes the group where the director chooses: never over a file that
// another program holds, over an existing file only after a Yes, and never
// half-written; a refusal or failure is said in Dutch. True when the file was
// written (the group then carries its path and is no longer modified).
bool SaveGroepWithDialog(TGroep& Groep, TSaveDialog& Dialog);
