// Makes run folders for the report's tests from the bundled example with
// `sitekit run`, one record at a time, and the batch's runs.csv from their
// rows.  Where the run wrote no RespSpec.csv, a fixture one is added (see
// respSpec below), so that every section of the page has data.
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
function psa(a, dt, T, zeta, trace) {
  const w = 2 * Math.PI / T;
  const c = 2 * zeta * w, k = w * w;
  const kk = k + 2 * c / dt + 4 / (dt * dt);
  let u = 0, v = 0, acc = -a[0], peak = 0;
  for (let i = 1; i < a.length; i++) {
    const p = -a[i] + (4 / (dt * dt)) * u + (4 / dt) * v + acc + c * ((2 / dt) * u + v);
    const un = p / kk;
    const vn = (2 / dt) * (un - u) - v;
    acc = (4 / (dt * dt)) * (un - u) - (4 / dt) * v - acc;
    u = un;
    v = vn;
    if (trace) trace[i] = u;
    peak = Math.max(peak, Math.abs(u));
  }
  return k * peak;
}

function rotd50(h1, h2, dt, T) {
  const u1 = new Float64Array(h1.length), u2 = new Float64Array(h2.length);
  psa(h1, dt, T, 0.05, u1);
  psa(h2, dt, T, 0.05, u2);
  const peaks = [];
  for (let deg = 0; deg < 180; deg += 3) {
    const c = Math.cos(deg * Math.PI / 180), s = Math.sin(deg * Math.PI / 180);
    let p = 0;
    for (let i = 0; i < u1.length; i++) p = Math.max(p, Math.abs(c * u1[i] + s * u2[i]));
    peaks.push(p);
  }
  peaks.sort((x, y) => x - y);
  const w = 2 * Math.PI / T;
  return w * w * (peaks[29] + peaks[30]) / 2;
}

function respSpec(dir) {
  const inp = readRows(path.join(dir, 'input.csv')).rows;
  const sur = readRows(path.join(dir, 'wave1.csv')).rows;
  const dt = inp[1][0] - inp[0][0];
  const col = (rows, j) => rows.map((r) => r[j]);
  const ins = [1, 2, 3].map((j) => col(inp, j));
  const outs = [1, 2, 3].map((j) => col(sur, j));
  const periods = [0];
  for (let i = 0; i < 40; i++) periods.push(0.02 * Math.pow(10, i * 3 / 39));
  const head = ['period_s', 'PSA_input_H1_5', 'PSA_input_H2_5', 'PSA_input_V1_5', 'RotD50_input_5',
    'PSA_surface_H1_5', 'PSA_surface_H2_5', 'PSA_surface_V1_5', 'RotD50_surface_5',
    'ratio_H1_5', 'ratio_H2_5', 'ratio_V1_5', 'ratio_RotD50_5'];
  const lines = [head.join(',')];
  for (const T of periods) {
    const peak = (x) => x.reduce((m, y) => Math.max(m, Math.abs(y)), 0);
    const a = T === 0 ? ins.map(peak) : ins.map((x) => psa(x, dt, T, 0.05));
    const b = T === 0 ? outs.map(peak) : outs.map((x) => psa(x, dt, T, 0.05));
    a.push(T === 0 ? Math.max(a[0], a[1]) : rotd50(ins[0], ins[1], dt, T));
    b.push(T === 0 ? Math.max(b[0], b[1]) : rotd50(outs[0], outs[1], dt, T));
    const r = b.map((x, i) => x / a[i]);
    lines.push([T, ...a, ...b, ...r].map((x) => x.toPrecision(7)).join(','));
  }
  fs.writeFileSync(path.join(dir, 'RespSpec.csv'), lines.join('\n') + '\n');
}

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
  const dir = path.join(out, name);
  if (!fs.existsSync(path.join(dir, 'RespSpec.csv'))) respSpec(dir);
  const rows = fs.readFileSync(path.join(out, 'runs.csv'), 'utf8').split('\n').filter((l) => l);
  table = (table || [rows[0]]).concat(rows.slice(1));
}
fs.writeFileSync(path.join(out, 'runs.csv'), table.join('\n') + '\n');
