#!/usr/bin/env bash
# One run: the dictionary's export and import against SheetJS writing and
# reading the same workbook. Usage: run.sh PATH_TO_bench_sheets [WORDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bench=$1
words=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ ! -d "$here/../../tests/sheetjs/node_modules/xlsx" ]; then
  (cd "$here/../../tests/sheetjs" && npm ci --no-audit --no-fund --loglevel=error)
fi
qor=$("$bench" run "$words" "$work")
js=$(node "$here/sheetjs_bench.js" "$words" "$work")
node -e '
const q = JSON.parse(process.argv[1]), s = JSON.parse(process.argv[2]);
const row = (what, a, b) => console.log(`${what.padEnd(8)} ${a.toFixed(3).padStart(8)} s ${b.toFixed(3).padStart(8)} s   ${(a / b).toFixed(2)} of SheetJS`);
console.log(`${q.words} words x 4 languages      QorDictionary   SheetJS`);
row("export", q.export, s.write);
row("import", q.import, s.read);
console.log(`export peak memory above the dictionary: ${q.smallExportPeakKiB} KiB for ${q.smallWords} words, ${q.exportPeakKiB} KiB for ${q.words} words`);
console.log(`(import = read ${q.read.toFixed(3)} s + merge into the dictionary; SheetJS import = read to rows only)`);
' "$qor" "$js"
