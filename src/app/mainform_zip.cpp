#include "app/mainform_zip.h"

#include <sys/stat.h>

#include <algorithm>

#include "zip/zaarchiver.h"
#include "zip/zamasks.h"

namespace {

// The engine shows stored names with the platform's backslash.
std::string Toon(std::string Naam) {
    std::replace(Naam.begin(), Naam.end(), '\\', '/');
    return Naam;
}

// The Unix file type of the item shown as Naam (0: none stored, or an item
// made elsewhere, whose type the engine does not look at).
uint32_t UnixType(const TZipArchiver& Zip, const std::string& Naam) {
    for (int i = 0; i < Zip.FileCount(); ++i) {
        const TDirItem& item = Zip.Files(i);
        if (item.MadeOnUnix() && item.Name == Naam)
            return (item.Header.ExternalAttributes >> 16) & S_IFMT;
    }
    return 0;
}

// What the director can do about an item that failed, in his own language (the
// engine's messages are English).
std::string Reden(const std::string& Naam, int Code, uint32_t UnixType) {
    // A stored name that climbs out of the data folder ("../x") is never
    // written: the archive is not what it says it is.
    std::string binnen;
    if (Code == zeCannotCreateFile && !ZAConfineName(Naam, binnen))
        return "wijst buiten de map en is niet uitgepakt";
    // The engine makes only folders and plain files: a link could point
    // anywhere, and nothing is wrong with the disk.
    if (Code == zeCannotCreateFile && UnixType == S_IFLNK)
        return "is een symbolische koppeling; die pakt het programma niet uit";
    if (Code == zeCannotCreateFile && UnixType != 0 && UnixType != S_IFREG)
        return "is geen gewoon bestand; het programma pakt alleen bestanden en mappen uit";
    switch (Code) {
    case zeBadItemData:
    case zeDamagedArchive:
    case zeOverlappedItem:
    case zeCompressedSize:
        return "beschadigd in het archief";
    case zeCannotCreateFile:
    case zeCannotCreateDir:
        return "kan niet worden geschreven (schijf vol of geen schrijfrechten?)";
    default:
        return "kan niet worden uitgepakt";
    }
}

} // namespace

TZipArchiver* NewZipArchiver(TComponent* AOwner) {
    return new TZipArchiver(AOwner);
}

std::vector<std::string> ExtractArchive(TZipArchiver& Zip, const std::string& Archive,
                                        const std::string& BaseDir) {
    std::vector<std::string> fouten;
    Zip.FileName = Archive;
    Zip.BaseDir = BaseDir;
    // A file of the same name in the data folder is the director's own work.
    Zip.Options().OverwriteMode = omPrompt;
    Zip.OnConfirmOverwrite = [&fouten](TObject*, const std::string& Bron, std::string&,
                                       bool& Confirm) {
        Confirm = false;
        fouten.push_back(Toon(Bron) + ": bestaat al en is niet vervangen");
    };
    // Every item that can be unpacked is; the others are named after the run.
    Zip.OnProcessFileFailure = [&fouten, &Zip](TObject*, const std::string& Naam,
                                               TZAProcessOperation, int NativeError, int,
                                               const std::string&, TZAAction& Action) {
        fouten.push_back(Toon(Naam) + ": " + Reden(Naam, NativeError, UnixType(Zip, Toon(Naam))));
        Action = fxaIgnore;
    };
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
    return fouten;
}
