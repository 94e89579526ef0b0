// The grid's data operations beside the plain library doing the same work in
// the same run: loading a 40,000-line ";"-separated member file of 18 fields
// (with quoted fields) beside reading the file into memory and splitting it
// at the delimiters, and sorting 100,000 rows by a numeric, an alphabetic
// and a date column beside std::sort of the same keys.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "../vz_bench_qt.h"
#include "../vz_bench_table.h"
#include "grid/extgrid.h"
#include "grid/support/gridvalues.h"

namespace {

constexpr int CsvLines = 40000;
constexpr int SortRows = 100000;

std::string CsvPath() {
    static std::string path;
    if (!path.empty()) return path;
    char tmpl[] = "/tmp/vz_bench_csv_XXXXXX";
    const int fd = mkstemp(tmpl);
    if (fd >= 0) close(fd);
    path = tmpl;
    std::mt19937 rnd(7);
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < CsvLines; ++i) {
        out << 7000000 + i << ";\"Jansen, J\xE9r\xF4me\";J.;" << (rnd() % 2 ? "M" : "V") << ";"
            << 1950 + rnd() % 60 << ";\"De \"\"Toren\"\" Amersfoort\";" << rnd() % 2400 << ";"
            << rnd() % 2400 << ";" << rnd() % 2400 << ";" << rnd() % 2400 << ";2024-0"
            << 1 + rnd() % 9 << "-1" << rnd() % 9 << ";NED;KNSB;Utrecht;\"Straatweg 12\";3581 AB;"
            << "\"030-1234567\";jansen@example.nl\r\n";
    }
    return path;
}

void BM_LoadCSV_Grid(benchmark::State& State) {
    const std::string path = CsvPath();
    for (auto _ : State) {
        TExtStringGrid grid(nullptr);
        grid.LoadFromCSV(path);
        benchmark::DoNotOptimize(grid.RowCount());
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    State.SetBytesProcessed(State.iterations() * static_cast<int64_t>(in.tellg()));
}

// The floor: the file into memory, split into strings at ';' and line ends.
void BM_LoadCSV_Plain(benchmark::State& State) {
    const std::string path = CsvPath();
    for (auto _ : State) {
        std::ifstream in(path, std::ios::binary);
        std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::vector<std::string>> rows;
        std::vector<std::string> row;
        size_t s = 0;
        for (size_t i = 0; i < data.size(); ++i) {
            if (data[i] == ';' || data[i] == '\n') {
                row.emplace_back(data, s, i - s);
                s = i + 1;
                if (data[i] == '\n') rows.push_back(std::move(row)), row.clear();
            }
        }
        benchmark::DoNotOptimize(rows.size());
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    State.SetBytesProcessed(State.iterations() * static_cast<int64_t>(in.tellg()));
}

// 100,000 rows: a number, a name and a date (dd-mm-yyyy) per row.
struct TSortData {
    std::vector<std::string> Num, Alpha, Date;
    std::unique_ptr<TExtStringGrid> Grid;
    std::vector<int> Shuffle;
};

TSortData& Data() {
    static TSortData d;
    if (d.Grid) return d;
    std::mt19937 rnd(11);
    d.Grid = std::make_unique<TExtStringGrid>(nullptr);
    d.Grid->SetColCount(4);
    d.Grid->SetRowCount(SortRows + 1);
    for (int r = 1; r <= SortRows; ++r) {
        char date[16];
        std::snprintf(date, sizeof date, "%02u-%02u-%04u", static_cast<unsigned>(1 + rnd() % 28),
                      static_cast<unsigned>(1 + rnd() % 12), static_cast<unsigned>(1950 + rnd() % 70));
        d.Num.push_back(std::to_string(rnd() % 1000000) + "." + std::to_string(rnd() % 100));
        d.Alpha.push_back("Speler " + std::to_string(rnd()));
        d.Date.push_back(date);
        d.Grid->SetCells(1, r, d.Num.back());
        d.Grid->SetCells(2, r, d.Alpha.back());
        d.Grid->SetCells(3, r, d.Date.back());
    }
    d.Grid->OnGetFormat = [](TObject*, int ACol, TSortStyle& S, std::string&, std::string&) {
        S = ACol == 1 ? ssNumeric : ACol == 3 ? ssShortDateEU : ssAlphabetic;
    };
    d.Grid->SortSettings()->Full = false;
    d.Shuffle.resize(SortRows + 1);
    std::iota(d.Shuffle.begin(), d.Shuffle.end(), 0);
    std::shuffle(d.Shuffle.begin() + 1, d.Shuffle.end(), rnd);
    return d;
}

void SortGrid(benchmark::State& State, int Col) {
    TSortData& d = Data();
    for (auto _ : State) {
        State.PauseTiming();
        d.Grid->ReorderRows(d.Shuffle);
        State.ResumeTiming();
        d.Grid->SortSettings()->Column = Col;
        d.Grid->SortByColumn();
    }
}

template <typename Key, typename Make> void SortPlain(benchmark::State& State, Make MakeKeys) {
    const std::vector<Key> keys = MakeKeys();
    for (auto _ : State) {
        State.PauseTiming();
        std::vector<Key> copy = keys;
        State.ResumeTiming();
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
}

void BM_SortNumeric_Grid(benchmark::State& S) {
    SortGrid(S, 1);
}
void BM_SortAlpha_Grid(benchmark::State& S) {
    SortGrid(S, 2);
}
void BM_SortDate_Grid(benchmark::State& S) {
    SortGrid(S, 3);
}
void BM_SortNumeric_StdSort(benchmark::State& S) {
    SortPlain<double>(S, [] {
        std::vector<double> v;
        for (const auto& t : Data().Num)
            v.push_back(std::strtod(t.c_str(), nullptr));
        return v;
    });
}
void BM_SortAlpha_StdSort(benchmark::State& S) {
    SortPlain<std::string>(S, [] { return Data().Alpha; });
}
void BM_SortDate_StdSort(benchmark::State& S) {
    SortPlain<double>(S, [] {
        std::vector<double> v;
        for (const auto& t : Data().Date)
            v.push_back(ParseDateEU(t));
        return v;
    });
}

BENCHMARK(BM_LoadCSV_Grid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCSV_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumeric_Grid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumeric_StdSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortAlpha_Grid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortAlpha_StdSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortDate_Grid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortDate_StdSort)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    StartOffscreenQt();
    const int rc = RunWithPeers(
        argc, argv,
        {{"LoadFromCSV 40,000 lines x 18 fields", "BM_LoadCSV_Grid", "BM_LoadCSV_Plain"},
         {"sort 100,000 rows, numeric column", "BM_SortNumeric_Grid", "BM_SortNumeric_StdSort"},
         {"sort 100,000 rows, alphabetic column", "BM_SortAlpha_Grid", "BM_SortAlpha_StdSort"},
         {"sort 100,000 rows, date column", "BM_SortDate_Grid", "BM_SortDate_StdSort"}});
    Data().Grid.reset();
    std::remove(CsvPath().c_str());
    ShutdownQtApplication();
    return rc;
}
