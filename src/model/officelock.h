#pragma once
// An office suite's lock file: LibreOffice (and OpenOffice before it) keeps
// ".~lock.NAME#" beside a document it has open, one line that says who opened
// it, on which computer and when. The suite removes it when the document is
// closed; after a crash it stays behind.

#include <string>

struct TOfficeLock {
    std::string User; // the login name of whoever opened the document
    std::string Host; // the computer it was opened on
    std::string Time; // as the suite wrote it ("08.12.2026 10:15")
};

// The lock file the suite keeps beside FileName.
std::string OfficeLockFileName(const std::string& FileName);
// Reads a lock file's text (fields separated by ',', a '\' keeps the next
// character, ';' ends the line; UTF-8): false when it names no user and host.
bool ReadOfficeLock(const std::string& Text, TOfficeLock& Lock);
// Whether the lock was left behind: made by this user on this computer, where
// no process of the suite runs (ProcFolder lists the processes). Anything
// else (another user or computer, an unreadable lock) may still be in use.
bool IsOfficeLockLeftOver(const TOfficeLock& Lock, const std::string& ProcFolder = "/proc");
