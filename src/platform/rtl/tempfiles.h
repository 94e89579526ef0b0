#pragma once
// Temporary files with unique names, and the free room on a file system.

#include <cstdint>
#include <string>

// The system's temporary folder ($TMPDIR, else /tmp), with a trailing '/'.
std::string GetTempDir();
// Creates a new, empty file with a unique name Dir + Prefix + random part
// (Dir empty: the system's temporary folder) and returns its name; the file is
// made with owner-only permissions. Raises EFCreateError on failure.
std::string CreateTempFile(const std::string& Dir, const std::string& Prefix);

// The bytes free for the calling user on the file system that holds Path (or,
// when Path does not exist yet, its nearest existing parent); -1 when unknown.
int64_t DiskFree(const std::string& Path);
// Whether Path lies on a removable medium. Linux mounts these under /media or
// /run/media by convention; that is what is checked.
bool IsRemovablePath(const std::string& Path);
