// The entry of every test program. CTest's per-test environment cannot carry
// a list through test discovery, so the defaults the tests rely on are set here.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "vz_test_support.h"

extern "C" const char* __lsan_default_suppressions() {
    // Process-lifetime allocations of the font and desktop libraries Qt loads.
    return "leak:libfontconfig\nleak:libdbus\nleak:libglib\n";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

std::string ArtifactsDir() {
    const char* dir = std::getenv("VZ_ARTIFACTS");
    return dir && *dir ? dir : VZ_ARTIFACTS_DIR;
}

std::string ReadBytes(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& Path, const std::string& Bytes) {
    const std::filesystem::path folder = std::filesystem::path(Path).parent_path();
    std::error_code ignored; // a folder that cannot be made fails the write below
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    std::ofstream(Path, std::ios::binary) << Bytes;
}

TTestFolder::TTestFolder(const std::string& Prefix) {
    std::string pattern =
        std::filesystem::temp_directory_path().string() + "/" + Prefix + "_XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder for " + Prefix);
    FPath = pattern;
}

TTestFolder::~TTestFolder() {
    std::error_code ignored; // a folder that cannot go must not end the test run
    std::filesystem::remove_all(FPath, ignored);
}

TFileSizeLimit::TFileSizeLimit(long Bytes) {
    getrlimit(RLIMIT_FSIZE, &FSaved);
    rlimit limit = FSaved;
    // The signal would end the process; ignored, the write fails instead.
    FHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(Bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("no file size limit");
}

TFileSizeLimit::~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &FSaved);
    std::signal(SIGXFSZ, FHandler);
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("VZ_ARTIFACTS", VZ_ARTIFACTS_DIR, 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
