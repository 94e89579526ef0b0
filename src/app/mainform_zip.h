#pragma once
// The archive component of the main window, kept apart from the visual units
// (the zip engine's names would meet theirs).

#include <string>

class TComponent;
class TZipArchiver;

TZipArchiver* NewZipArchiver(TComponent* AOwner);
// Extracts every item of Archive into BaseDir; raises Exception when the archive
// cannot be read.
void ExtractArchive(TZipArchiver& Zip, const std::string& Archive, const std::string& BaseDir);
