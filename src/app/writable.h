#pragma once
// Whether the program may write a file: one answer, in one order and in one
// set of Dutch words, for the group file, the standings text, the rating
// report and the settings file.

#include <string>

// Why File cannot be written, as one Dutch sentence, in this order: the file
// is read-only, its folder does not exist, the folder takes no files; empty
// when nothing that can be seen beforehand stands in the way. Whether another
// program holds the file is asked apart (IsFileInUse).
std::string NotWritableReason(const std::string& File);
// The message when File may not be written now: another program holds it
// (asked first; an office lock file is named, with its holder), or the reason
// above; empty when nothing stands in the way.
// The file is not written over then, and nothing else is asked.
std::string NotWritableMessage(const std::string& File);
// The message when writing File failed all the same (a full disk).
std::string WriteFailedMessage(const std::string& File);
