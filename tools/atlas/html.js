// The reverse lookup: which presses of a reel put a symbol on a line of the
// window, in every situation that shows the reel's column. The choice is kept
// in the address (#bet=2&order=0&role=-1&reel=0&line=1&symbol=0).
"use strict";
(function () {
  const $ = (id) => document.getElementById(id);
  const step = 100;
  let data = null;
  let found = [];
  let shown = 0;

  function choice() {
    const c = { bet: -1, order: -1, role: -1, reel: 0, line: 1, symbol: 0 };
    for (const part of location.hash.slice(1).split("&")) {
      const [key, value] = part.split("=");
      if (key in c && /^-?\d+$/.test(value || "")) c[key] = Number(value);
    }
    return c;
  }

  function fill(select, names, order, any) {
    const options = any ? ["<option value=-1>any</option>"] : [];
    for (const i of order) options.push("<option value=" + i + ">" + names[i] + "</option>");
    select.innerHTML = options.join("");
  }

  // Presses of column `column` on `reel` that put `symbol` on `line`: [press, stop, greyed].
  const cache = new Map();
  function presses(column, reel, line, symbol) {
    const key = column * 3 + reel;
    if (!cache.has(key)) {
      const text = data.columns[column].replace("~", "");
      const list = [];
      for (let press = 0; press < text.length; press++) {
        const code = text.charCodeAt(press);
        const greyed = code < 97;
        const stop = code - (greyed ? 65 : 97);
        if (data.strips[reel][stop + line] === symbol) list.push([press, stop, greyed]);
      }
      cache.set(key, list);
    }
    return cache.get(key);
  }

  function path(n) {
    const labels = [];
    for (let i = n; i >= 0; i = data.situations[i][2]) labels.unshift(data.labels[data.situations[i][3]]);
    const g = data.groups[data.situations[n][1]];
    return data.bets[g[0]] + " &rsaquo; " + data.orders[g[1]] + " &rsaquo; " + labels.join(" &rsaquo; ");
  }

  function item(n, list) {
    const s = data.situations[n];
    const stops = new Map();
    for (const [press, stop, greyed] of list) {
      if (!stops.has(stop)) stops.set(stop, []);
      stops.get(stop).push(greyed ? "<span class=g>" + (press + 1) + "</span>" : String(press + 1));
    }
    const parts = [];
    for (const [stop, list] of stops) parts.push(list.join(" ") + " (stop " + (stop + 1) + ")");
    return "<li><a href=\"" + data.pages[s[4]] + "#s" + s[0] + "\">" + path(n) + "</a>: presses " + parts.join(", ");
  }

  function more() {
    const end = Math.min(found.length, shown + step);
    const html = [];
    for (; shown < end; shown++) html.push(item(found[shown][0], found[shown][1]));
    $("out").insertAdjacentHTML("beforeend", html.join(""));
    $("more").hidden = shown >= found.length;
    $("more").textContent = "show " + Math.min(step, found.length - shown) + " more of " + (found.length - shown);
  }

  function update() {
    const c = {};
    for (const key of ["bet", "order", "role", "reel", "line"]) c[key] = Number($(key).value);
    const picked = document.querySelector("input[name=symbol]:checked");
    c.symbol = picked ? Number(picked.value) : 0;
    history.replaceState(null, "", "#" + Object.entries(c).map(([k, v]) => k + "=" + v).join("&"));
    found = [];
    let presses_found = 0;
    data.situations.forEach((s, n) => {
      const g = data.groups[s[1]];
      if ((c.bet >= 0 && g[0] !== c.bet) || (c.order >= 0 && g[1] !== c.order) || (c.role >= 0 && g[2] !== c.role)) return;
      const column = s[5 + c.reel];
      if (column < 0) return;
      const list = presses(column, c.reel, c.line, c.symbol);
      if (list.length) {
        found.push([n, list]);
        presses_found += list.length;
      }
    });
    $("sum").textContent = found.length + " situations, " + presses_found + " presses put " + data.symbols[c.symbol] +
      " on the " + data.lines[c.line] + " line of the " + data.reels[c.reel] + " reel.";
    $("out").innerHTML = "";
    shown = 0;
    more();
  }

  function start(loaded) {
    data = loaded;
    const c = choice();
    const count = (n) => [...Array(n).keys()];
    fill($("bet"), data.bets, count(data.bets.length), true);
    fill($("order"), data.orders, count(data.orders.length), true);
    fill($("role"), data.roles, data.role_order, true);
    fill($("reel"), data.reels, count(3), false);
    fill($("line"), data.lines, [2, 1, 0], false);
    $("symbols").innerHTML = "symbol " + data.symbols.map((name, i) =>
      "<label><input type=radio name=symbol value=" + i + "><img src=\"../pictures/" + data.pictures[i] +
      ".bmp\" alt=\"\">" + name + "</label>").join("");
    for (const key of ["bet", "order", "role", "reel", "line"]) $(key).value = String(c[key]);
    const symbol = document.querySelector("input[name=symbol][value=\"" + c.symbol + "\"]");
    (symbol || document.querySelector("input[name=symbol]")).checked = true;
    $("f").addEventListener("change", update);
    $("more").addEventListener("click", more);
    update();
  }

  // lookup-data.js, included before this script, holds the data where the
  // page opens from the files; over HTTP lookup.json stands in if it is missing.
  (window.reelctlLookupData ? Promise.resolve(window.reelctlLookupData) : fetch("lookup.json")
    .then((response) => { if (!response.ok) throw new Error("HTTP " + response.status); return response.json(); }))
    .then(start)
    .catch((error) => {
      $("sum").textContent = "The lookup's data (lookup.json) could not be loaded: " + error.message +
        ". Keep lookup-data.js or lookup.json beside the page, or serve the pages over HTTP (for example python3 -m http.server in the site's folder).";
    });
})();
