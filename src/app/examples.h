#pragma once
// The example groups that a first start offers to unpack: fictional club groups
// written by the program's own writer, packed in "Voorbeeld.zip" under the folder
// "Voorbeeld/" (the folder the main window opens at a first start).

#include <memory>
#include <string>
#include <vector>

class TGroep;

// The groups and the file name (without folder) each is saved under: an eight-player
// blitz group with every result ("Snelschaken 2016-04-20 A.csv"), an odd group
// with the bye "VRIJ", and an unfinished double round robin.
std::vector<std::pair<std::string, std::unique_ptr<TGroep>>> MakeVoorbeeldGroepen();

// Writes the groups into a fresh folder "Voorbeeld" under WorkDir and packs that
// folder into ZipFile (replaced when it exists). Answers the stored names.
std::vector<std::string> MakeVoorbeeldZip(const std::string& ZipFile, const std::string& WorkDir);
