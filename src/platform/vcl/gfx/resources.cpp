#include "platform/vcl/gfx/resources.h"

#include <map>

#include "platform/vcl/gfx/graphics.h"

namespace {

std::string Key(const std::string& Name) {
    return UpperCase(Name);
}

std::map<std::string, TBitmapMaker>& Bitmaps() {
    static std::map<std::string, TBitmapMaker> Table;
    return Table;
}

std::map<std::string, std::string>& Data() {
    static std::map<std::string, std::string> Table;
    return Table;
}

} // namespace

void RegisterBitmapResource(const std::string& Name, TBitmapMaker Make) {
    Bitmaps()[Key(Name)] = std::move(Make);
}

void RegisterEncodedBitmapResource(const std::string& Name, const std::string& EncodedImage) {
    RegisterBitmapResource(Name, [EncodedImage](TBitmap& B) { B.LoadFromBytes(EncodedImage); });
}

bool BitmapResourceExists(const std::string& Name) {
    return Bitmaps().count(Key(Name)) != 0;
}

void LoadBitmapResource(TBitmap& Bitmap, const std::string& Name) {
    const auto It = Bitmaps().find(Key(Name));
    if (It == Bitmaps().end()) throw EResNotFound("Resource " + Name + " not found");
    It->second(Bitmap);
}

void TBitmap::LoadFromResourceName(const std::string& Name) {
    LoadBitmapResource(*this, Name);
}

void RegisterDataResource(const std::string& Name, const std::string& Bytes) {
    Data()[Key(Name)] = Bytes;
}

bool FindDataResource(const std::string& Name, std::string& Bytes) {
    const auto It = Data().find(Key(Name));
    if (It == Data().end()) return false;
    Bytes = It->second;
    return true;
}
