#pragma once
// File attributes in the platform's bit form and packed DOS dates, mapped onto
// the Linux file system: read-only is the lack of write permission, hidden is a
// leading dot, and the archive bit is always present on regular files.

#include <cstdint>
#include <string>

#include "dateutils.h"

constexpr uint32_t faReadOnly = 0x01;
constexpr uint32_t faHidden = 0x02;
constexpr uint32_t faSysFile = 0x04;
constexpr uint32_t faVolumeID = 0x08;
constexpr uint32_t faDirectory = 0x10;
constexpr uint32_t faArchive = 0x20;
constexpr uint32_t faSymLink = 0x40;
constexpr uint32_t faNormal = 0x80;
constexpr uint32_t faAnyFile = 0x3F;

// The attributes of a file or folder (a link is not followed: it reports
// faSymLink), or -1 when it does not exist.
int32_t FileGetAttr(const std::string& FileName);
// Applies the read-only bit to the write permissions; returns false on failure.
bool FileSetAttr(const std::string& FileName, uint32_t Attr);

// Packed DOS date and time: date in the high 16 bits (year-1980, month, day),
// time in the low 16 bits (hour, minute, seconds/2). Dates outside 1980..2107
// are clamped to the nearest representable moment.
uint32_t DateTimeToFileDate(TDateTime DateTime);
TDateTime FileDateToDateTime(uint32_t FileDate);
uint32_t UnixTimeToFileDate(int64_t UnixTime); // local time
int64_t FileDateToUnixTime(uint32_t FileDate);

// The modification time of a file as a DOS date, or -1 when it is missing.
int64_t FileAge(const std::string& FileName);
// Sets the modification time of a file from a DOS date; false on failure.
bool FileSetDate(const std::string& FileName, uint32_t FileDate);
