// The archive directory reader on any bytes: opening an archive kept in memory
// finds the end record, reads the central directory (or rebuilds it from the
// local headers) and must end in a list of items or the engine's own error.
#include <cstddef>
#include <cstdint>

#include "platform/rtl/streams.h"
#include "zip/zaarchiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TMemoryStream archive;
    archive.Write(Data, static_cast<int64_t>(Size));
    archive.Seek(0, soBeginning);
    TZipArchiver zip(nullptr);
    try {
        zip.OpenArchive(archive, false);
        // Every item is at least a header's worth of the input.
        if (static_cast<size_t>(zip.FileCount()) > Size / 22) __builtin_trap();
        for (int i = 0; i < zip.FileCount(); ++i)
            (void)zip.Files(i).Name.size();
        zip.CloseArchive();
    } catch (const Exception&) {
        // A refused archive is a clean end.
    }
    return 0;
}
