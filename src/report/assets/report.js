// The report page's own script: builds every chart and table from the data
// block that `sitekit report` embedded (id "sitekit-data") with uPlot.
// Text from the data only ever goes into the page as text (textContent),
// never as markup, so a record name that looks like a script element stays
// a name.
(function () {
  'use strict';

  const state = { charts: [], errors: [], ready: false, views: [], show: null };
  window.sitekitReport = state;
  window.addEventListener('error', (e) => state.errors.push(String(e.message)));

  // --- small helpers ------------------------------------------------------
  function el(tag, cls, text) {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined && text !== null) e.textContent = String(text);
    return e;
  }
  // Appends the kids to parent; returns the last one.
  function add(parent, ...kids) {
    let last = null;
    for (const k of kids) if (k) last = parent.appendChild(k);
    return last;
  }
  // base64 of little-endian float32 back into numbers.
  function f32(b64) {
    if (typeof b64 !== 'string') return new Float32Array(0);
    const bin = atob(b64);
    const bytes = new Uint8Array(bin.length);
    for (let i = 0; i < bin.length; i++) bytes[i] = bin.charCodeAt(i);
    return new Float32Array(bytes.buffer, 0, bytes.length >> 2);
  }
  // A plain array for uPlot: NaN (and, on a log axis, values <= 0) become
  // null, which uPlot leaves as a gap.
  function arr(v, positive) {
    const out = new Array(v.length);
    for (let i = 0; i < v.length; i++) {
      const x = v[i];
      out[i] = Number.isFinite(x) && (!positive || x > 0) ? x : null;
    }
    return out;
  }
  // Rows of (x, ys...) whose x is finite and positive: a logarithmic x axis
  // has no place for the others (the zero-frequency row, the zero period).
  function logRows(x, ys, positiveY) {
    const keep = [];
    for (let i = 0; i < x.length; i++) if (Number.isFinite(x[i]) && x[i] > 0) keep.push(i);
    const pick = (v) => { const o = new Array(keep.length); keep.forEach((k, j) => { o[j] = v[k]; }); return o; };
    return [keep.map((k) => x[k])].concat(ys.map((y) => pick(arr(y, positiveY))));
  }
  // A logarithmic range out to whole decades; a fixed one when there is
  // nothing positive to show (uPlot's log axis needs 0 < min < max).
  function decades(lo, hi) {
    if (!(hi > 0) || !Number.isFinite(hi)) return [1, 10];
    const l = lo > 0 && lo < hi ? lo : hi / 10;
    return [Math.pow(10, Math.floor(Math.log10(l))), Math.pow(10, Math.ceil(Math.log10(hi) + 1e-9))];
  }
  function fmt(x, digits) {
    if (x === null || x === undefined || !Number.isFinite(x)) return '—';
    const a = Math.abs(x);
    if (a !== 0 && (a < 1e-3 || a >= 1e5)) return x.toExponential((digits || 4) - 1);
    return String(Number(x.toPrecision(digits || 4)));
  }
  const colours = ['#1f5fbf', '#d9661f', '#2e9d4a', '#8e44ad', '#b8860b', '#c0392b'];
  function colour(i) { return colours[i % colours.length]; }
  function fade(hex, alpha) {
    const n = parseInt(hex.slice(1), 16);
    return 'rgba(' + (n >> 16) + ',' + ((n >> 8) & 255) + ',' + (n & 255) + ',' + alpha + ')';
  }

  // --- charts ------------------------------------------------------------
  // Mouse wheel zooms the x axis about the cursor; shift-drag pans it;
  // plain drag selects a range to zoom into (uPlot's own); double click
  // or the Reset button goes back to the whole range.
  function wheelPan() {
    return {
      hooks: {
        ready(u) {
          const over = u.over;
          over.addEventListener('wheel', (e) => {
            e.preventDefault();
            const sc = u.scales.x;
            const log = sc.distr === 3;
            const tr = (v) => (log ? Math.log10(v) : v);
            const inv = (v) => (log ? Math.pow(10, v) : v);
            const left = u.cursor.left >= 0 ? u.cursor.left : over.clientWidth / 2;
            const at = tr(u.posToVal(left, 'x'));
            const k = e.deltaY < 0 ? 0.8 : 1.25;
            const lo = at - (at - tr(sc.min)) * k;
            const hi = at + (tr(sc.max) - at) * k;
            u.setScale('x', { min: inv(lo), max: inv(hi) });
          }, { passive: false });
          u.root.addEventListener('mousedown', (e) => {
            if (!e.shiftKey || !over.contains(e.target)) return;
            e.stopPropagation();
            e.preventDefault();
            const sc = u.scales.x;
            const log = sc.distr === 3;
            const tr = (v) => (log ? Math.log10(v) : v);
            const inv = (v) => (log ? Math.pow(10, v) : v);
            const x0 = e.clientX, lo0 = tr(sc.min), hi0 = tr(sc.max);
            const per = (hi0 - lo0) / over.clientWidth;
            const move = (m) => {
              const d = (m.clientX - x0) * per;
              u.setScale('x', { min: inv(lo0 - d), max: inv(hi0 - d) });
            };
            const up = () => {
              document.removeEventListener('mousemove', move);
              document.removeEventListener('mouseup', up);
            };
            document.addEventListener('mousemove', move);
            document.addEventListener('mouseup', up);
          }, true);
        },
      },
    };
  }

  // Charts of one group keep one x range (zoom one, the others follow).
  function syncX(group) {
    return {
      hooks: {
        setScale(u, key) {
          if (key !== 'x' || !group || group.busy) return;
          group.busy = true;
          for (const o of group.charts)
            if (o !== u) o.setScale('x', { min: u.scales.x.min, max: u.scales.x.max });
          group.busy = false;
        },
      },
    };
  }

  // A chart in `box`: opts as uPlot takes them, plus a title, a Reset
  // button and the plugins above.
  function chart(box, title, opts, data, group) {
    const wrap = add(box, el('div', 'chart'));
    const bar = add(wrap, el('div', 'chart-bar'));
    add(bar, el('span', 'chart-title', title));
    const reset = add(bar, el('button', 'reset', 'Reset zoom'));
    const host = add(wrap, el('div', 'chart-host'));
    const width = Math.max(320, (box.clientWidth || 900) - 8);
    const o = Object.assign({ width: width, height: opts.height || 280 }, opts);
    o.plugins = [wheelPan(), syncX(group)].concat(opts.plugins || []);
    o.cursor = Object.assign({ drag: { x: true, y: false } }, opts.cursor || {});
    o.legend = Object.assign({ live: true }, opts.legend || {});
    const u = new uPlot(o, data, host);
    const full = {};
    for (const k of Object.keys(u.scales)) full[k] = { min: u.scales[k].min, max: u.scales[k].max };
    reset.addEventListener('click', () => {
      if (group) { for (const c of group.charts) c.setScale('x', full.x); } else u.setScale('x', full.x);
    });
    u.title = title;
    if (group) group.charts.push(u);
    state.charts.push(u);
    return u;
  }

  const logX = { x: { distr: 3, log: 10, time: false } };
  function axes(xlabel, ylabel, logy) {
    return [
      { label: xlabel, space: 60 },
      { label: ylabel, size: 70, values: logy ? (u, v) => v.map((x) => fmt(x, 3)) : undefined },
    ];
  }

  // Gaps rather than lines across NaN.
  function line(label, stroke, width, dash) {
    const s = { label: label, stroke: stroke, width: width || 1.5, spanGaps: false,
                value: (u, v) => fmt(v, 4), points: { show: false } };
    if (dash) s.dash = dash;
    return s;
  }

  // --- sections ----------------------------------------------------------
  function section(parent, title, files, run) {
    const s = add(parent, el('section', 'sec'));
    add(s, el('h2', null, title));
    const sub = run ? el('p', 'sec-run', 'Record ' + run.name) : null;
    add(s, sub);
    if (files && run) {
      const related = (run.notes || []).filter((n) => files.some((f) => n.indexOf(f) === 0));
      if (related.length) {
        const box = add(s, el('div', 'missing'));
        for (const n of related) add(box, el('div', null, n));
      }
    }
    return s;
  }
  function nothing(s, what) { add(s, el('p', 'none', 'Not shown: ' + what)); }

  function table(head, rows, sortable) {
    const t = el('table', 'grid');
    const thead = add(t, el('thead'));
    const tr = add(thead, el('tr'));
    const tbody = add(t, el('tbody'));
    let order = { col: -1, dir: 1 };
    function fill(rs) {
      tbody.textContent = '';
      for (const r of rs) {
        const row = add(tbody, el('tr'));
        for (const c of r) add(row, el('td', typeof c === 'number' ? 'num' : null,
                                        typeof c === 'number' ? fmt(c, 4) : (c === null ? '—' : c)));
      }
    }
    head.forEach((h, i) => {
      const th = add(tr, el('th', sortable ? 'sortable' : null, h));
      if (!sortable) return;
      th.addEventListener('click', () => {
        order = { col: i, dir: order.col === i ? -order.dir : 1 };
        const num = rows.every((r) => r[i] === '' || r[i] === null || Number.isFinite(Number(r[i])));
        const key = (r) => (num ? (r[i] === '' || r[i] === null ? -Infinity : Number(r[i])) : String(r[i]));
        const sorted = rows.slice().sort((a, b) => {
          const x = key(a), y = key(b);
          return (x < y ? -1 : x > y ? 1 : 0) * order.dir;
        });
        for (const o of tr.children) o.removeAttribute('data-sort');
        th.setAttribute('data-sort', order.dir > 0 ? 'up' : 'down');
        fill(sorted);
      });
    });
    fill(rows);
    return t;
  }

  function inputsSection(parent, run) {
    const s = section(parent, 'What was run', ['run-info.csv'], run);
    if (!run.info.length) return nothing(s, 'the run\'s inputs (run-info.csv)');
    add(s, table(['key', 'value'], run.info.map((kv) => [kv[0], kv[1]])));
  }

  // Profile: velocities and Q against depth, depth downwards, steps at the
  // layer boundaries, the half-space shaded below its top.
  function profileSection(parent, run) {
    const s = section(parent, 'Soil profile', ['soil.csv'], run);
    const p = run.profile;
    if (!p) return nothing(s, 'the profile (soil.csv)');
    add(s, el('p', 'caption', p.title + ' — ' + p.top.length + ' layers, half-space (shaded) from ' + fmt(p.halfspace) +
      ' m' + (p.angle !== null ? ', incidence ' + fmt(p.angle) + '° in the half-space' : '')));
    const deep = p.halfspace > 0 ? p.halfspace * 1.2 : 10;
    const x = p.top.concat([deep]);
    const ext = (v) => v.concat([v[v.length - 1]]);
    const row = add(s, el('div', 'pair'));
    const shade = {
      hooks: {
        draw(u) {
          const ctx = u.ctx;
          const y0 = u.valToPos(p.halfspace, 'x', true);
          const y1 = u.valToPos(deep, 'x', true);
          ctx.save();
          ctx.fillStyle = 'rgba(120,100,80,0.15)';
          ctx.fillRect(u.bbox.left, Math.min(y0, y1), u.bbox.width, Math.abs(y1 - y0));
          ctx.fillStyle = '#5a4632';
          ctx.font = (12 * devicePixelRatio) + 'px sans-serif';
          ctx.fillText('half-space from ' + fmt(p.halfspace) + ' m', u.bbox.left + 6 * devicePixelRatio,
                       Math.min(y0, y1) + 16 * devicePixelRatio);
          ctx.restore();
        },
      },
    };
    const step = uPlot.paths.stepped({ align: 1 });
    const opts = (ylabel, names, vals) => ({
      height: 380,
      scales: { x: { time: false, ori: 1, dir: -1 }, y: { ori: 0 } },
      axes: [{ label: 'depth (m)', side: 3, size: 60 }, { label: ylabel, side: 0, space: 60 }],
      series: [{ label: 'depth (m)' }].concat(names.map((n, i) =>
        Object.assign(line(n, colour(i), 2), { paths: step, points: { show: false } }))),
      plugins: [shade],
    });
    // Both halves exist before either chart measures its width.
    const w = Math.max(320, Math.floor((s.clientWidth - 40) / 2));
    const halves = [0, 1].map(() => add(row, el('div', 'half')));
    for (const h of halves) h.style.width = w + 'px';
    chart(halves[0], 'Velocities', opts('velocity (m/s)', ['Vs', 'Vp']),
          [x, ext(p.vs), ext(p.vp)]);
    chart(halves[1], 'Damping', opts('Q', ['Qs', 'Qp']), [x, ext(p.qs), ext(p.qp)]);
  }

  // Amplification: raw thin, smoothed thick; the column of the run's wave
  // type solid and strong, the other faded; first peaks of the strong ones
  // marked and labelled.
  function ampSection(parent, run) {
    const s = section(parent, 'Amplification factors', ['Amp-Factors.csv', 'Amp-Factors-KO.csv'], run);
    const a = run.amp;
    if (!a) return nothing(s, 'the amplification factors (Amp-Factors.csv)');
    const used = a.used === 2 ? '2' : a.used === 1 ? '1' : null;
    const isUsed = (name) => used === null || name.slice(-1) === used;
    add(s, el('p', 'caption', used
      ? 'Wave type ' + used + ': column ' + used + ' (' + (used === '1' ? 'to the incident wave' : 'to the motion in the bedrock') +
        ') is the one this run applied; the other is drawn faded.'
      : 'The run\'s wave type is not known (run-info.csv): every column drawn alike.'));
    const f = f32(a.f), sf = f32(a.sf);
    const joined = uPlot.join([logRows(f, a.raw.map((c) => f32(c.y))), logRows(sf, a.smooth.map((c) => f32(c.y)))]);
    const series = [{ label: 'f (Hz)', value: (u, v) => fmt(v, 4) }];
    a.raw.forEach((c, i) => {
      const strong = isUsed(c.name);
      series.push(line(c.name + ' raw', fade(colour(i), strong ? 0.45 : 0.18), 1));
    });
    a.smooth.forEach((c, i) => {
      const strong = isUsed(c.name);
      series.push(line(c.name + ' smoothed', strong ? colour(i) : fade(colour(i), 0.35), strong ? 2.5 : 1.2,
                       strong ? null : [6, 4]));
    });
    for (const sr of series.slice(1)) sr.spanGaps = true;
    const peaks = (a.peaks || []).filter((p) => isUsed(p.name));
    const mark = {
      hooks: {
        draw(u) {
          const ctx = u.ctx;
          const r = devicePixelRatio;
          ctx.save();
          ctx.font = 'bold ' + (12 * r) + 'px sans-serif';
          peaks.forEach((p, k) => {
            const x = u.valToPos(p.f, 'x', true), y = u.valToPos(p.a, 'y', true);
            if (x < u.bbox.left || x > u.bbox.left + u.bbox.width) return;
            const i = a.raw.findIndex((c) => c.name === p.name);
            ctx.fillStyle = colour(i);
            ctx.beginPath();
            ctx.arc(x, y, 4 * r, 0, 2 * Math.PI);
            ctx.fill();
            ctx.fillText(p.name + ': first peak ' + fmt(p.a, 3) + ' at ' + fmt(p.f, 3) + ' Hz',
                         x + 8 * r, y - (6 + 14 * k) * r);
          });
          ctx.restore();
        },
      },
    };
    chart(s, 'Amplification against frequency', {
      height: 360, scales: logX, axes: axes('frequency (Hz)', 'amplification'), series: series,
      plugins: [mark],
    }, joined);
    if (peaks.length)
      add(s, table(['column', 'first peak frequency (Hz)', 'height', 'period (s)'],
                   peaks.map((p) => [p.name, p.f, p.a, 1 / p.f])));
  }

  // Input and surface histories, one chart per channel, shared time axis.
  function historySection(parent, run) {
    const s = section(parent, 'Acceleration histories: input and surface', ['input.csv', 'wave1.csv'], run);
    const h = run.hist;
    if (!h) return nothing(s, 'the histories (input.csv, wave1.csv)');
    const hin = h.input, hout = h.surface;
    const dt = (hin || hout).dt, t0 = (hin || hout).t0;
    const chans = Math.max(hin ? hin.ch.length : 0, hout ? hout.ch.length : 0);
    const ins = hin ? hin.ch.map((c) => f32(c.y)) : [];
    const outs = hout ? hout.ch.map((c) => f32(c.y)) : [];
    let n = 0;
    for (const v of ins.concat(outs)) n = Math.max(n, v.length);
    const t = new Array(n);
    for (let i = 0; i < n; i++) t[i] = t0 + i * dt;
    const pad = (v) => { const a = arr(v, false); while (a.length < n) a.push(null); return a; };
    add(s, el('p', 'caption', 'Input (dark grey): the record as the computation got it (input.csv), in ' + (h.units_in || 'the record\'s units') +
      '. Surface (in colour): the synthesized motion (wave1.csv, each channel shifted by its first sample), in ' +
      (h.units_out || 'the same units') + '. Drag to zoom, wheel to zoom about the cursor, shift-drag to pan.'));
    const group = { charts: [] };
    for (let c = 0; c < chans; c++) {
      const name = (hout && hout.ch[c] ? hout.ch[c].name : hin.ch[c].name);
      const series = [{ label: 't (s)', value: (u, v) => fmt(v, 5) }];
      const d = [t];
      // The surface first, the input drawn over it in dark grey: the input
      // is the smaller of the two wherever the site amplifies.
      if (outs[c]) { series.push(line('surface ' + name, colour(c), 1)); d.push(pad(outs[c])); }
      if (ins[c]) { series.push(line('input ' + name, 'rgba(30,30,30,0.85)', 1)); d.push(pad(ins[c])); }
      const units = h.units_out && h.units_out !== h.units_in ? h.units_in + ' / ' + h.units_out : (h.units_in || '');
      chart(s, 'Channel ' + name, {
        height: 200, scales: { x: { time: false } },
        axes: axes('time (s)', name + (units ? ' (' + units + ')' : '')), series: series,
        cursor: { sync: { key: 'hist-' + run.name } },
      }, d, group);
    }
  }

  function fourierSection(parent, run) {
    const s = section(parent, 'Fourier amplitude: input and surface (smoothed)', ['amp1.csv', 'input.csv'], run);
    const fo = run.fourier;
    if (!fo) return nothing(s, 'Fourier amplitudes (amp1.csv, input.csv)');
    add(s, el('p', 'caption', 'Konno–Ohmachi smoothing (b = 40); the input shaped by the run\'s band-pass and integration, so the gap between the curves is the site.'));
    const series = [{ label: 'f (Hz)', value: (u, v) => fmt(v, 4) }];
    const ys = [];
    fo.input.forEach((c, i) => { series.push(line('input ' + c.name, fade(colour(i), 0.7), 1.5, [5, 4])); ys.push(f32(c.y)); });
    fo.surface.forEach((c, i) => { series.push(line('surface ' + c.name, colour(i), 2)); ys.push(f32(c.y)); });
    const d = logRows(f32(fo.f), ys, true);
    // Four decades below the highest amplitude: the band-pass leaves next
    // to nothing outside its corners, which would squash the rest.
    let top = 0;
    for (const y of d.slice(1)) for (const v of y) if (v !== null && v > top) top = v;
    chart(s, 'Fourier amplitude against frequency', {
      height: 340, scales: { x: logX.x, y: { distr: 3, log: 10, range: (u, lo, hi) => decades(Math.max(lo, top * 1e-4), hi) } },
      axes: axes('frequency (Hz)', 'Fourier amplitude', true), series: series,
    }, d);
  }

  function spectraSection(parent, run) {
    const s = section(parent, 'Response spectra: input, surface and their ratio', ['RespSpec.csv'], run);
    const rs = run.rs;
    if (!rs) return nothing(s, 'response spectra (RespSpec.csv)');
    const T = f32(rs.T);
    const group = { charts: [] };
    const top = [{ label: 'T (s)', value: (u, v) => fmt(v, 4) }];
    const ys = [];
    const idx = {};
    // One colour per quantity: input, surface and ratio share it, whether or
    // not the heading ends in a unit ("_cm/s2").
    const key = (name) => name.replace(/(^|_)(input|in|surface|surf|ratio)(?=_|$)/i, '').replace(/_[^_]*\/[^_]*$/, '');
    const slot = (name) => (idx[key(name)] === undefined ? (idx[key(name)] = Object.keys(idx).length) : idx[key(name)]);
    rs.input.forEach((c) => { top.push(line(c.name, fade(colour(slot(c.name)), 0.7), 1.5, [5, 4])); ys.push(f32(c.y)); });
    rs.surface.forEach((c) => { top.push(line(c.name, colour(slot(c.name)), /rotd/i.test(c.name) ? 3 : 2)); ys.push(f32(c.y)); });
    rs.other.forEach((c) => { top.push(line(c.name, '#777', 1)); ys.push(f32(c.y)); });
    const d = logRows(T, ys);
    chart(s, 'Pseudo-spectral acceleration, 5 % damping', {
      height: 300, scales: logX, axes: axes('period (s)', 'PSA' + (rs.units ? ' (' + rs.units + ')' : '')), series: top,
      cursor: { sync: { key: 'rs-' + run.name } },
    }, d, group);
    if (rs.ratio.length) {
      const bottom = [{ label: 'T (s)', value: (u, v) => fmt(v, 4) }];
      rs.ratio.forEach((c) => bottom.push(line(c.name, colour(slot(c.name)), /rotd/i.test(c.name) ? 3 : 1.8)));
      const r = logRows(T, rs.ratio.map((c) => f32(c.y)));
      chart(s, 'Ratio surface / input', {
        height: 220, scales: logX, axes: axes('period (s)', 'ratio'), series: bottom,
        cursor: { sync: { key: 'rs-' + run.name } },
      }, r, group);
    }
  }

  function measuresSection(parent, run) {
    const s = section(parent, 'Intensity measures', null, run);
    if (!run.im || !run.im.length) return nothing(s, 'no measure could be computed');
    add(s, table(['measure', 'input', 'surface', 'surface / input'], run.im));
  }

  function notesBox(parent, run) {
    if (!run.notes || !run.notes.length) return;
    const box = add(parent, el('div', 'missing top'));
    add(box, el('strong', null, 'Missing from this run\'s folder:'));
    const ul = add(box, el('ul'));
    for (const n of run.notes) add(ul, el('li', null, n));
  }

  function runView(parent, run) {
    add(parent, el('h1', null, 'Record ' + run.name));
    notesBox(parent, run);
    for (const f of [ampSection, historySection, profileSection, spectraSection, fourierSection, measuresSection, inputsSection]) {
      try { f(parent, run); } catch (e) {
        state.errors.push(f.name + ': ' + e.message);
        add(parent, el('p', 'none', 'This section could not be drawn: ' + e.message));
      }
    }
  }

  // --- batch: suite --------------------------------------------------------
  function suiteView(parent) {
    add(parent, el('h1', null, 'Suite of ' + data.runs.length + ' records'));
    const su = data.suite || {};
    const rs = section(parent, 'Ratio spectra of all records', null, null);
    if (!su.ratio) nothing(rs, 'no record has response spectra (RespSpec.csv)');
    else {
      const T = f32(su.ratio.T);
      for (const col of su.ratio.cols) {
        const series = [{ label: 'T (s)', value: (u, v) => fmt(v, 4) }];
        const ys = [];
        col.records.forEach((r) => { series.push(line(r.name, 'rgba(90,90,90,0.35)', 1)); ys.push(f32(r.y)); });
        series.push(line('16th percentile', '#c0392b', 1.5, [6, 4])); ys.push(f32(col.p16));
        series.push(line('median', '#c0392b', 3)); ys.push(f32(col.p50));
        series.push(line('84th percentile', '#c0392b', 1.5, [6, 4])); ys.push(f32(col.p84));
        const d = logRows(T, ys);
        chart(rs, col.name + ' — ' + col.records.length + ' records', {
          height: 320, scales: logX, axes: axes('period (s)', 'ratio surface / input'), series: series,
        }, d);
      }
    }
    const am = section(parent, 'Median amplification factors', null, null);
    if (!su.amp) nothing(am, 'no record has amplification factors');
    else {
      const series = [{ label: 'f (Hz)', value: (u, v) => fmt(v, 4) }];
      const ys = [];
      su.amp.cols.forEach((c, i) => {
        series.push(line(c.name + ' median (' + c.n + ')', colour(i), 2.5)); ys.push(f32(c.p50));
        series.push(line(c.name + ' 16th', fade(colour(i), 0.6), 1, [6, 4])); ys.push(f32(c.p16));
        series.push(line(c.name + ' 84th', fade(colour(i), 0.6), 1, [6, 4])); ys.push(f32(c.p84));
      });
      const d = logRows(f32(su.amp.f), ys);
      chart(am, 'Smoothed amplification factors: median and 16th/84th percentiles', {
        height: 340, scales: logX, axes: axes('frequency (Hz)', 'amplification'), series: series,
      }, d);
    }
    const tb = section(parent, 'Runs (runs.csv)', null, null);
    if (!data.table) nothing(tb, 'runs.csv is missing');
    else {
      add(tb, el('p', 'caption', 'Click a heading to sort by it; again to reverse.'));
      add(tb, table(data.table.head, data.table.rows, true));
    }
  }

  // --- page ----------------------------------------------------------------
  function build() {
    const app = document.getElementById('app');
    app.textContent = '';
    const head = add(app, el('header', 'top'));
    add(head, el('span', 'brand', 'sitekit report'));
    add(head, el('span', 'where', data.kind === 'batch' ? 'batch ' + data.dir : 'run ' + data.dir));
    add(head, el('button', 'print', 'Print / PDF')).addEventListener('click', () => window.print());
    if (data.kind !== 'batch') {
      const main = add(app, el('main', 'view'));
      runView(main, data.runs[0] || { name: data.dir, info: [], notes: ['no run found'] });
      state.views = [main];
      return;
    }
    const layout = add(app, el('div', 'layout'));
    const nav = add(layout, el('nav', 'records'));
    const main = add(layout, el('main', 'view'));
    const entries = [{ label: 'Suite', build: suiteView }].concat(
      data.runs.map((r) => ({ label: r.name, build: (p) => runView(p, r) })));
    const views = entries.map(() => null);
    const buttons = [];
    function show(i) {
      entries.forEach((e, k) => {
        buttons[k].classList.toggle('on', k === i);
        if (views[k]) views[k].hidden = k !== i;
      });
      if (!views[i]) {
        views[i] = add(main, el('div', 'page'));
        entries[i].build(views[i]);
      }
      state.views = views.filter((v) => v);
    }
    add(nav, el('div', 'nav-head', 'Records'));
    entries.forEach((e, i) => {
      const b = add(nav, el('button', i === 0 ? 'nav-suite' : null, e.label));
      b.addEventListener('click', () => show(i));
      buttons.push(b);
    });
    state.show = show;
    state.count = entries.length;
    show(0);
  }

  // Charts are drawn at the page's width; for printing they are redrawn at
  // the paper's and back afterwards.
  const sizes = new Map();
  window.addEventListener('beforeprint', () => {
    for (const u of state.charts) {
      sizes.set(u, { width: u.width, height: u.height });
      u.setSize({ width: 680, height: Math.min(u.height, 300) });
    }
  });
  window.addEventListener('afterprint', () => {
    for (const u of state.charts) if (sizes.has(u)) u.setSize(sizes.get(u));
  });

  let data;
  try {
    data = JSON.parse(document.getElementById('sitekit-data').textContent);
    build();
  } catch (e) {
    state.errors.push(e.message);
    const app = document.getElementById('app');
    app.textContent = 'The report could not be drawn: ' + e.message;
  }
  state.ready = true;
})();
