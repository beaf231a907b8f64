// Checks the numbers embedded in a report page against the files of the
// run folders they came from: amplification factors, both histories,
// response spectra, the profile and the runs table, value by value (the page
// stores float32, so to a relative 1e-6; a file's non-number is NaN on the
// page).  Reads the page's data block itself, independently of the page's
// script.
//   node check_numbers.mjs PAGE.html BATCH_DIR
import fs from 'node:fs';
import path from 'node:path';

const [pagePath, batch] = process.argv.slice(2);
const html = fs.readFileSync(pagePath, 'utf8');
const m = html.match(/<script type="application\/json" id="sitekit-data">([\s\S]*?)<\/script>/);
if (!m) { console.log('FAIL: no data block'); process.exit(1); }
const data = JSON.parse(m[1]);
const failures = [];
let compared = 0;

function f32(b64) {
  const b = Buffer.from(b64, 'base64');
  const out = [];
  for (let i = 0; i + 4 <= b.length; i += 4) out.push(b.readFloatLE(i));
  return out;
}
// The CSV as numbers, the way a spreadsheet would read it: split at commas,
// a trailing comma ignored, anything that is not a number is NaN.
function csv(file) {
  const lines = fs.readFileSync(file, 'utf8').split(/\r?\n/).filter((l) => l.trim());
  const rows = lines.slice(1).map((l) => l.replace(/,\s*$/, '').split(',').map((x) => {
    const t = x.trim();
    return /^[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$/.test(t) ? Number(t) : NaN;
  }));
  return { head: lines[0], col: (j) => rows.map((r) => (j < r.length ? r[j] : NaN)) };
}
// float32 keeps 24 bits: a value read back is within 6e-8 of the file's.
function same(what, page, file) {
  if (page.length !== file.length) {
    failures.push(`${what}: ${page.length} values on the page, ${file.length} in the file`);
    return;
  }
  for (let i = 0; i < file.length; i++) {
    const a = page[i], b = file[i];
    compared++;
    const ok = Number.isNaN(b) ? Number.isNaN(a) : Math.abs(a - b) <= 6e-8 * Math.abs(b) + 1e-12;
    if (!ok) {
      failures.push(`${what}[${i}]: page ${a}, file ${b}`);
      return;
    }
  }
}

for (const run of data.runs) {
  const dir = path.join(batch, run.name);
  const has = (f) => fs.existsSync(path.join(dir, f)) && fs.statSync(path.join(dir, f)).size > 0;
  if (run.amp) {
    const t = csv(path.join(dir, 'Amp-Factors.csv'));
    same(`${run.name} Amp-Factors f`, f32(run.amp.f), t.col(0));
    run.amp.raw.forEach((c, j) => same(`${run.name} Amp-Factors ${c.name}`, f32(c.y), t.col(j + 1)));
  } else if (has('Amp-Factors.csv')) failures.push(`${run.name}: Amp-Factors.csv present but not on the page`);
  if (run.hist) {
    for (const [key, file] of [['input', 'input.csv'], ['surface', 'wave1.csv']]) {
      const h = run.hist[key];
      if (!h) continue;
      const t = csv(path.join(dir, file));
      const time = t.col(0);
      same(`${run.name} ${file} t0,dt`, [h.t0, h.t0 + h.dt], [time[0], time[1]]);
      h.ch.forEach((c, j) => same(`${run.name} ${file} ${c.name}`, f32(c.y), t.col(j + 1)));
    }
  }
  if (run.rs) {
    const t = csv(path.join(dir, 'RespSpec.csv'));
    const heads = t.head.split(',');
    same(`${run.name} RespSpec period`, f32(run.rs.T), t.col(0));
    for (const group of ['input', 'surface', 'ratio', 'other'])
      for (const c of run.rs[group]) same(`${run.name} RespSpec ${c.name}`, f32(c.y), t.col(heads.indexOf(c.name)));
  }
  if (run.profile) {
    const rows = fs.readFileSync(path.join(dir, 'soil.csv'), 'utf8').split('\n').slice(6).filter((l) => l.trim())
      .map((l) => l.split(',').map(Number));
    same(`${run.name} profile Vs`, run.profile.vs, rows.map((r) => r[5]));
    same(`${run.name} profile Vp`, run.profile.vp, rows.map((r) => r[2]));
    same(`${run.name} profile Qs`, run.profile.qs, rows.map((r) => r[6]));
    let depth = 0;
    same(`${run.name} profile tops`, run.profile.top, rows.map((r) => { const d = depth; depth += r[8]; return d; }));
  }
}
// One line of runs.csv: quoted fields may hold commas and doubled quotes.
function fields(line) {
  const out = [];
  const re = /("((?:[^"]|"")*)"|[^,]*)(,|$)/g;
  let m;
  while ((m = re.exec(line)) !== null) {
    out.push(m[2] !== undefined ? m[2].replace(/""/g, '"') : m[1]);
    if (m[3] === '') break;
  }
  return out;
}
if (data.kind === 'batch') {
  const lines = fs.readFileSync(path.join(batch, 'runs.csv'), 'utf8').split('\n').filter((l) => l.trim());
  if (data.table.rows.length !== lines.length - 1) failures.push(`runs table: ${data.table.rows.length} rows, file ${lines.length - 1}`);
  data.table.rows.forEach((r, i) => {
    const want = fields(lines[i + 1]);
    if (!want.every((w, j) => Number(w) === Number(r[j]) || w === r[j]))
      failures.push(`runs table row ${i}: ${JSON.stringify(r)} vs ${lines[i + 1]}`);
    compared += want.length;
  });
}
for (const f of failures) console.log('FAIL: ' + f);
console.log(`${path.basename(pagePath)}: ${compared} numbers compared, ${failures.length} mismatches`);
process.exit(failures.length ? 1 : 0);
