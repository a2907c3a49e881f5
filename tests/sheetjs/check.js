// Workbooks written by SheetJS must read as the data SheetJS was given, and
// the dictionary's exports must read in SheetJS as exactly the texts exported.
// Usage: node check.js PATH_TO_sheet_probe PATH_TO_qordict WORK_FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const XLSX = require('xlsx');

const [probe, qordict, work] = process.argv.slice(2);
fs.mkdirSync(work, { recursive: true });
let passed = 0;
let failed = 0;

function check(name, condition, detail) {
  if (condition) {
    passed++;
  } else {
    failed++;
    console.log(`FAIL ${name}${detail ? ': ' + detail : ''}`);
  }
}

function dump(file) {
  return JSON.parse(execFileSync(probe, ['dump', file], { encoding: 'utf8', maxBuffer: 1 << 28 }));
}

// The reader's text of a number: C's "%.15G".
function g15(x) {
  if (x === 0) return '0';
  const exponent = Number(x.toExponential(14).split('e')[1]);
  const strip = (s) => (s.includes('.') ? s.replace(/0+$/, '').replace(/\.$/, '') : s);
  if (exponent < -4 || exponent >= 15) {
    const [mantissa] = x.toExponential(14).split('e');
    const digits = String(Math.abs(exponent)).padStart(2, '0');
    return `${strip(mantissa)}E${exponent < 0 ? '-' : '+'}${digits}`;
  }
  return strip(x.toFixed(Math.max(0, 14 - exponent)));
}

// SheetJS writes a text such as "_x0041_" without protecting it, so by the
// format (and for Excel) it stands for "A".
const escapes = /_x([0-9A-Fa-f]{4})_/g;
const unescape = (text) => text.replace(escapes, (_, hex) => String.fromCharCode(parseInt(hex, 16)));

function expectedText(value) {
  if (value === undefined || value === null) return '';
  if (typeof value === 'string') return unescape(value);
  if (typeof value === 'boolean') return value ? 'True' : 'False';
  if (typeof value === 'number') return g15(value);
  return String(value);
}

// 1. Workbooks SheetJS writes, with and without a shared string table.
const sheets = {
  Texts: [
    ['Update', 'Original', 'Deutsch'],
    ['x', 'Open', 'Öffnen'],
    ['y', 'two\nlines', '  spaced  '],
    ['z', '中文 😀', '<&>"\''],
    ['', '_x0041_', 'tab\there'],
  ],
  Values: [
    [42, 0.1, 1e20, -2.5, 1.5e-5, 123456789012345680, 1 / 3, 1e15, 99999999999999.9],
    [true, false, 'TRUE', '0042', -0, 45000.25, 1e-300, 2 ** 53, 0.0001],
  ],
  Sparse: [['a', undefined, 'c'], [], [undefined, undefined, undefined, 'far'], ['last']],
};
for (const bookSST of [false, true]) {
  const book = XLSX.utils.book_new();
  for (const [name, rows] of Object.entries(sheets)) XLSX.utils.book_append_sheet(book, XLSX.utils.aoa_to_sheet(rows), name);
  const file = path.join(work, `sheetjs-${bookSST ? 'sst' : 'inline'}.xlsx`);
  XLSX.writeFile(book, file, { bookSST, compression: true });
  const read = dump(file);
  check(`${file} sheet order`, read.map((s) => s.name).join() === Object.keys(sheets).join(), JSON.stringify(read.map((s) => s.name)));
  for (const sheet of read) {
    const rows = sheets[sheet.name] || [];
    const want = new Map();
    rows.forEach((row, r) => row.forEach((value, c) => value !== undefined && want.set(`${r},${c}`, expectedText(value))));
    const got = new Map(sheet.cells.map(([r, c, text]) => [`${r},${c}`, text]));
    for (const [key, text] of want) check(`${file} ${sheet.name} ${key}`, got.get(key) === text, `${JSON.stringify(got.get(key))} != ${JSON.stringify(text)}`);
    for (const key of got.keys()) check(`${file} ${sheet.name} no extra cell ${key}`, want.has(key));
    const ref = XLSX.utils.decode_range(XLSX.utils.aoa_to_sheet(rows)['!ref']);
    check(`${file} ${sheet.name} used rows`, sheet.rows === ref.e.r + 1, `${sheet.rows}`);
  }
}

// 2. CSV that SheetJS writes.
{
  const file = path.join(work, 'sheetjs.csv');
  XLSX.writeFile({ SheetNames: ['x'], Sheets: { x: XLSX.utils.aoa_to_sheet(sheets.Texts) } }, file, { bookType: 'csv' });
  const [sheet] = dump(file);
  sheets.Texts.forEach((row, r) => row.forEach((value, c) => {
    const cell = sheet.cells.find(([rr, cc]) => rr === r && cc === c);
    check(`csv ${r},${c}`, (cell ? cell[2] : '') === value, JSON.stringify(cell));
  }));
}

// 3. The dictionary's exports as SheetJS reads them: every cell exactly the text.
for (const ext of ['xlsx', 'csv']) {
  const file = path.join(work, `export.${ext}`);
  const expected = JSON.parse(execFileSync(probe, ['export', file], { encoding: 'utf8' }));
  const book = ext === 'csv' ? XLSX.read(fs.readFileSync(file, 'utf8').replace(/^\uFEFF/, ''), { type: 'string', raw: true })
                             : XLSX.readFile(file);
  check(`${ext} sheet name`, ext === 'csv' || book.SheetNames.join() === 'Sheet1', book.SheetNames.join());
  const ws = book.Sheets[book.SheetNames[0]];
  const range = XLSX.utils.decode_range(ws['!ref']);
  check(`${ext} range`, range.e.r + 1 === expected.length && range.e.c + 1 === expected[0].length, ws['!ref']);
  expected.forEach((row, r) => row.forEach((text, c) => {
    const cell = ws[XLSX.utils.encode_cell({ r, c })];
    if (text === '') {
      check(`${ext} ${r},${c} empty`, !cell || cell.v === undefined || cell.v === '', JSON.stringify(cell));
    } else {
      // SheetJS's CSV parser turns a CR LF inside a quoted field into LF.
      if (ext === 'csv') text = text.replace(/\r\n/g, '\n');
      check(`${ext} ${r},${c} text`, cell && cell.t === 's' && cell.v === text, `${JSON.stringify(cell && cell.v)} != ${JSON.stringify(text)}`);
    }
  }));

  // 4. SheetJS writes it again; the dictionary's reader sees the same texts.
  if (ext === 'xlsx') {
    const again = path.join(work, 'export-sheetjs.xlsx');
    XLSX.writeFile(book, again, { bookSST: true });
    const [sheet] = dump(again);
    expected.forEach((row, r) => row.forEach((text, c) => {
      const cell = sheet.cells.find(([rr, cc]) => rr === r && cc === c);
      check(`rewritten ${r},${c}`, (cell ? cell[2] : '') === unescape(text), `${JSON.stringify(cell)} != ${JSON.stringify(text)}`);
    }));
  }
}

// 5. The command line: export, a change made with SheetJS, import.
{
  const dict = path.join(work, 'cli.qor');
  const expected = JSON.parse(execFileSync(probe, ['export', path.join(work, 'unused.xlsx'), dict], { encoding: 'utf8' }));
  const out = path.join(work, 'cli.xlsx');
  execFileSync(qordict, ['export', dict, out]);
  const book = XLSX.readFile(out);
  const ws = book.Sheets.Sheet1;
  check('cli export first word', ws.B2 && ws.B2.v === expected[1][1] && ws.C2.v === expected[1][2], JSON.stringify(ws.B2));
  // Edit as a user would: change a translation (with the *** marker), add a word.
  // (Rows whose text SheetJS would write unprotected are left out.)
  const rows = XLSX.utils.sheet_to_json(ws, { header: 1, defval: '' }).filter((row) => !row.some((t) => /_x[0-9A-Fa-f]{4}_/.test(t)));
  rows[1][2] = 'Geändert***';
  // Missing translations come back as empty entries.
  const empties = rows.slice(1).reduce((n, row) => n + row.slice(2).filter((t) => t === '').length, 0);
  rows.push(['', 'Brand new word', 'Neu', '新', 'Nouveau', '新词']);
  const edited = path.join(work, 'cli-edited.xlsx');
  XLSX.writeFile({ SheetNames: ['Edited'], Sheets: { Edited: XLSX.utils.aoa_to_sheet(rows) } }, edited);
  const report = execFileSync(qordict, ['import', dict, edited], { encoding: 'utf8' });
  check('cli import report', report.includes(`sheet 'Edited': 1 word added, ${4 + empties} translations added, 1 translation changed`), report);
  const again = path.join(work, 'cli-again.csv');
  execFileSync(qordict, ['export', dict, again]);
  const [sheet] = dump(again);
  const text = (r, c) => (sheet.cells.find(([rr, cc]) => rr === r && cc === c) || [0, 0, ''])[2];
  check('cli changed translation', text(1, 2) === 'Geändert', text(1, 2));
  check('cli new word', text(expected.length, 1) === 'Brand new word' && text(expected.length, 5) === '新词', text(expected.length, 1));
  check('cli other rows kept', text(2, 3) === expected[2][3], text(2, 3));
}

console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
