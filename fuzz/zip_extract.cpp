// Extraction of one item of an archive kept in memory. The first input byte
// picks the options: bit 0 asks for corrupted items too, bit 1 answers a
// password request, bit 2 extracts to disk instead of testing, bits 3 to 5 the
// item (0 to 7 in the order the engine offers them; the others are declined). Testing runs the
// whole data path (stored or deflate, traditional decryption, CRC and size
// checks) into a sink that discards it; extracting to disk writes into a
// scratch folder, where at most the one item may appear, no larger than
// deflate can make of the input, and nothing beside the folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/rtl/streams.h"
#include "zip/zaarchiver.h"

namespace fs = std::filesystem;

namespace {

// <temp>/vz_fuzz_zip_<pid>/ holding the base folder "out" and nothing else.
const fs::path& Scratch() {
    static const fs::path dir =
        fs::temp_directory_path() / ("vz_fuzz_zip_" + std::to_string(::getpid()));
    return dir;
}

void CheckAndClearScratch(size_t InputSize) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(Scratch(), ec))
        if (e.path().filename() != "out") __builtin_trap(); // written beside the target
    uintmax_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(Scratch() / "out", ec)) {
        if (e.is_symlink()) __builtin_trap(); // links are never made from an archive
        if (!e.is_regular_file()) continue;
        // Deflate makes at most about 1032 bytes of one.
        if (++files > 1 || e.file_size() > 1032 * InputSize + 1024) __builtin_trap();
    }
    fs::remove_all(Scratch(), ec);
}

} // namespace

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
    int offered = 0;
    zip.OnConfirmProcessFile = [&](TObject*, const std::string&, TZAProcessOperation,
                                   bool& Confirm) { Confirm = offered++ == ((flags >> 3) & 7); };
    const bool toDisk = (flags & 4) != 0;
    if (toDisk) {
        fs::create_directories(Scratch() / "out");
        zip.BaseDir = (Scratch() / "out").string();
    }
    try {
        zip.OpenArchive(archive, false);
        if (toDisk)
            zip.ExtractFiles("*.*");
        else
            zip.TestFiles("*.*");
        zip.CloseArchive();
    } catch (const Exception&) {
        // A refused archive or item is a clean end.
    }
    if (toDisk) CheckAndClearScratch(Size);
    return 0;
}
