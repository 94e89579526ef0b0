// Extraction of one item of an archive kept in memory: the data path (stored or
// deflate, traditional decryption, CRC and size checks) runs through the
// engine's test operation, whose output is discarded, so memory stays bounded
// whatever sizes the archive claims. The first input byte picks the options:
// bit 0 asks for corrupted items too, bit 1 answers a password request.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/rtl/streams.h"
#include "zip/zaarchiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    const uint8_t flags = Data[0];
    TMemoryStream archive;
    archive.Write(Data + 1, static_cast<int64_t>(Size - 1));
    archive.Seek(0, soBeginning);
    TZipArchiver zip(nullptr);
    zip.ExtractCorruptedFiles = (flags & 1) != 0;
    int asked = 0;
    zip.OnPassword = [&](TObject*, const std::string&, std::string& NewPassword, bool& Skip) {
        // Answered once at most: an engine that asks again and again must
        // still come to an end.
        if ((flags & 2) && asked++ == 0)
            NewPassword = "geheim";
        else
            Skip = true;
    };
    zip.OnProcessFileFailure = [](TObject*, const std::string&, TZAProcessOperation, int, int,
                                  const std::string&, TZAAction& Action) { Action = fxaIgnore; };
    try {
        zip.OpenArchive(archive, false);
        if (zip.FileCount() > 0) zip.TestFiles(zip.Files(0).Name);
        zip.CloseArchive();
    } catch (const Exception&) {
        // A refused archive or item is a clean end.
    }
    return 0;
}
