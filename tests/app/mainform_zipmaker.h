#pragma once

#include <string>

// An archive made by the zip engine of every file under BaseDir.
void MakeZipArchive(const std::string& Archive, const std::string& BaseDir);
