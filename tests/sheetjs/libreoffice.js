// LibreOffice opens the dictionary's export and saves it again as .xlsx and
// as CSV: both must hold exactly the texts exported. LibreOffice keeps line
// breaks inside a cell as LF only, so a CR LF is compared as LF.
// Usage: node libreoffice.js PATH_TO_sheet_probe PATH_TO_soffice WORK_FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');

const [probe, soffice, work] = process.argv.slice(2);
fs.mkdirSync(path.join(work, 'lo'), { recursive: true });
const source = path.join(work, 'lo-export.xlsx');
const expected = JSON.parse(execFileSync(probe, ['export', source], { encoding: 'utf8' }));
const profile = `file://${path.resolve(work, 'lo-profile')}`;
let passed = 0;
let failed = 0;
for (const [format, file] of [['xlsx', 'lo-export.xlsx'], ['csv:Text - txt - csv (StarCalc):44,34,76,1', 'lo-export.csv']]) {
  execFileSync(soffice, [`-env:UserInstallation=${profile}`, '--headless', '--convert-to', format, '--outdir',
    path.join(work, 'lo'), source], { stdio: 'ignore', timeout: 240000 });
  const [sheet] = JSON.parse(execFileSync(probe, ['dump', path.join(work, 'lo', file)], { encoding: 'utf8' }));
  expected.forEach((row, r) => row.forEach((text, c) => {
    const cell = sheet.cells.find(([rr, cc]) => rr === r && cc === c);
    const got = cell ? cell[2] : '';
    if (got === text.replace(/\r\n/g, '\n')) {
      passed++;
    } else {
      failed++;
      console.log(`FAIL ${file} ${r},${c}: ${JSON.stringify(got)} != ${JSON.stringify(text)}`);
    }
  }));
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
