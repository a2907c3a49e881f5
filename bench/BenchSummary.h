#pragma once

// Benchmarks that are measured against a baseline register the pair here;
// the main of every bench_* program prints the time ratios of all registered
// pairs after the runs, with the target each must meet.
struct BenchComparison {
    const char* title;
    const char* subject;   // full benchmark name, e.g. "lookup/manager/hit"
    const char* baseline;  // full benchmark name of the reference
    double maximumRatio;   // subject time / baseline time must not exceed this
};

bool RegisterComparison(const BenchComparison& comparison);

#define QOR_BENCH_CONCAT_(a, b) a##b
#define QOR_BENCH_CONCAT(a, b) QOR_BENCH_CONCAT_(a, b)
#define QOR_BENCH_COMPARE(title, subject, baseline, maximumRatio)                  \
    static const bool QOR_BENCH_CONCAT(qorBenchComparison, __LINE__) =            \
        RegisterComparison(BenchComparison{title, subject, baseline, maximumRatio})
