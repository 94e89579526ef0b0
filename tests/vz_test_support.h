#pragma once
// What the shared test entry gives every test program.

#include <sys/resource.h>

#include <string>

// The folder where tests save the pictures they render, for anyone to look at.
std::string ArtifactsDir();

// The whole file as it is on disk ("" when it cannot be read).
std::string ReadBytes(const std::string& Path);
// Makes Bytes the whole file, and its folder first where that is missing.
void WriteBytes(const std::string& Path, const std::string& Bytes);

// A folder of the test's own under the system's temporary folder, removed with
// all it holds when the object goes (also when an assertion ended the test
// early). Tests that write files write them here, so that parallel runs never
// share a file and nothing is left behind.
class TTestFolder {
public:
    explicit TTestFolder(const std::string& Prefix = "vz_test");
    ~TTestFolder();
    TTestFolder(const TTestFolder&) = delete;
    TTestFolder& operator=(const TTestFolder&) = delete;

    // The folder, without a trailing '/'.
    const std::string& Path() const { return FPath; }
    // A name inside the folder.
    std::string File(const std::string& Name) const { return FPath + "/" + Name; }

private:
    std::string FPath;
};

// While it lives, no file of the process may grow beyond Bytes: a write past it
// fails (EFBIG) as on a full disk, so that tests can see what a failed write
// leaves behind.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(long Bytes);
    ~TFileSizeLimit();
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit FSaved{};
    void (*FHandler)(int) = nullptr;
};
