// The numeric edit checks its text on every keystroke, and the flash timer
// walks its client list every 16 ms: both must stay far below a frame.
#include <benchmark/benchmark.h>

#include <vector>

#include "controls/numeric/flashschedule.h"
#include "controls/numeric/numbase.h"

static void BM_ParseInteger(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseNumberText("1,234,567", ebInt));
}
BENCHMARK(BM_ParseInteger);

static void BM_ParseFloatWithSuffix(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseNumberText("-12.5e-3k", ebFloat));
}
BENCHMARK(BM_ParseFloatWithSuffix);

static void BM_FormatViews(benchmark::State& state) {
    for (auto _ : state) {
        const TNumViews v = MakeNumViews(123456.75L, ebFloat, 0, 0);
        benchmark::DoNotOptimize(NumViewText(v, ebFloat, "#0.#"));
    }
}
BENCHMARK(BM_FormatViews);

static void BM_FlashTick(benchmark::State& state) {
    TFlashSchedule schedule(0);
    std::vector<int> clients(static_cast<size_t>(state.range(0)));
    for (size_t i = 0; i < clients.size(); ++i)
        schedule.Add(&clients[i], static_cast<int64_t>(i % 7 == 0 ? 3 : 100), 0);
    uint32_t now = 0;
    int sent = 0;
    for (auto _ : state) {
        now += 16;
        schedule.Tick(now, now, [&sent](void*, uint32_t, intptr_t) { ++sent; });
    }
    benchmark::DoNotOptimize(sent);
}
BENCHMARK(BM_FlashTick)->Arg(2)->Arg(64);

BENCHMARK_MAIN();
