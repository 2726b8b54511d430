#!/usr/bin/env python3
"""The windows of reelctl-atlas against games played through reelctl-script.

For a sample of triples (bet, stop order, role) this plays every game the
machine's draws allow as panel-script roads from a fresh panel, reading what
to do next from the dump after each step, and counts where the games end:

- an enabled combo with entries and no current text is an offer: each entry
  is drawn with the percent its text ends in (they must add up to 100);
- otherwise the next reel of the stop order is pressed, each of its 21 press
  positions with 1/21: on a column that shows slides the press stops the
  reel at press + slide and the road clicks that stop's radio; on a press
  choice (awaiting_stop, radios without slides) it clicks the press's radio;
- after the last press and its offers the window is state.stop_pos, and the
  nine pictures show those stops.

The window probabilities so counted, exact fractions, must be those of
windows.csv, row for row; the CSV's symbol columns must be what the panel
showed. So must the aim: each game's weight shared among the presses of each
reel that reach the stop its road clicked gives P(stop | press) per reel,
which must be aim.csv's, row for row. Nothing here knows the machine's
tables: only the draw rules.

    windows_differential_test.py --atlas REELCTL_ATLAS --script-tool REELCTL_SCRIPT
        [--triple B,O,R ...] [--workers N]"""
import argparse
import concurrent.futures
import csv
import json
import os
import re
import subprocess
import sys
import tempfile
from fractions import Fraction

# A sample with every kind of road: pattern mode with a split (3 coins, left
# first, BIG BONUS), the ten-coin role at stop order 0 (press choice, then a
# composed offer), center first with a BIG role, right first with a REG role,
# and the ten-coin role at one coin (one table; its center computation is the
# one that could mark a stop before the center reel is pressed).
DEFAULT_TRIPLES = [(2, 1, 4), (1, 0, 10), (1, 2, 4), (1, 4, 7), (0, 0, 10)]
# What the roads of each must meet, so that the sample keeps its kinds: an
# offer after a press ("offer after press"), the pattern offer, a press
# choice on a reel.
MUST_MEET = {
    (2, 1, 4): {"pattern offer", "offer after press"},
    (1, 0, 10): {"pattern offer", "press choice 1", "offer after press"},
    (1, 2, 4): {"table offer", "press choice 1"},
    (1, 4, 7): {"table offer", "press choice 2"},
}

STOP_ORDERS = [(0, 1, 2), (0, 2, 1), (1, 0, 2), (1, 2, 0), (2, 0, 1), (2, 1, 0)]
ROLE_COMBO, TABLE_COMBO, PATTERN_COMBO = 1057, 1058, 1059
PICTURE_SYMBOLS = {"VS7S": "seven", "VSRS": "bar", "VSFS": "frog", "VSMS": "moon", "VSOS": "orange",
                   "VSBS": "bell", "VSCS": "cherry", "VSSP": "blank"}
PERCENT = re.compile(r"([0-9]+(?:\.[0-9]+)?)%")


class Fault(Exception):
    pass


def run(tool, lines):
    script = "\n".join(lines) + "\n"
    done = subprocess.run([tool], input=script.encode(), capture_output=True, timeout=120)
    err = done.stderr.decode(errors="replace")
    if done.returncode != 0 or "ignored" in err:
        raise Fault("road %s: exit %d %s" % (lines, done.returncode, err[:300]))
    return [json.loads(line)["dump"] for line in done.stdout.decode().splitlines() if line.startswith('{"dump"')]


def slide_id(reel, row):
    return str(1101 + 100 * reel + row)


def radio_id(reel, row):
    return 1122 + 100 * reel + row


def next_steps(dump, order, presses, met):
    """The draws after this situation: [(line, weight, presses after it, the
    press indices it stands for or None)], or None at the end of a game; what
    kind of draw it is goes into `met`."""
    if dump["messages"]:
        raise Fault("a message box: %s" % dump["messages"])
    controls = dump["controls"]
    open_offers = [c for c in (ROLE_COMBO, PATTERN_COMBO, TABLE_COMBO)
                   if controls[str(c)]["enabled"] and controls[str(c)]["items"] and controls[str(c)]["text"] == ""]
    if len(open_offers) > 1:
        raise Fault("two offers at once")
    if open_offers:
        combo = open_offers[0]
        percents = []
        for text in controls[str(combo)]["items"]:
            found = PERCENT.findall(text)
            if not found:
                raise Fault("entry %r names no percent" % text)
            percents.append(Fraction(found[-1]))
        if sum(percents) != 100:
            raise Fault("offer %s adds up to %s%%" % (controls[str(combo)]["items"], sum(percents)))
        met.add("offer after press" if presses else "pattern offer" if combo == PATTERN_COMBO else "table offer")
        return [("pick %d %d" % (combo, e), p / 100, presses, None) for e, p in enumerate(percents) if p]
    if presses == 3:
        return None
    reel = STOP_ORDERS[order][presses]
    texts = [controls[slide_id(reel, row)]["text"] for row in range(21)]
    radios = [controls[str(radio_id(reel, row))] for row in range(21)]
    if dump["state"]["awaiting_stop"] == 1 and all(t == " " for t in texts) and all(r["visible"] for r in radios):
        met.add("press choice %d" % reel)
        return [("click %d" % radio_id(reel, press), Fraction(1, 21), presses + 1, (press,)) for press in range(21)]
    if not all(re.fullmatch(r"[0-4]", t) for t in texts):
        raise Fault("reel %d shows neither slides nor a press choice: %s" % (reel, texts))
    reached = {}
    for press in range(21):
        stop = press + int(texts[press])
        stop = stop - 21 if stop >= 21 else stop
        reached[stop] = reached.get(stop, ()) + (press,)
    for stop in reached:
        if not radios[stop]["visible"]:
            raise Fault("reel %d: the radio of stop %d, reached by a press, is hidden" % (reel, stop))
    return [("click %d" % radio_id(reel, stop), Fraction(len(group), 21), presses + 1, group)
            for stop, group in sorted(reached.items())]


def window_of(dump):
    stops = tuple(dump["state"]["stop_pos"])
    pictures = []
    for line in (2, 1, 0):
        for reel in range(3):
            image = dump["controls"][str(1065 + 3 * reel + line)]["image"]
            if image not in PICTURE_SYMBOLS:
                raise Fault("window static of reel %d line %d shows %r" % (reel, line, image))
            pictures.append(PICTURE_SYMBOLS[image])
    return stops, pictures


def play_triple(tool, pool, triple):
    bet, order, role = triple
    conditions = ["menu %d" % (40021 + bet), "menu %d" % (40024 + order)]
    # The role's item in the combo: the one whose pick puts state.role = role.
    items = run(tool, conditions + ["dump"])[0]["controls"][str(ROLE_COMBO)]["items"]
    probe = conditions + [line for i in range(len(items)) for line in ("pick %d %d" % (ROLE_COMBO, i), "dump")]
    picked = [d["state"]["role"] for d in run(tool, probe)]
    if role not in picked:
        raise Fault("role %d is not offered at bet %d" % (role, bet))
    # A node: the road, its weight, the presses made and the press groups by stop order.
    level = [(conditions + ["pick %d %d" % (ROLE_COMBO, picked.index(role))], Fraction(1), 0, ())]
    windows, pictures, aim, games, met = {}, {}, {}, 0, set()
    while level:
        dumps = list(pool.map(lambda node: run(tool, node[0] + ["dump"])[-1], level))
        following = []
        for (road, weight, presses, groups), dump in zip(level, dumps):
            steps = next_steps(dump, order, presses, met)
            if steps is None:
                stops, shown = window_of(dump)
                windows[stops] = windows.get(stops, 0) + weight
                pictures[stops] = shown
                for n, group in enumerate(groups):
                    reel = STOP_ORDERS[order][n]
                    for press in group:
                        key = (reel, press, stops[reel])
                        aim[key] = aim.get(key, 0) + weight * 21 / len(group)
                games += 1
                continue
            following.extend((road + [line], weight * w, p, groups + (group,) if group else groups)
                             for line, w, p, group in steps)
        level = following
    return windows, pictures, aim, games, met


def read_csv(path, triples):
    rows = {t: {} for t in triples}
    with open(path, encoding="utf-8", newline="") as f:
        reader = csv.reader(f)
        header = next(reader)
        if header[:8] != ["bet", "stop_order", "role", "left", "center", "right", "probability", "fraction"]:
            raise Fault("windows.csv header %s" % header[:8])
        for row in reader:
            t = tuple(int(v) for v in row[:3])
            if t in rows:
                rows[t][tuple(int(v) for v in row[3:6])] = (Fraction(row[7]), row[8:17])
    return rows


def read_aim(path, triples):
    rows = {t: {} for t in triples}
    with open(path, encoding="utf-8", newline="") as f:
        reader = csv.reader(f)
        if next(reader)[:8] != ["bet", "stop_order", "role", "reel", "press", "stop", "probability", "fraction"]:
            raise Fault("aim.csv header")
        for row in reader:
            t = tuple(int(v) for v in row[:3])
            if t in rows:
                rows[t][tuple(int(v) for v in row[3:6])] = Fraction(row[7])
    return rows


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--atlas", required=True)
    parser.add_argument("--script-tool", required=True)
    parser.add_argument("--triple", action="append", help="B,O,R; the default is a sample of every kind of road")
    parser.add_argument("--workers", type=int, default=max(4, (os.cpu_count() or 2) * 2))
    args = parser.parse_args()
    triples = [tuple(int(v) for v in t.split(",")) for t in args.triple] if args.triple else DEFAULT_TRIPLES
    failures = 0
    with tempfile.TemporaryDirectory() as out:
        subprocess.run([args.atlas, "--out", out, "--formats", "windows"], check=True, capture_output=True)
        expected = read_csv(os.path.join(out, "windows.csv"), triples)
        expected_aim = read_aim(os.path.join(out, "aim.csv"), triples)
    with concurrent.futures.ThreadPoolExecutor(args.workers) as pool:
        for triple in triples:
            try:
                windows, pictures, aim, games, met = play_triple(args.script_tool, pool, triple)
            except Fault as fault:
                print("FAIL %s: %s" % (triple, fault))
                failures += 1
                continue
            csv_rows = expected[triple]
            problems = []
            if not args.triple and not MUST_MEET.get(triple, set()) <= met:
                problems.append("the roads met %s, not all of %s" % (sorted(met), sorted(MUST_MEET[triple])))
            if sum(windows.values()) != 1:
                problems.append("the games' weights add up to %s" % sum(windows.values()))
            for stops in sorted(set(windows) | set(csv_rows)):
                played = windows.get(stops, Fraction(0))
                listed = csv_rows.get(stops, (Fraction(0), None))[0]
                if played != listed:
                    problems.append("window %s: played %s, windows.csv %s" % (stops, played, listed))
                elif pictures.get(stops) != csv_rows[stops][1]:
                    problems.append("window %s: the panel showed %s, windows.csv %s" % (
                        stops, pictures.get(stops), csv_rows[stops][1]))
            aim_rows = expected_aim[triple]
            for key in sorted(set(aim) | set(aim_rows)):
                if aim.get(key, 0) != aim_rows.get(key, 0):
                    problems.append("reel %d press %d stop %d: played %s, aim.csv %s" % (
                        key + (aim.get(key, 0), aim_rows.get(key, 0))))
            status = "FAIL" if problems else "ok"
            print("%s %s: %d games, %d windows, %d aim rows" % (status, triple, games, len(windows), len(aim)))
            for problem in problems[:10]:
                print("    " + problem)
            failures += bool(problems)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
