// The main of the bench_* programs: Google Benchmark's usual console output,
// then a summary of the registered comparisons. The exit code is 1 when a
// comparison misses its target, so scripts notice.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "BenchSummary.h"

namespace {

std::vector<BenchComparison>& Comparisons() {
    static std::vector<BenchComparison> comparisons;
    return comparisons;
}

// Keeps the real time per iteration, in seconds, of every finished benchmark
// (the median when repetitions are asked for).
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            // Function name and arguments only: options such as min_time do not
            // change which benchmark it is.
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
            if (median || !m_fromMedian.count(name)) {
                m_seconds[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
                if (median) m_fromMedian[name] = true;
            }
        }
    }

    // Returns false when a comparison that could be measured missed its target.
    bool PrintSummary() const {
        if (Comparisons().empty()) return true;
        bool allMet = true;
        std::printf("\nSummary (real time per operation, subject / baseline):\n");
        for (const BenchComparison& c : Comparisons()) {
            auto subject = m_seconds.find(c.subject), baseline = m_seconds.find(c.baseline);
            if (subject == m_seconds.end() || baseline == m_seconds.end() || baseline->second <= 0) {
                std::printf("  %-44s not measured in this run\n", c.title);
                continue;
            }
            double ratio = subject->second / baseline->second;
            bool met = ratio <= c.maximumRatio;
            allMet = allMet && met;
            std::printf("  %-44s %10s / %-10s = %6.3fx  (target <= %gx: %s)\n", c.title,
                        Human(subject->second).c_str(), Human(baseline->second).c_str(), ratio, c.maximumRatio,
                        met ? "met" : "MISSED");
        }
        return allMet;
    }

private:
    static std::string Human(double seconds) {
        char text[32];
        if (seconds >= 1) std::snprintf(text, sizeof text, "%.3f s", seconds);
        else if (seconds >= 1e-3) std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
        else if (seconds >= 1e-6) std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
        else std::snprintf(text, sizeof text, "%.1f ns", seconds * 1e9);
        return text;
    }

    std::map<std::string, double> m_seconds;
    std::map<std::string, bool> m_fromMedian;
};

}  // namespace

bool RegisterComparison(const BenchComparison& comparison) {
    Comparisons().push_back(comparison);
    return true;
}

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.PrintSummary() ? 0 : 1;
}
