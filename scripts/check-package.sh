#!/usr/bin/env bash
# Installs build-FLAVOUR/ (made by scripts/build.sh) into a fresh prefix inside
# it, then configures, builds and runs tests/consumer against that prefix only.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:?usage: check-package.sh native|windows}
build=$top/build-$flavour
case "$flavour" in
  native)
    toolchain=()
    expected=(lib/libQorDictionary.a)
    ;;
  windows)
    toolchain=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake"
               # The toolchain searches packages only under its root paths;
               # a staging prefix is searched as it is.
               -DCMAKE_STAGING_PREFIX="$build/package-check/prefix")
    expected=(bin/QorDictionary.dll lib/libQorDictionary.dll.a)
    ;;
  *) echo "unknown flavour $flavour" >&2; exit 2 ;;
esac
[ -f "$build/CMakeCache.txt" ] || { echo "no $build: run scripts/build.sh $flavour first" >&2; exit 1; }

work=$build/package-check
prefix=$work/prefix
rm -rf "$work"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in "${expected[@]}" lib/cmake/QorDictionary/QorDictionaryConfig.cmake \
            lib/cmake/QorDictionary/QorDictionaryConfigVersion.cmake include/model/QorDictionaryManager.h; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done

cmake -S "$top/tests/consumer" -B "$work/consumer" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_PREFIX_PATH="$prefix" "${toolchain[@]}" >/dev/null
cmake --build "$work/consumer" -j 2

cd "$work/consumer"
status=0
if [ "$flavour" = windows ]; then
  # The build's own Wine prefix, ready once its tests have run.
  WINEPREFIX=${WINEPREFIX:-$build/wineprefix} "$top/cmake/wine-run.sh" ./consumer.exe || status=$?
else
  ./consumer || status=$?
fi
[ "$status" -eq 0 ] || { echo "the consumer failed with exit status $status" >&2; exit 1; }
