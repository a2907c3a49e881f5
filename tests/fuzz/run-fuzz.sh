#!/bin/sh
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each fuzz_*
# program for its time budget. Fails when any of them finds a crash, a leak,
# a hang or runaway memory use; the input that caused it is kept in
# build-fuzz/artifacts/<target>/.
#
#   tests/fuzz/run-fuzz.sh [target...]      all fuzz_* targets when none named
#
# Time per target in seconds: FUZZ_SECONDS (default 60; 20 for the catalogue
# readers fuzz_po and fuzz_xliff), or for one target FUZZ_SECONDS_<NAME>,
# e.g. FUZZ_SECONDS_LOAD=300 for fuzz_load.
# New inputs go to build-fuzz/corpus/<target>/; the committed seeds in
# tests/fuzz/<name>_corpus/ are only read.
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQOR_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target fuzzers

if [ $# -eq 0 ]; then
    set -- $(cd "$build/bin" && ls fuzz_* 2>/dev/null || true)
fi
[ $# -gt 0 ] || { echo "run-fuzz: no fuzz targets built" >&2; exit 1; }

failed=""
for target in "$@"; do
    name=${target#fuzz_}
    case $name in po|xliff) fallback=20 ;; *) fallback=60 ;; esac
    budget=$(eval "echo \${FUZZ_SECONDS_$(echo "$name" | tr '[:lower:]' '[:upper:]'):-\${FUZZ_SECONDS:-$fallback}}")
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    seeds="$root/tests/fuzz/${name}_corpus"
    [ -d "$seeds" ] || seeds=""
    dict="$root/tests/fuzz/$name.dict"
    [ -f "$dict" ] && dict="-dict=$dict" || dict=""

    echo "== $target: $budget s"
    # -timeout catches hangs, -rss_limit_mb runaway allocations; leaks are
    # reported by LeakSanitizer at the end of each input.
    if "$build/bin/$target" -max_total_time="$budget" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" $dict "$corpus" $seeds; then
        echo "== $target: no failure"
    else
        echo "== $target: FAILED (see $artifacts/)" >&2
        failed="$failed $target"
    fi
done

if [ -n "$failed" ]; then
    echo "run-fuzz: failures in:$failed" >&2
    exit 1
fi
