#!/bin/sh
# Builds the benchmarks natively in Release in build-bench/ and runs every
# bench_* program: bench_<name> through bench/<name>/run.sh when that folder
# has one (given the program's path), else directly with this script's
# arguments, e.g.
#   bench/run-bench.sh --benchmark_filter=Lookup
# Files are written to /dev/shm unless QOR_BENCH_DIR names another folder.
# Google Benchmark programs end with a summary of their comparisons and
# targets. The script fails only when a program fails (a missed target is
# reported, not fatal: timings on a shared machine vary).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQOR_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target benchmarks

status=0
for program in "$build"/bin/bench_*; do
    [ -x "$program" ] || continue
    name=${program##*/bench_}
    echo "== bench_$name"
    if [ -x "$root/bench/$name/run.sh" ]; then
        "$root/bench/$name/run.sh" "$program" || status=1
    else
        "$program" "$@" || status=1
    fi
done
exit $status
