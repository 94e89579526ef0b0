#pragma once
// The zip engine seen from the window tests, in a unit of its own: the engine's
// names meet the visual layer's colour names in one translation unit.

#include <string>
#include <vector>

// The stored names of the archive's items, folders left out, sorted.
std::vector<std::string> ZipFileNames(const std::string& ZipFile);
// Extracts every item under Dir as the main window unpacks an example archive.
void ExtractZip(const std::string& ZipFile, const std::string& Dir);
