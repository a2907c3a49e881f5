#!/usr/bin/env bash
# Configures and builds one flavour into build-FLAVOUR/ at the top of the tree:
#   native   Linux, Debug        windows  MinGW-w64 DLL and programs, Release
#   asan     Linux, Debug with AddressSanitizer and UndefinedBehaviorSanitizer
#   tsan     Linux, Debug with ThreadSanitizer: only the unit tests, for their threaded cases
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:?usage: build.sh native|windows|asan|tsan}
targets=()
shift || true
case "$flavour" in
  native)  options=(-DCMAKE_BUILD_TYPE=Debug) ;;
  windows) options=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake") ;;
  asan)    options=(-DCMAKE_BUILD_TYPE=Debug -DQOR_SANITIZE=ON) ;;
  tsan)    options=(-DCMAKE_BUILD_TYPE=Debug -DQOR_SANITIZE_THREAD=ON); targets=(--target unit_tests) ;;
  *) echo "unknown flavour $flavour" >&2; exit 2 ;;
esac
cmake -S "$top" -B "$top/build-$flavour" -G Ninja "${options[@]}" "$@" >/dev/null
cmake --build "$top/build-$flavour" -j "$(nproc)" "${targets[@]}"
