// The main of the bench_* programs: Google Benchmark's usual console output,
// then a summary of the registered comparisons against their targets. A
// missed target is reported, not turned into a failing exit code: timings on
// a shared machine vary too much for that.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include "BenchSummary.h"

namespace {

std::vector<BenchComparison>& Comparisons() {
    static std::vector<BenchComparison> comparisons;
    return comparisons;
}

// Keeps the real and CPU time per iteration, in seconds, of every finished
// benchmark (the median when repetitions are asked for).
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that logs stay readable.
    SummaryReporter() : ConsoleReporter(::isatty(1) ? OO_ColorTabular : OO_Tabular) {}

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
            if (median || !m_medians.count(name)) {
                double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
                m_times[name] = {run.GetAdjustedRealTime() / unit, run.GetAdjustedCPUTime() / unit};
                if (median) m_medians.insert(name);
            }
        }
    }

    void PrintSummary() const {
        if (Comparisons().empty()) return;
        // The target applies to real time; the CPU-time ratio shows how much a
        // busy machine distorted it.
        std::printf("\nSummary, time per operation, subject / baseline:\n");
        for (const BenchComparison& c : Comparisons()) {
            auto subject = m_times.find(c.subject), baseline = m_times.find(c.baseline);
            if (subject == m_times.end() || baseline == m_times.end() || baseline->second.real <= 0 ||
                baseline->second.cpu <= 0) {
                std::printf("  %-36s not measured in this run\n", c.title);
                continue;
            }
            double ratio = subject->second.real / baseline->second.real;
            double cpuRatio = subject->second.cpu / baseline->second.cpu;
            bool met = ratio <= c.maximumRatio;
            std::printf("  %-36s %9s / %-9s = %7.3fx real, %7.3fx CPU  (target <= %gx: %s)\n", c.title,
                        Human(subject->second.real).c_str(), Human(baseline->second.real).c_str(), ratio, cpuRatio,
                        c.maximumRatio, met ? "met" : "MISSED");
        }
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

    struct Times {
        double real, cpu;
    };
    std::map<std::string, Times> m_times;
    std::set<std::string> m_medians;
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
    reporter.PrintSummary();
    return 0;
}
