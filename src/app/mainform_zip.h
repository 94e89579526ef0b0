#pragma once
// The archive component of the main window, kept apart from the visual units
// (the zip engine's names would meet theirs).

#include <string>
#include <vector>

class TComponent;
class TZipArchiver;

TZipArchiver* NewZipArchiver(TComponent* AOwner);
// Extracts every item of Archive into BaseDir, never over an existing file.
// Answers, in Dutch, one line per item that was not unpacked (empty when every
// item was); raises Exception when the archive cannot be read at all.
std::vector<std::string> ExtractArchive(TZipArchiver& Zip, const std::string& Archive,
                                        const std::string& BaseDir);
