#include "ziplist.h"

#include <algorithm>

#include "platform/rtl/streams.h"
#include "zip/zaarchiver.h"

std::vector<std::string> ZipFileNames(const std::string& ZipFile) {
    TZipArchiver z(nullptr);
    z.FileName = ZipFile;
    z.OpenArchive(fmOpenRead);
    std::vector<std::string> names;
    for (int i = 0; i < z.FileCount(); ++i)
        if (!z.Files(i).Name.ends_with("/")) names.push_back(z.Files(i).Name);
    z.CloseArchive();
    std::sort(names.begin(), names.end());
    return names;
}

void ExtractZip(const std::string& ZipFile, const std::string& Dir) {
    TZipArchiver z(nullptr);
    z.FileName = ZipFile;
    z.BaseDir = Dir;
    z.OpenArchive(fmOpenRead);
    z.ExtractFiles("*.*", 10431);
    z.CloseArchive();
}
