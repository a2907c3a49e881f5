#!/bin/sh
# Builds the benchmarks in Release in build-bench/ and runs every bench_*
# program. Arguments go to each program, e.g.
#   bench/run-bench.sh --benchmark_filter=Lookup
# Files are written to /dev/shm unless QOR_BENCH_DIR names another folder.
# Each program ends with a summary of its comparisons and their targets. The
# script fails only when a program fails (a missed target is reported, not
# fatal: timings on a shared machine vary).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQOR_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target benchmarks

status=0
for program in "$build"/bin/bench_*; do
    [ -x "$program" ] || continue
    echo "== $(basename "$program")"
    "$program" "$@" || status=1
done
exit $status
