// Kept apart from the visual units: the zip engine's names would meet theirs.
#include "mainform_zipmaker.h"

#include "zip/zaarchiver.h"

void MakeZipArchive(const std::string& Archive, const std::string& BaseDir) {
    TZipArchiver z(nullptr);
    z.FileName = Archive;
    z.BaseDir = BaseDir;
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
}
