#include "app/mainform_zip.h"

#include "zip/zaarchiver.h"

TZipArchiver* NewZipArchiver(TComponent* AOwner) {
    return new TZipArchiver(AOwner);
}

void ExtractArchive(TZipArchiver& Zip, const std::string& Archive, const std::string& BaseDir) {
    Zip.FileName = Archive;
    Zip.BaseDir = BaseDir;
    try {
        Zip.OpenArchive(fmOpenRead | fmShareDenyNone);
        Zip.ExtractFiles("*.*", 10431);
        Zip.CloseArchive();
    } catch (const Exception&) {
        try {
            Zip.CloseArchive();
        } catch (const Exception&) {
        }
        throw;
    }
}
