#pragma once
// Shared helpers of the archive engine tests: a scratch folder per test, file
// contents, and running the independent tools (Info-ZIP, Python) as oracles.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/files.h"
#include "zip/zatypes.h"

class TZABaseArchiver;
class TZipArchiver;

namespace zatest {

// A fresh folder, removed with everything in it at the end of the test.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& Path() const { return FPath; } // with trailing '/'
    std::string operator/(const std::string& Name) const { return FPath + Name; }

private:
    std::string FPath;
};

void WriteFile(const std::string& Name, const std::string& Data); // makes parent folders
std::string ReadFile(const std::string& Name);
std::string RandomBytes(size_t Count, uint32_t Seed);
std::string TextBytes(size_t Count); // compressible text
// Runs a shell command; returns its exit status and puts its output in Output.
int Shell(const std::string& Command, std::string* Output = nullptr);
bool HaveTool(const std::string& Tool);
std::string Quote(const std::string& S);
// Runs a Python 3 script (given as text) with arguments; returns its status.
int Python(const std::string& Script, const std::vector<std::string>& Args = {},
           std::string* Output = nullptr);
// Every regular file below Dir as relative name -> size and hash of its bytes, and every folder as
// "name/".
std::vector<std::pair<std::string, std::string>> Tree(const std::string& Dir);

// The engine's common runs: a new archive of the files of Src matching Mask;
// every item of Archive extracted to To (returns the item count); the native
// code of the EZAException that F raises (-1 when none).
void CreateArchive(const std::string& Archive, const std::string& Src,
                   const std::string& Mask = "*.*");
int ExtractAll(const std::string& Archive, const std::string& To, const std::string& Password = "");
int CodeOf(const std::function<void()>& F);
// Extracts every item of Archive to To, going on past failed items; returns
// the native codes of the failures in order. Setup may change the archiver first.
std::vector<int> ExtractCodes(const std::string& Archive, const std::string& To,
                              const std::function<void(TZipArchiver&)>& Setup = {});

// Sets Z up to write the files of Src into Archive as a set of volumes of
// VolumeSize bytes (spanned over disks or split in one folder).
void SetVolumes(TZABaseArchiver& Z, const std::string& Archive, const std::string& Src,
                TZASpanningMode Mode, int64_t VolumeSize);

} // namespace zatest

#define ZA_NEED_TOOL(tool)                                                                         \
    do {                                                                                           \
        if (!zatest::HaveTool(tool)) GTEST_SKIP() << tool << " is not installed";                  \
    } while (0)
