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
// The block device ("sdb1", "mapper/x") mounted where Path lies, from the
// mount table (the kernel's, unless another is given in its layout); empty
// when that mount stands on no device file.
std::string MountDevice(const std::string& Path,
                        const std::string& MountTable = "/proc/self/mountinfo");
// Whether the block device is flagged removable by the kernel: its own
// "removable" flag under SysRoot, or that of the disk of a partition.
bool IsRemovableDevice(const std::string& Device, const std::string& SysRoot = "/sys");
// Whether Path lies on a removable medium: a device the kernel flags
// removable, or a mount under /media or /run/media, where a desktop puts the
// media it mounts for the user.
bool IsRemovablePath(const std::string& Path);
