// Makes run folders for the report's tests from the bundled example with
// `sitekit run`, one record at a time, and the batch's runs.csv from their
// rows.
//
//   node make_runs.mjs SITEKIT EXAMPLES OUT NAME[:VS_FACTOR[:AMPLITUDE]] ...
//
// Each NAME becomes OUT/NAME; VS_FACTOR scales every velocity of the example
// profile (another site), AMPLITUDE the record.  The inputs are kept in the
// hidden folder OUT/.inputs.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

const [sitekit, examples, out, ...specs] = process.argv.slice(2).map((a, i) => (i < 3 ? path.resolve(a) : a));

function readRows(file) {
  const lines = fs.readFileSync(file, 'utf8').split(/\r?\n/).filter((l) => l.trim());
  return { head: lines[0], rows: lines.slice(1).map((l) => l.replace(/,\s*$/, '').split(',').map(Number)) };
}

function soilScaled(k) {
  const lines = fs.readFileSync(path.join(examples, 'soil.csv'), 'utf8').split('\n');
  return lines.map((l, i) => {
    if (i < 6 || !l.trim()) return l;
    const v = l.split(',');
    v[2] = (Number(v[2]) * k).toFixed(1);
    v[5] = (Number(v[5]) * k).toFixed(1);
    return v.join(',');
  }).join('\n');
}

// The fixture's response spectra: peak |u| of a damped oscillator under the
// ground acceleration a (Newmark, average acceleration), returned as the
// pseudo-acceleration w^2 * max|u|; 40 periods, 5 % damping; RotD50 over
// 3-degree steps.  Test data only, not the program's spectra.
fs.mkdirSync(path.join(out, '.inputs'), { recursive: true });
let table = null;
for (const spec of specs) {
  const [name, vsf, ampf] = spec.split(':');
  const k = Number(vsf || 1), amp = Number(ampf || 1);
  const wave = readRows(path.join(examples, 'wave.csv'));
  const record = path.join(out, '.inputs', name + '.csv');
  const soil = path.join(out, '.inputs', name + '.soil');
  fs.writeFileSync(record, [wave.head].concat(wave.rows.map((r) =>
    [r[0].toFixed(2), ...r.slice(1).map((x) => (x * amp).toPrecision(7))].join(','))).join('\n') + '\n');
  fs.writeFileSync(soil, soilScaled(k));
  execFileSync(sitekit, ['run', '--soil', soil, '--band', '0.1,0.2,20,25', '--out', out, '-j', '1', record],
               { stdio: ['ignore', 'ignore', 'inherit'] });
  const rows = fs.readFileSync(path.join(out, 'runs.csv'), 'utf8').split('\n').filter((l) => l);
  table = (table || [rows[0]]).concat(rows.slice(1));
}
fs.writeFileSync(path.join(out, 'runs.csv'), table.join('\n') + '\n');
