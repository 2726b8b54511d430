// The judge: which roles can show a window, or the part of it the stopped
// reels show, at a bet and a stop order, from judge-data/judge-B-O.json
// (reelctl-atlas --formats judge). The query lives in the address:
// judge.html#bet=B&order=O&left=L&center=C&right=R&odds=ROLE:1/N,...
//   &aim=ROLE-REEL-LINE-SYMBOL (aim=4-left-bottom-seven), the aim below.
//
// The data's strips[reel][stop] are the symbols of the bottom, middle and top
// lines (the stop index's symbol stands on the bottom line).
import { make } from './elements.js';
import { aimAt, classWords, data, judge } from './judge_reading.js';

const reelNames = [['左', 'left'], ['中', 'center'], ['右', 'right']];
const stopNames = ['第1停止', '第2停止', '第3停止'];
const symbolLabels = { seven: '7', bar: 'BAR', frog: 'ｶｴﾙ', moon: '月', orange: 'ｵﾚﾝｼﾞ', bell: 'ﾍﾞﾙ', cherry: 'ﾁｪﾘｰ' };
const orders = [[0, 1, 2], [0, 2, 1], [1, 0, 2], [1, 2, 0], [2, 0, 1], [2, 1, 0]];
const lineNames = [['下段', 'bottom'], ['中段', 'middle'], ['上段', 'top']];  // by the data's line index
const query = { bet: 2, order: 0, stops: [null, null, null], odds: new Map(), aim: null };

const gcd = (a, b) => { while (b) [a, b] = [b, a % b]; return a; };
function fraction(n, d) { const g = gcd(n, d) || 1; return `${n / g}/${d / g}`; }
const percent = (p) => `${(100 * p).toPrecision(4).replace(/\.?0+$/, '')}%`;
const oneIn = (p) => (p > 0 ? `1/${(1 / p).toFixed(1).replace(/\.0$/, '')}` : '—');

function readAddress() {
  const fields = new URLSearchParams(window.location.hash.slice(1));
  const number = (name, max) => {
    const v = fields.get(name);
    return v !== null && /^\d+$/.test(v) && Number(v) <= max ? Number(v) : null;
  };
  query.bet = number('bet', 2) ?? 2;
  query.order = number('order', 5) ?? 0;
  query.stops = ['left', 'center', 'right'].map((name) => number(name, 20));
  query.odds = new Map();
  for (const item of (fields.get('odds') || '').split(',')) {
    const m = /^(\d+):1\/(\d+(?:\.\d+)?)$/.exec(item);
    if (m && Number(m[2]) >= 1) query.odds.set(Number(m[1]), Number(m[2]));
  }
  const aim = /^(\d+)-(left|center|right)-(bottom|middle|top)-([a-z]+)$/.exec(fields.get('aim') || '');
  query.aim = aim ? { role: Number(aim[1]), reel: ['left', 'center', 'right'].indexOf(aim[2]),
    line: lineNames.findIndex((l) => l[1] === aim[3]), symbol: aim[4] } : null;
}

function writeAddress() {
  const parts = [`bet=${query.bet}`, `order=${query.order}`];
  query.stops.forEach((s, reel) => { if (s !== null) parts.push(`${['left', 'center', 'right'][reel]}=${s}`); });
  if (query.odds.size) parts.push(`odds=${[...query.odds].map(([r, n]) => `${r}:1/${n}`).join(',')}`);
  if (query.aim) {
    const a = query.aim;
    parts.push(`aim=${a.role}-${['left', 'center', 'right'][a.reel]}-${lineNames[a.line][1]}-${a.symbol}`);
  }
  const hash = `#${parts.join('&')}`;
  if (window.location.hash !== hash) history.replaceState(null, '', hash);
}

const element = (tag, text, attributes = {}) => make(tag, '', text === undefined ? {} : { textContent: text }, attributes);

function drawReels(d) {
  const box = document.getElementById('reels');
  box.replaceChildren();
  const order = orders[query.order];
  for (let reel = 0; reel < 3; ++reel) {
    const column = element('div', undefined, { class: 'reel' });
    const n = order.indexOf(reel);
    column.append(element('div', `${reelNames[reel][0]} ${stopNames[n]}`), element('div', reelNames[reel][1], { class: 'en' }));
    const strip = element('div', undefined, { class: 'strip', id: `strip-${reel}` });
    const none = element('button', '未停止', { 'data-stop': '', title: 'not stopped yet' });
    if (query.stops[reel] === null) none.classList.add('stop');
    strip.append(none);
    for (let stop = 0; stop < 21; ++stop) {
      const [bottom, middle, top] = d.strips[reel][stop];
      const label = `${stop + 1}: ${symbolLabels[d.symbols[middle]]}`;
      const b = element('button', label, { 'data-stop': String(stop), title: `top ${d.symbols[top]}, middle ${d.symbols[middle]}, bottom ${d.symbols[bottom]}` });
      const s = query.stops[reel];
      if (s === stop) b.classList.add('stop');
      else if (s !== null && (stop === (s + 20) % 21 || stop === (s + 1) % 21)) b.classList.add('seen');
      strip.append(b);
    }
    strip.addEventListener('click', (e) => {
      const stop = e.target.closest('button')?.dataset.stop;
      if (stop === undefined) return;
      query.stops[reel] = stop === '' ? null : Number(stop);
      update();
    });
    column.append(strip);
    // By symbols per line: the stops whose top, middle and bottom lines match.
    const lines = element('div');
    [2, 1, 0].forEach((line) => {
      const [name, english] = lineNames[line];
      const select = element('select', undefined, { 'data-line': String(line), title: `${english} line` });
      select.append(element('option', name, { value: '' }));
      d.symbols.forEach((symbol, k) => select.append(element('option', symbolLabels[symbol], { value: String(k) })));
      lines.append(select);
    });
    lines.addEventListener('change', () => {
      const wanted = [null, null, null];
      for (const s of lines.querySelectorAll('select')) if (s.value !== '') wanted[Number(s.dataset.line)] = Number(s.value);
      const fits = d.strips[reel].map((l, stop) => (wanted.every((w, line) => w === null || l[line] === w) ? stop : -1)).filter((s) => s >= 0);
      if (fits.length === 1) { query.stops[reel] = fits[0]; update(); }
      else for (const b of strip.querySelectorAll('button[data-stop]')) b.classList.toggle('seen', b.dataset.stop !== '' && fits.includes(Number(b.dataset.stop)));
    });
    column.append(lines);
    box.append(column);
  }
}

function drawOdds(d) {
  const box = document.getElementById('odds');
  box.querySelectorAll('label').forEach((l) => l.remove());
  for (const [role, name] of d.roles) {
    const input = element('input', undefined, { 'data-role': String(role), placeholder: '1/N', inputmode: 'decimal' });
    if (query.odds.has(role)) input.value = `1/${query.odds.get(role)}`;
    input.addEventListener('change', () => {
      const m = /^\s*1\s*\/\s*(\d+(?:\.\d+)?)\s*$/.exec(input.value);
      if (m && Number(m[1]) >= 1) query.odds.set(role, Number(m[1])); else query.odds.delete(role);
      update();
    });
    const label = element('label', `${name} `);
    label.append(input, ' ');
    box.append(label);
  }
}

function roadLink(w, d) {
  const a = element('a', '開く open', { href: `index.html#road=${encodeURIComponent(w[4])}` });
  return a;
}

async function render() {
  const d = await data(query.bet, query.order);
  document.getElementById('bet').value = String(query.bet);
  document.getElementById('order').value = String(query.order);
  drawReels(d);
  drawOdds(d);
  drawAim(d);
  const { matching, roles, cls } = judge(d, query.stops);
  const grain = d.grain;
  // P(role | window) among the roles whose odds were typed.
  const typed = roles.filter((r) => query.odds.has(r.role));
  const evidence = typed.reduce((s, r) => s + (r.grains / grain) / query.odds.get(r.role), 0);
  document.getElementById('sum').textContent = `${classWords[cls]} (${cls}) — ${roles.length} 役 roles, ${matching.length} 出目 windows`;
  document.getElementById('sum').dataset.class = cls;
  const table = document.getElementById('roles');
  table.replaceChildren(element('tr'));
  table.firstChild.append(...['役 role', 'P(出目 | 役)', '1 in N', 'fraction', 'P(役 | 出目)'].map((t) => element('th', t)));
  for (const r of roles) {
    const p = r.grains / grain;
    const row = element('tr', undefined, { 'data-role': String(r.role) });
    const posterior = query.odds.has(r.role) && evidence > 0 ? percent(p / query.odds.get(r.role) / evidence) : '';
    row.append(element('td', `${r.role} ${r.name}`), element('td', percent(p)), element('td', oneIn(p)),
      element('td', fraction(r.grains, grain), { class: 'fraction' }), element('td', posterior));
    table.append(row);
  }
  const shown = matching.slice(0, 200);
  document.getElementById('count').textContent = matching.length > shown.length ? `${matching.length} (the first ${shown.length} shown)` : `${matching.length}`;
  const list = document.getElementById('windows');
  list.replaceChildren(element('tr'));
  list.firstChild.append(...['出目 window', '役 roles: P(出目 | 役), 1 in N', 'class', 'road'].map((t) => element('th', t)));
  for (const w of shown) {
    const one = judge({ ...d, windows: [w] }, [w[0], w[1], w[2]]);
    const cells = element('td', `${w[0] + 1}-${w[1] + 1}-${w[2] + 1}`);
    cells.title = [2, 1, 0].map((line) => [0, 1, 2].map((reel) => symbolLabels[d.symbols[d.strips[reel][w[reel]][line]]]).join(' ')).join(' / ');
    const row = element('tr', undefined, { 'data-window': `${w[0]},${w[1]},${w[2]}` });
    row.append(cells, element('td', one.roles.map((r) => `${r.name} ${percent(r.grains / grain)} (${oneIn(r.grains / grain)})`).join(', ')),
      element('td', one.cls));
    const road = element('td');
    road.append(roadLink(w, d));
    row.append(road);
    list.append(row);
  }
}

function drawAim(d) {
  const roleSelect = document.getElementById('aim-role');
  const symbolSelect = document.getElementById('aim-symbol');
  roleSelect.replaceChildren(...d.roles.map(([role, name]) => element('option', `${role} ${name}`, { value: String(role) })));
  symbolSelect.replaceChildren(...d.symbols.map((symbol) => element('option', `${symbolLabels[symbol]} ${symbol}`, { value: symbol })));
  const aim = query.aim || { role: d.roles.some(([r]) => r === 4) ? 4 : d.roles[0][0], reel: orders[query.order][0], line: 1, symbol: 'seven' };
  const roleIndex = d.roles.findIndex(([r]) => r === aim.role);
  const symbol = d.symbols.indexOf(aim.symbol);
  if (roleIndex < 0 || symbol < 0 || aim.reel < 0 || aim.line < 0) {
    query.aim = null;
    return drawAim(d);
  }
  roleSelect.value = String(aim.role);
  document.getElementById('aim-reel').value = String(aim.reel);
  document.getElementById('aim-line').value = String(aim.line);
  symbolSelect.value = aim.symbol;
  const answer = aimAt(d, roleIndex, aim.reel, aim.line, symbol);
  const g = d.aim_grain;
  const sure = answer.presses.filter((p) => p.n === g).map((p) => p.press + 1);
  document.getElementById('aim-sum').textContent = answer.presses.length
    ? `適当押しで ${percent(answer.hit / (21 * g))} (${fraction(answer.hit, 21 * g)}) at a random press; ` +
      `必ず止まる押し位置 ${sure.length} コマ (presses that never miss): ${sure.join(', ') || '—'}`
    : '止まらない: no press brings it there';
  const presses = document.getElementById('aim-presses');
  presses.replaceChildren(element('tr'));
  presses.firstChild.append(...['押し位置 press', 'P(成功 | 押し位置) hit', 'fraction'].map((t) => element('th', t)));
  for (const p of answer.presses) {
    const row = element('tr', undefined, { 'data-press': String(p.press) });
    row.append(element('td', String(p.press + 1)), element('td', percent(p.n / g)), element('td', fraction(p.n, g), { class: 'fraction' }));
    presses.append(row);
  }
  const stops = document.getElementById('aim-stops');
  stops.replaceChildren(element('tr'));
  stops.firstChild.append(...['停止位置 stop', '届く押し位置 presses reaching it', '必ず届く always'].map((t) => element('th', t)));
  for (const s of answer.stops) {
    const row = element('tr', undefined, { 'data-stop': String(s.stop) });
    row.append(element('td', String(s.stop + 1)), element('td', fraction(s.n, g), { class: 'fraction' }), element('td', String(s.sure)));
    stops.append(row);
  }
}

let rendering = Promise.resolve();
// The root element's data-query names the address of the query last drawn.
function update() {
  writeAddress();
  const hash = window.location.hash;
  rendering = render().then(() => { document.documentElement.dataset.query = hash; });
  return rendering;
}

document.getElementById('bet').addEventListener('change', (e) => { query.bet = Number(e.target.value); query.stops = [null, null, null]; update(); });
document.getElementById('order').addEventListener('change', (e) => { query.order = Number(e.target.value); update(); });
window.addEventListener('hashchange', () => { readAddress(); update(); });
for (const id of ['aim-role', 'aim-reel', 'aim-line', 'aim-symbol']) {
  document.getElementById(id).addEventListener('change', () => {
    query.aim = { role: Number(document.getElementById('aim-role').value), reel: Number(document.getElementById('aim-reel').value),
      line: Number(document.getElementById('aim-line').value), symbol: document.getElementById('aim-symbol').value };
    update();
  });
}
readAddress();
update().then(() => { document.documentElement.dataset.ready = '1'; });
window.reelctlJudge = { data, judge, aimAt, query, update: (q) => { Object.assign(query, q); return update(); } };
