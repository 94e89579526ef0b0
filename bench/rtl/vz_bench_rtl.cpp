// Settings files: parsing grows with the file, not with its square, and a
// program's settings are read from one parse whatever their number.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/rtl/files.h"
#include "platform/rtl/inifiles.h"
#include "platform/rtl/sysutils.h"

namespace {

// A file of Count lines: one section with as many names, or as many sections
// of one name each.
std::string IniText(int Count, bool Sections) {
    std::string text = "[Last]\r\nDataMap=/home/td/Vivazozodi\r\n";
    for (int i = 0; i < Count; ++i)
        text += Sections ? "[Venster" + IntToStr(i) + "]\r\nTop=" + IntToStr(i) + "\r\n"
                         : "Sleutel" + IntToStr(i) + "=waarde " + IntToStr(i) + "\r\n";
    return text;
}

// One section of many names, or many sections of one name each.
template <bool Sections> void BM_Parse(benchmark::State& State) {
    const std::string text = IniText(static_cast<int>(State.range(0)), Sections);
    for (auto _ : State) {
        TIniSections data;
        data.Parse(text);
        benchmark::DoNotOptimize(data.Sections.size());
    }
    State.SetComplexityN(State.range(0));
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * text.size()));
}

// The program's start: some thirty keys read from a settings file that grew
// large (another program's sections in it).
void BM_ReadSettings(benchmark::State& State) {
    char folder[] = "/tmp/vz_bench_ini_XXXXXX";
    if (!mkdtemp(folder)) {
        State.SkipWithError("no temporary folder");
        return;
    }
    const std::string file = std::string(folder) + "/vivazozodi.ini";
    WriteFileAtomic(file, IniText(static_cast<int>(State.range(0)), false));
    for (auto _ : State) {
        const TMemIniFile ini(file);
        int sum = 0;
        for (int k = 0; k < 30; ++k)
            sum += ini.ReadInteger("Last", "Sleutel" + IntToStr(k), 0);
        benchmark::DoNotOptimize(sum);
    }
    State.SetComplexityN(State.range(0));
    DeleteFile(file);
    RemoveDir(folder);
}

} // namespace

BENCHMARK_TEMPLATE(BM_Parse, false)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();
BENCHMARK_TEMPLATE(BM_Parse, true)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();
BENCHMARK(BM_ReadSettings)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
