// Extracting and testing a large archive (mixed compressible text and random
// data, tens of megabytes), in MB/s of uncompressed data; Info-ZIP unzip does
// the same work on the same archive in the same run for comparison. A tree of
// 70,000 small files is created and extracted by the engine and by Info-ZIP
// zip -r and unzip, at the same compression level, in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/rtl/files.h"
#include "platform/rtl/tempfiles.h"
#include "zip/zaarchiver.h"

namespace {

struct Fixture {
    std::string Dir, Archive;
    int64_t Bytes = 0;

    Fixture() {
        Dir = CreateTempFile("", "vzbench");
        DeleteFile(Dir);
        CreateDir(Dir);
        Dir += "/";
        const std::string src = Dir + "src/";
        ForceDirectories(src);
        uint32_t x = 2463534242u;
        auto random = [&](size_t n) {
            std::string s(n, '\0');
            for (auto& c : s) {
                x ^= x << 13, x ^= x >> 17, x ^= x << 5;
                c = static_cast<char>(x);
            }
            return s;
        };
        static const char* words[] = {"remise ", "wit ",    "zwart ",     "ronde ",  "1-0 ",
                                      "0-1\r\n", "Berger ", "Sonneborn ", "partij ", "groep "};
        auto text = [&](size_t n) {
            std::string s;
            s.reserve(n + 16);
            while (s.size() < n) {
                x ^= x << 13, x ^= x >> 17, x ^= x << 5;
                s += words[x % 10];
            }
            s.resize(n);
            return s;
        };
        for (int i = 0; i < 6; ++i)
            Write(src + "tekst" + std::to_string(i) + ".txt", text(4 << 20));
        for (int i = 0; i < 4; ++i)
            Write(src + "ruis" + std::to_string(i) + ".bin", random(4 << 20));
        for (int i = 0; i < 200; ++i)
            Write(src + "klein/" + std::to_string(i) + ".csv", text(4096));
        Archive = Dir + "bench.zip";
        TZipArchiver z(nullptr);
        z.FileName = Archive;
        z.BaseDir = src;
        z.SetCompressionLevel(clNormal);
        z.OpenArchive(fmCreate);
        z.AddFiles("*.*");
        z.CloseArchive();
    }
    ~Fixture() { std::system(("rm -rf '" + Dir + "'").c_str()); }
    void Write(const std::string& name, const std::string& data) {
        ForceDirectories(ExtractFileDir(name));
        FILE* f = std::fopen(name.c_str(), "wb");
        std::fwrite(data.data(), 1, data.size(), f);
        std::fclose(f);
        Bytes += static_cast<int64_t>(data.size());
    }
};

Fixture& Data() {
    static Fixture f;
    return f;
}

// Every item of Archive extracted below Dir, the way the main window does it.
void ExtractAllTo(const std::string& Archive, const std::string& Dir) {
    TZipArchiver z(nullptr);
    z.FileName = Archive;
    z.BaseDir = Dir;
    z.OpenArchive(0);
    z.ExtractFiles("*.*", ZAAllItemsAttr, "");
    z.CloseArchive();
}

void EngineExtract(benchmark::State& state) {
    Fixture& f = Data();
    for (auto _ : state)
        ExtractAllTo(f.Archive, f.Dir + "out");
    state.SetBytesProcessed(state.iterations() * f.Bytes);
}

void EngineTest(benchmark::State& state) {
    Fixture& f = Data();
    for (auto _ : state) {
        TZipArchiver z(nullptr);
        z.FileName = f.Archive;
        z.OpenArchive(0);
        z.TestFiles("*.*");
        z.CloseArchive();
    }
    state.SetBytesProcessed(state.iterations() * f.Bytes);
}

void RunTool(benchmark::State& state, const std::string& command) {
    if (std::system("command -v unzip >/dev/null 2>&1") != 0) {
        state.SkipWithError("unzip is not installed");
        return;
    }
    Fixture& f = Data();
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("unzip failed");
    state.SetBytesProcessed(state.iterations() * f.Bytes);
}

void UnzipExtract(benchmark::State& state) {
    RunTool(state, "unzip -qo '" + Data().Archive + "' -d '" + Data().Dir + "unz'");
}

void UnzipTest(benchmark::State& state) {
    RunTool(state, "unzip -tqq '" + Data().Archive + "'");
}

void EngineCreate(benchmark::State& state) {
    Fixture& f = Data();
    for (auto _ : state) {
        TZipArchiver z(nullptr);
        z.FileName = f.Dir + "again.zip";
        z.BaseDir = f.Dir + "src";
        z.SetCompressionLevel(clNormal);
        z.OpenArchive(fmCreate);
        z.AddFiles("*.*");
        z.CloseArchive();
    }
    state.SetBytesProcessed(state.iterations() * f.Bytes);
}

// 70,000 files of 40 to 400 bytes in 70 folders; the archive to extract is
// made by zip -r (by the engine when zip is missing).
struct SmallFiles {
    static constexpr int Count = 70000;
    std::string Dir, Src, Archive;
    bool HaveZip = false, HaveUnzip = false;

    SmallFiles() {
        Dir = CreateTempFile("", "vzsmall");
        DeleteFile(Dir);
        CreateDir(Dir);
        Dir += "/";
        Src = Dir + "src/";
        uint32_t x = 88172645u;
        static const char* words[] = {"remise ", "wit ", "zwart ", "ronde ", "1-0 ", "0-1\r\n"};
        for (int i = 0; i < Count; ++i) {
            const std::string folder = Src + "groep" + std::to_string(i / 1000) + "/";
            if (i % 1000 == 0) ForceDirectories(folder);
            x ^= x << 13, x ^= x >> 17, x ^= x << 5;
            std::string s;
            const size_t n = 40 + x % 360;
            while (s.size() < n) {
                x ^= x << 13, x ^= x >> 17, x ^= x << 5;
                s += words[x % 6];
            }
            s.resize(n);
            FILE* f = std::fopen((folder + "speler" + std::to_string(i) + ".txt").c_str(), "wb");
            std::fwrite(s.data(), 1, s.size(), f);
            std::fclose(f);
        }
        HaveZip = std::system("command -v zip >/dev/null 2>&1") == 0;
        HaveUnzip = std::system("command -v unzip >/dev/null 2>&1") == 0;
        Archive = Dir + "small.zip";
        if (HaveZip)
            std::system(("cd '" + Src + "' && zip -q -r -6 '" + Archive + "' .").c_str());
        else
            EngineCreate(Archive);
    }
    ~SmallFiles() { std::system(("rm -rf '" + Dir + "'").c_str()); }
    void EngineCreate(const std::string& Name) const {
        TZipArchiver z(nullptr);
        z.FileName = Name;
        z.BaseDir = Src;
        z.SetCompressionMode(6); // zip's default level
        z.OpenArchive(fmCreate);
        z.AddFiles("*.*");
        z.CloseArchive();
    }
};

SmallFiles& Small() {
    static SmallFiles f;
    return f;
}

// Each run starts from nothing: the archive or the folder of the previous run
// is removed outside the timed part.
void Clear(benchmark::State& state, const std::string& Path) {
    state.PauseTiming();
    std::system(("rm -rf '" + Path + "'").c_str());
    state.ResumeTiming();
}

void SmallEngineCreate(benchmark::State& state) {
    SmallFiles& f = Small();
    for (auto _ : state) {
        Clear(state, f.Dir + "engine.zip");
        f.EngineCreate(f.Dir + "engine.zip");
    }
    state.SetItemsProcessed(state.iterations() * SmallFiles::Count);
}

// One Info-ZIP run per iteration on the small-file tree, from an empty Output.
void SmallTool(benchmark::State& state, bool Have, const std::string& Output,
               const std::string& Command) {
    if (!Have) return state.SkipWithError("Info-ZIP is not installed");
    for (auto _ : state) {
        Clear(state, Output);
        if (std::system(Command.c_str())) state.SkipWithError("Info-ZIP failed");
    }
    state.SetItemsProcessed(state.iterations() * SmallFiles::Count);
}

void SmallZipCreate(benchmark::State& state) {
    SmallFiles& f = Small();
    SmallTool(state, f.HaveZip, f.Dir + "zip.zip",
              "cd '" + f.Src + "' && zip -q -r -6 '" + f.Dir + "zip.zip' .");
}

void SmallEngineExtract(benchmark::State& state) {
    SmallFiles& f = Small();
    for (auto _ : state) {
        Clear(state, f.Dir + "out");
        ExtractAllTo(f.Archive, f.Dir + "out");
    }
    state.SetItemsProcessed(state.iterations() * SmallFiles::Count);
}

void SmallUnzipExtract(benchmark::State& state) {
    SmallFiles& f = Small();
    SmallTool(state, f.HaveUnzip, f.Dir + "unz",
              "unzip -qo '" + f.Archive + "' -d '" + f.Dir + "unz'");
}

} // namespace

BENCHMARK(EngineExtract)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(UnzipExtract)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(EngineTest)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(UnzipTest)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(EngineCreate)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(SmallEngineCreate)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(SmallZipCreate)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(SmallEngineExtract)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(SmallUnzipExtract)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK_MAIN();
