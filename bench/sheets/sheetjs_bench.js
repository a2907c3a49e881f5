// SheetJS writing and reading the same workbook as the dictionary's export:
// node sheetjs_bench.js WORDS FOLDER (FOLDER/qor.xlsx is the dictionary's).
'use strict';
const path = require('path');
const XLSX = require(path.join(__dirname, '../../tests/sheetjs/node_modules/xlsx'));

const [words, folder] = [Number(process.argv[2]), process.argv[3]];
const suffix = [' (Deutsch)', ' (français)', ' (日本語)', ' (中文)'];
const rows = [['更新时间', '原始字符串', 'Deutsch', 'français', '日本語', '中文']];
for (let i = 0; i < words; i++) {
  const row = ['2026-12-05 17:00:00', `Parameter ${i}: motor speed limit ${i % 97}`];
  for (const s of suffix) row.push(`Übersetzung ${i}${s}`);
  rows.push(row);
}

function time(fn) {
  const start = process.hrtime.bigint();
  fn();
  return Number(process.hrtime.bigint() - start) / 1e9;
}

const result = { words };
result.write = time(() => {
  const book = XLSX.utils.book_new();
  XLSX.utils.book_append_sheet(book, XLSX.utils.aoa_to_sheet(rows), 'Sheet1');
  XLSX.writeFile(book, path.join(folder, 'sheetjs.xlsx'), { compression: true });
});
let read = 0;
result.read = time(() => {
  const book = XLSX.readFile(path.join(folder, 'qor.xlsx'));
  read = XLSX.utils.sheet_to_json(book.Sheets[book.SheetNames[0]], { header: 1 }).length;
});
if (read !== words + 1) throw new Error(`SheetJS read ${read} rows`);
console.log(JSON.stringify(result));
