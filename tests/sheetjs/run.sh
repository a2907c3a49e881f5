#!/usr/bin/env bash
# Runs the SheetJS checks: installs SheetJS from the lock file when needed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
probe=$1
qordict=$2
work=$3
if [ ! -d "$here/node_modules/xlsx" ]; then
  (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
fi
exec node "$here/check.js" "$probe" "$qordict" "$work"
