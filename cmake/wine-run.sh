#!/usr/bin/env bash
# Runs a Windows program under headless Wine with a prefix inside the build
# tree (the folder above the program's bin/), created on first use.
set -euo pipefail
program=$1
shift
bin_dir=$(cd "$(dirname "$program")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$(dirname "$bin_dir")/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.qor-ready" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  # The null graphics driver runs windows and dialogs without a display.
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wineserver -w || true
  touch "$WINEPREFIX/.qor-ready"
fi
exec wine "$bin_dir/$(basename "$program")" "$@"
