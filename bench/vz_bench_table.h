#pragma once
// Runs the registered benchmarks and then prints each of our rows beside its
// peer (a Qt routine or a plain-loop bound) measured in the same run, with the
// ratio ours / peer. Header only: every benchmark program that compares with a
// peer includes it and calls RunWithPeers from its main.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

struct TBenchPeerRow {
    std::string Caption;
    std::string Ours; // benchmark names as Google Benchmark prints them
    std::string Peer;
};

class TBenchCollector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override {
        for (const Run& R : Runs) {
            const double nanos = R.GetAdjustedRealTime() * ToNanos(R.time_unit);
            if (R.run_type == Run::RT_Aggregate && R.aggregate_name == "median")
                Medians[R.run_name.str()] = nanos;
            else if (R.run_type == Run::RT_Iteration && R.iterations > 0)
                Nanos[R.benchmark_name()] = nanos;
        }
        ConsoleReporter::ReportRuns(Runs);
    }

    // Real time per iteration: the median of the repetitions when the run was
    // repeated (--benchmark_repetitions), else the one run's.
    double Time(const std::string& Name) const {
        const auto median = Medians.find(Name);
        if (median != Medians.end()) return median->second;
        const auto one = Nanos.find(Name);
        return one == Nanos.end() ? -1 : one->second;
    }

private:
    std::map<std::string, double> Nanos, Medians;

    static double ToNanos(benchmark::TimeUnit U) {
        switch (U) {
        case benchmark::kSecond:
            return 1e9;
        case benchmark::kMillisecond:
            return 1e6;
        case benchmark::kMicrosecond:
            return 1e3;
        default:
            return 1;
        }
    }
};

inline std::string BenchTimeText(double Nanos) {
    char buf[32];
    if (Nanos >= 1e6)
        std::snprintf(buf, sizeof buf, "%.2f ms", Nanos / 1e6);
    else if (Nanos >= 1e3)
        std::snprintf(buf, sizeof buf, "%.2f us", Nanos / 1e3);
    else
        std::snprintf(buf, sizeof buf, "%.0f ns", Nanos);
    return buf;
}

inline int RunWithPeers(int argc, char** argv, const std::vector<TBenchPeerRow>& Rows) {
    benchmark::Initialize(&argc, argv);
    TBenchCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    std::printf("\n%-52s %12s %12s %8s\n", "row", "ours", "peer", "ours/peer");
    for (const TBenchPeerRow& row : Rows) {
        const double ours = collector.Time(row.Ours);
        const double peer = collector.Time(row.Peer);
        if (ours <= 0 || peer <= 0) continue;
        std::printf("%-52s %12s %12s %8.2f\n", row.Caption.c_str(), BenchTimeText(ours).c_str(),
                    BenchTimeText(peer).c_str(), ours / peer);
    }
    benchmark::Shutdown();
    return 0;
}
