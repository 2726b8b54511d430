// The judge's reading of its data (judge-data/judge-B-O.json, written by
// reelctl-atlas --formats judge; docs/windows.md gives its fields): which
// roles can show a window or the part of it that the stopped reels show, its
// class, and the aim. The judge page and the practice page both read it here.
const bonusRoles = new Set([4, 5, 6, 7, 8, 9]);
const cache = new Map();

// A class in the players' words.
export const classWords = { 'BIG-only': 'BIGのみ', 'REG-only': 'REGのみ', 'bonus-only': 'ボーナス確定', 'no-bonus': 'ボーナスなし', mixed: '混在', impossible: '出ない' };

export async function data(bet, order) {
  const key = `${bet}-${order}`;
  if (!cache.has(key)) cache.set(key, fetch(`judge-data/judge-${key}.json`).then((r) => r.json()));
  return cache.get(key);
}

// The answer to the query: the matching windows and every role's marginal.
export function judge(d, stops) {
  const matching = d.windows.filter((w) => stops.every((s, reel) => s === null || w[reel] === s));
  const grains = new Array(d.roles.length).fill(0);
  for (const w of matching) for (let i = 0; i < w[3].length; i += 2) grains[w[3][i]] += w[3][i + 1];
  const roles = d.roles.map(([role, name], i) => ({ role, name, grains: grains[i] })).filter((r) => r.grains > 0);
  const shown = new Set(roles.map((r) => r.role));
  const bonus = [...shown].filter((r) => bonusRoles.has(r));
  let cls = 'impossible';
  if (shown.size) {
    if (bonus.length === 0) cls = 'no-bonus';
    else if (bonus.length < shown.size) cls = 'mixed';
    else if (bonus.every((r) => r <= 6)) cls = 'BIG-only';
    else if (bonus.every((r) => r >= 7)) cls = 'REG-only';
    else cls = 'bonus-only';
  }
  return { matching, roles, cls };
}

// The aim: for a role, a reel, a line and a symbol, the presses that bring the
// symbol to the line with P(hit | press) in units of 1/aim_grain, the stops
// that show it with the presses that reach each (their sum over the presses
// of P(stop | press), and how many reach it whatever the machine draws), and
// P(hit) for a press at random, in units of 1/(21 aim_grain).
export function aimAt(d, roleIndex, reel, line, symbol) {
  const shows = (stop) => d.strips[reel][stop][line] === symbol;
  const presses = [];
  const reach = new Map();
  let hit = 0;
  d.aim[roleIndex][reel].forEach((list, press) => {
    let n = 0;
    for (let i = 0; i < list.length; i += 2) {
      if (!shows(list[i])) continue;
      n += list[i + 1];
      const r = reach.get(list[i]) || { stop: list[i], n: 0, sure: 0 };
      r.n += list[i + 1];
      r.sure += list[i + 1] === d.aim_grain ? 1 : 0;
      reach.set(list[i], r);
    }
    if (n) presses.push({ press, n });
    hit += n;
  });
  return { presses, stops: [...reach.values()].sort((a, b) => a.stop - b.stop), hit };
}
