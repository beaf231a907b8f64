// Opens a report page in headless Chromium, driven through the DevTools
// protocol over a pipe (node's standard library only), and checks what a
// reader would see:
//   - every chart drew its curves (saturated pixels on its canvas: grid,
//     axes and text are grey or black), in every view of a batch;
//   - the console shows no error and no script error was thrown;
//   - the page asked for nothing but itself (no network request);
//   - no dialog opened and the marker window.__pwned stayed unset (the
//     hostile folders' names try to set it);
//   - the page's title and visible text are what --title/--text say.
//
//   node check_page.mjs PAGE.html [--min-charts N] [--title TEXT] [--text TEXT]... [--shot PNG]
// Prints one line per finding; exits 1 when something failed.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const args = process.argv.slice(2);
const page = path.resolve(args[0]);
const opt = { minCharts: 1, title: null, text: [], shot: null };
for (let i = 1; i < args.length; i += 2) {
  if (args[i] === '--min-charts') opt.minCharts = Number(args[i + 1]);
  else if (args[i] === '--title') opt.title = args[i + 1];
  else if (args[i] === '--text') opt.text.push(args[i + 1]);
  else if (args[i] === '--shot') opt.shot = args[i + 1];
}

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'sitekit-chromium-'));
const browser = spawn('chromium', [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-extensions', '--hide-scrollbars', '--window-size=1200,900',
  '--remote-debugging-pipe', '--user-data-dir=' + profile, 'about:blank',
], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });

const failures = [];
const fail = (m) => failures.push(m);
let nextId = 1;
const pending = new Map();
const listeners = [];
let buffer = Buffer.alloc(0);
browser.stdio[4].on('data', (chunk) => {
  buffer = Buffer.concat([buffer, chunk]);
  let end;
  while ((end = buffer.indexOf(0)) >= 0) {
    const msg = JSON.parse(buffer.subarray(0, end).toString('utf8'));
    buffer = buffer.subarray(end + 1);
    if (msg.id && pending.has(msg.id)) {
      const { resolve, reject } = pending.get(msg.id);
      pending.delete(msg.id);
      if (msg.error) reject(new Error(JSON.stringify(msg.error)));
      else resolve(msg.result);
    } else if (msg.method) {
      for (const l of listeners) l(msg);
    }
  }
});
function send(method, params, sessionId) {
  const id = nextId++;
  const msg = { id, method, params: params || {} };
  if (sessionId) msg.sessionId = sessionId;
  browser.stdio[3].write(JSON.stringify(msg) + '\0');
  return new Promise((resolve, reject) => pending.set(id, { resolve, reject }));
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const deadline = setTimeout(() => { fail('timed out after 60 s'); finish(); }, 60000);

function finish() {
  clearTimeout(deadline);
  for (const f of failures) console.log('FAIL: ' + f);
  if (!failures.length) console.log('PASS: ' + path.basename(page));
  // Chromium's helper processes may still write into the profile for a
  // moment after the browser is gone.
  const done = async () => {
    for (let i = 0; i < 20; i++) {
      try { fs.rmSync(profile, { recursive: true, force: true }); break; } catch { await sleep(100); }
    }
    process.exit(failures.length ? 1 : 0);
  };
  if (browser.exitCode !== null || browser.signalCode !== null) return done();
  browser.on('exit', done);
  send('Browser.close').catch(() => {});
  setTimeout(() => browser.kill('SIGKILL'), 3000);
}

// Counts, for every chart now on the page, the pixels of its canvas that are
// strongly coloured.
const chartProbe = `(() => {
  const r = window.sitekitReport;
  return r.charts.filter((u) => u.root.isConnected && u.root.offsetParent !== null).map((u) => {
    const c = u.ctx.canvas;
    const d = u.ctx.getImageData(0, 0, c.width, c.height).data;
    let n = 0;
    for (let i = 0; i < d.length; i += 4) {
      const mx = Math.max(d[i], d[i + 1], d[i + 2]), mn = Math.min(d[i], d[i + 1], d[i + 2]);
      if (d[i + 3] > 100 && mx - mn > 60) n++;
    }
    return { title: u.title, coloured: n };
  });
})()`;

async function main() {
  const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
  const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
  const pageUrl = 'file://' + page;
  listeners.push((m) => {
    if (m.sessionId !== sessionId) return;
    if (m.method === 'Runtime.consoleAPICalled' && (m.params.type === 'error' || m.params.type === 'assert'))
      fail('console error: ' + m.params.args.map((a) => a.value || a.description).join(' '));
    if (m.method === 'Runtime.exceptionThrown')
      fail('script error: ' + (m.params.exceptionDetails.exception || {}).description);
    if (m.method === 'Log.entryAdded' && m.params.entry.level === 'error')
      fail('console error: ' + m.params.entry.text);
    if (m.method === 'Network.requestWillBeSent' && m.params.request.url !== pageUrl)
      fail('network request: ' + m.params.request.url.slice(0, 200));
    if (m.method === 'Page.javascriptDialogOpening') {
      fail('a dialog opened: ' + m.params.message);
      send('Page.handleJavaScriptDialog', { accept: true }, sessionId);
    }
  });
  for (const d of ['Runtime', 'Log', 'Network', 'Page']) await send(d + '.enable', {}, sessionId);
  await send('Page.navigate', { url: pageUrl }, sessionId);
  const evaluate = async (expression) =>
    (await send('Runtime.evaluate', { expression, returnByValue: true }, sessionId)).result.value;
  for (let i = 0; i < 200 && !(await evaluate('!!(window.sitekitReport && window.sitekitReport.ready)')); i++)
    await sleep(50);
  if (!(await evaluate('!!(window.sitekitReport && window.sitekitReport.ready)'))) {
    fail('the page script never finished');
    return;
  }
  const views = (await evaluate('window.sitekitReport.count')) || 1;
  let charts = 0;
  for (let v = 0; v < views; v++) {
    if (views > 1) await evaluate(`window.sitekitReport.show(${v})`);
    await sleep(50);
    for (const c of await evaluate(chartProbe)) {
      charts++;
      if (c.coloured < 150) fail(`view ${v}: chart "${c.title}" drew nothing (${c.coloured} coloured pixels)`);
    }
  }
  if (charts < opt.minCharts) fail(`${charts} charts drawn, expected at least ${opt.minCharts}`);
  const errors = await evaluate('window.sitekitReport.errors');
  for (const e of errors) fail('page error: ' + e);
  if (await evaluate('window.__pwned !== undefined')) fail('a script from the data ran (window.__pwned is set)');
  const title = await evaluate('document.title');
  if (opt.title !== null && title !== opt.title) fail(`title ${JSON.stringify(title)}, expected ${JSON.stringify(opt.title)}`);
  if (views > 1) await evaluate('window.sitekitReport.show(1)');
  const text = await evaluate('document.body.innerText');
  for (const t of opt.text) if (!text.includes(t)) fail(`page does not show ${JSON.stringify(t)}`);
  if (opt.shot) {
    const { data } = await send('Page.captureScreenshot', { format: 'png' }, sessionId);
    fs.writeFileSync(opt.shot, Buffer.from(data, 'base64'));
  }
  console.log(`${path.basename(page)}: ${views} view(s), ${charts} charts checked`);
}

main().then(finish, (e) => { fail(e.message); finish(); });
