#include "app/writable.h"

#include "model/fileutils.h"
#include "model/officelock.h"
#include "platform/rtl/files.h"

std::string NotWritableReason(const std::string& File) {
    if (IsReadOnlyFile(File)) return "Dit bestand is alleen-lezen.";
    const std::string map = ExtractFileDir(ResolveLinks(File));
    if (!map.empty() && !DirectoryExists(map)) return "De map bestaat niet.";
    if (!IsWritableDir(map)) return "De map is alleen-lezen.";
    return {};
}

std::string NotWritableMessage(const std::string& File) {
    // Another program's file is never written over: the save would be lost to
    // it or break its copy.
    if (IsFileInUse(File)) {
        std::string bericht = GetShortPath(File) +
                              ": is reeds in gebruik door een ander programma." + "\r" +
                              "Sluit eerst het bestand";
        // An office lock file may have been left behind by a suite that is
        // gone: the director must know which file to remove.
        if (FileExists(OfficeLockFileName(File))) bericht += "\r\r" + FileInUseReason(File);
        return bericht;
    }
    const std::string reden = NotWritableReason(File);
    if (reden.empty()) return {};
    return GetShortPath(File) + ": kan niet worden geschreven." + "\r" + reden;
}

std::string WriteFailedMessage(const std::string& File) {
    return GetShortPath(File) + ": kan niet worden geschreven." + "\r" +
           "Is de schijf vol of is het bestand niet toegankelijk?";
}
