// Extracting and testing a large archive (mixed compressible text and random
// data, tens of megabytes), in MB/s of uncompressed data; Info-ZIP unzip does
// the same work on the same archive in the same run for comparison.
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

void EngineExtract(benchmark::State& state) {
    Fixture& f = Data();
    for (auto _ : state) {
        TZipArchiver z(nullptr);
        z.FileName = f.Archive;
        z.BaseDir = f.Dir + "out";
        z.OpenArchive(0);
        z.ExtractFiles("*.*", 10431, "");
        z.CloseArchive();
    }
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

} // namespace

BENCHMARK(EngineExtract)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(UnzipExtract)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(EngineTest)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(UnzipTest)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(EngineCreate)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

BENCHMARK_MAIN();
