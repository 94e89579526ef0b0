#pragma once
// Named resources compiled into the program: bitmaps (our own artwork, drawn by
// code or kept as encoded image bytes) and raw data. Each subsystem registers
// its own at start-up; names are matched ignoring case, a later registration
// of a name replaces the earlier one.

#include <functional>
#include <string>

#include "platform/rtl/sysutils.h"

class TBitmap;

class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

using TBitmapMaker = std::function<void(TBitmap& Bitmap)>;

void RegisterBitmapResource(const std::string& Name, TBitmapMaker Make);
void RegisterEncodedBitmapResource(const std::string& Name, const std::string& EncodedImage);
bool BitmapResourceExists(const std::string& Name);
// Makes the bitmap of that name; raises EResNotFound for an unknown name.
void LoadBitmapResource(TBitmap& Bitmap, const std::string& Name);

void RegisterDataResource(const std::string& Name, const std::string& Bytes);
// False (and Bytes unchanged) for an unknown name.
bool FindDataResource(const std::string& Name, std::string& Bytes);
