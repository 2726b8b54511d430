#!/usr/bin/env python3
"""What reelctl-atlas --formats windows writes, and the judge, against each other.

- windows.csv: the header, the order (bet, stop order, role, left, center,
  right, numerically), each probability in plain decimal notation correctly
  rounded to at least 12 significant digits, each fraction in lowest terms,
  a whole multiple of 1/296,352, and each triple's fractions adding up to 1;
  8 roles at one coin and 11 at two and three coins, for all six stop orders.
- tells.csv and tell-counts.csv: every window and partial window (the first
  reel of the stop order stopped, the first two) with the roles that show it,
  their marginal probabilities and the class, as recomputed here from
  windows.csv; the counts from tells.csv.
- aim.csv: each press of each reel adds up to 1 over its stops, and, a
  press being drawn evenly, the stops' shares are windows.csv's marginals of
  that reel; the symbols of a stop are those windows.csv shows.
- reelctl-atlas --judge and --aim: the same numbers for full and partial
  windows, and for aims sampled over aim.csv; --help; a bad value is one line
  on standard error and exit status 2.
- A run killed midway, over the files of an earlier run, leaves each of them
  whole: byte for byte the earlier file (the files are the same every run);
  so does one of the default formats, html/ included.

    windows_files_test.py --atlas REELCTL_ATLAS [--killed-runs]

--killed-runs checks only the killed runs (a test of its own: it runs the
atlas a dozen times); without it everything else is checked."""
import argparse
import csv
import json
import os
import random
import re
import subprocess
import shutil
import signal
import sys
import tempfile
import time
from collections import defaultdict
from decimal import Decimal
from fractions import Fraction

HEADER = ["bet", "stop_order", "role", "left", "center", "right", "probability", "fraction"]
STOP_ORDERS = [(0, 1, 2), (0, 2, 1), (1, 0, 2), (1, 2, 0), (2, 0, 1), (2, 1, 0)]
GRAIN = 32 * 21 ** 3

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def read_windows(path):
    """{(bet, order): {role: {(l, c, r): Fraction}}}"""
    by_conditions = defaultdict(lambda: defaultdict(dict))
    with open(path, encoding="utf-8", newline="") as f:
        reader = csv.reader(f)
        check(next(reader)[:8] == HEADER, "windows.csv: header")
        previous = None
        for n, row in enumerate(reader, 2):
            key = tuple(int(v) for v in row[:6])
            check(previous is None or key > previous, "windows.csv line %d: out of order" % n)
            previous = key
            num, den = (int(v) for v in row[7].split("/"))
            exact = Fraction(num, den)
            check(exact.denominator == den and exact.numerator == num and num > 0,
                  "windows.csv line %d: %s is not in lowest terms" % (n, row[7]))
            check(GRAIN % den == 0, "windows.csv line %d: %s is no multiple of 1/%d" % (n, row[7], GRAIN))
            text = row[6]
            if check(re.fullmatch(r"1|0(\.[0-9]+)?", text), "windows.csv line %d: probability %r" % (n, text)):
                printed = Fraction(Decimal(text))
                places = len(text.split(".")[1]) if "." in text else 0
                digits = len(text.split(".")[1].lstrip("0")) if "." in text else 1
                check(printed == exact or (abs(printed - exact) <= Fraction(1, 2 * 10 ** places) and digits >= 12),
                      "windows.csv line %d: %s is not %s rounded to 12 digits" % (n, text, row[7]))
            by_conditions[key[0], key[1]][key[2]][key[3:6]] = exact
    return by_conditions


def part_of(stops, order, stopped):
    part = [None, None, None]
    for reel in STOP_ORDERS[order][:stopped]:
        part[reel] = stops[reel]
    return tuple(part)


def classify(roles):
    if not roles:
        return "impossible"
    big = [r for r in roles if 4 <= r <= 6]
    reg = [r for r in roles if 7 <= r <= 9]
    others = len(roles) - len(big) - len(reg)
    if others == 0:
        return "BIG-only" if not reg else "REG-only" if not big else "bonus-only"
    return "no-bonus" if not big and not reg else "mixed"


def expected_tells(windows):
    tells = {}
    for (bet, order), roles in windows.items():
        for role, table in roles.items():
            for stops, p in table.items():
                for stopped in (1, 2, 3):
                    key = (bet, order, stopped) + part_of(stops, order, stopped)
                    tells.setdefault(key, defaultdict(Fraction))[role] += p
    return tells


def check_tells(out, windows):
    expected = expected_tells(windows)
    seen = 0
    counts = defaultdict(lambda: [0] * 6)
    with open(os.path.join(out, "tells.csv"), encoding="utf-8", newline="") as f:
        for n, row in enumerate(csv.DictReader(f), 2):
            part = tuple(int(row[k]) if row[k] != "" else None for k in ("left", "center", "right"))
            key = (int(row["bet"]), int(row["stop_order"]), int(row["stopped"])) + part
            roles = {int(r): Fraction(p) for r, p in (item.split(":") for item in row["probabilities"].split())}
            seen += 1
            if not check(key in expected, "tells.csv line %d: %s shows in no window" % (n, key)):
                continue
            check(roles == dict(expected[key]), "tells.csv line %d: roles %s, windows.csv gives %s" % (
                n, roles, dict(expected[key])))
            check([int(r) for r in row["roles"].split()] == sorted(roles), "tells.csv line %d: roles column" % n)
            check(row["class"] == classify(sorted(roles)), "tells.csv line %d: class %s" % (n, row["class"]))
            check(row["one_role"] == (str(next(iter(roles))) if len(roles) == 1 else ""), "tells.csv line %d: one_role" % n)
            c = counts[key[:3]]
            k = row["class"]
            c[0] += 1
            c[1] += k in ("BIG-only", "REG-only", "bonus-only")
            c[2] += k == "BIG-only"
            c[3] += k == "REG-only"
            c[4] += k == "no-bonus"
            c[5] += len(roles) == 1
    check(seen == len(expected), "tells.csv: %d lines, windows.csv gives %d" % (seen, len(expected)))
    with open(os.path.join(out, "tell-counts.csv"), encoding="utf-8", newline="") as f:
        rows = {(int(r["bet"]), int(r["stop_order"]), int(r["stopped"])):
                [int(r[k]) for k in ("windows", "bonus_only", "big_only", "reg_only", "no_bonus", "one_role")]
                for r in csv.DictReader(f)}
    check(rows == dict(counts), "tell-counts.csv disagrees with tells.csv")
    return expected


LINES = ("top", "middle", "bottom")


def read_aim(out, windows):
    """{(bet, order, role, reel, press): {stop: Fraction}} and {(reel, stop): (top, middle, bottom)},
    checked against windows.csv."""
    symbols = {}
    with open(os.path.join(out, "windows.csv"), encoding="utf-8", newline="") as f:
        for row in csv.DictReader(f):
            for reel, name in enumerate(("left", "center", "right")):
                symbols[reel, int(row[name])] = tuple(row["%s_%s" % (line, name)] for line in LINES)
    aim = defaultdict(dict)
    with open(os.path.join(out, "aim.csv"), encoding="utf-8", newline="") as f:
        reader = csv.reader(f)
        check(next(reader) == ["bet", "stop_order", "role", "reel", "press", "stop", "probability", "fraction",
                               "top", "middle", "bottom"], "aim.csv: header")
        previous = None
        for n, row in enumerate(reader, 2):
            key = tuple(int(v) for v in row[:6])
            check(previous is None or key > previous, "aim.csv line %d: out of order" % n)
            previous = key
            p = Fraction(row[7])
            check(p > 0 and abs(Fraction(Decimal(row[6])) - p) < Fraction(1, 10 ** 15), "aim.csv line %d: %s" % (n, row[6:8]))
            check(symbols.get((key[3], key[5]), tuple(row[8:11])) == tuple(row[8:11]), "aim.csv line %d: symbols" % n)
            aim[key[:5]][key[5]] = p
    for (bet, order), roles in windows.items():
        for role, table in roles.items():
            for reel in range(3):
                marginal = defaultdict(Fraction)
                for stops, p in table.items():
                    marginal[stops[reel]] += p
                shares = defaultdict(Fraction)
                for press in range(21):
                    row = aim.get((bet, order, role, reel, press), {})
                    check(sum(row.values()) == 1, "aim.csv %s press %d: adds up to %s" % ((bet, order, role, reel), press,
                                                                                          sum(row.values())))
                    for stop, p in row.items():
                        shares[stop] += p / 21
                check(shares == marginal, "aim.csv %s: the stops' shares are not windows.csv's" % ((bet, order, role, reel),))
    return aim, symbols


def check_aim_cli(atlas, aim, symbols):
    rng = random.Random(18)
    queries = [(2, 0, 4, 0, "bottom", "seven"), (1, 2, 10, 1, "middle", "bell")]
    for _ in range(8):
        bet, order, role, reel, press = rng.choice(sorted(aim))
        stop = rng.choice(sorted(aim[bet, order, role, reel, press]))
        line = rng.randrange(3)
        queries.append((bet, order, role, reel, LINES[line], symbols[reel, stop][line]))
    for bet, order, role, reel, line, symbol in queries:
        args = ["--aim", "--bet", bet, "--order", order, "--role", role, "--reel", ("left", "center", "right")[reel],
                "--line", line, "--symbol", symbol]
        done = subprocess.run([atlas] + [str(a) for a in args], capture_output=True, text=True, timeout=120)
        if not check(done.returncode == 0, "aim %s: exit %d %s" % (args, done.returncode, done.stderr)):
            continue
        lines = [json.loads(text) for text in done.stdout.splitlines()]
        shows = {stop for (r, stop), lines_of in symbols.items() if r == reel and lines_of[LINES.index(line)] == symbol}
        expected = {}
        for press in range(21):
            p = sum((q for stop, q in aim[bet, order, role, reel, press].items() if stop in shows), Fraction(0))
            if p:
                expected[press] = p
        got = {d["press"]: Fraction(d["fraction"]) for d in lines if "press" in d}
        check(got == expected, "aim %s: presses %s, aim.csv gives %s" % (args, got, expected))
        reach = defaultdict(Fraction)
        sure = defaultdict(int)
        for press in range(21):
            for stop, q in aim[bet, order, role, reel, press].items():
                if stop in shows:
                    reach[stop] += q
                    sure[stop] += q == 1
        got = {d["stop"]: (Fraction(d["presses"]), d["sure_presses"]) for d in lines if "stop" in d}
        check(got == {stop: (reach[stop], sure[stop]) for stop in reach}, "aim %s: slack %s" % (args, got))
        check(Fraction(lines[-1]["fraction"]) == sum(expected.values(), Fraction(0)) / 21
              and lines[-1]["never_miss"] == [press for press, p in sorted(expected.items()) if p == 1],
              "aim %s: summary %s" % (args, lines[-1]))
    for bad in (["--role", 11], ["--role", 6, "--bet", 0], ["--reel", "middle"], ["--line", "center"],
                ["--symbol", "blank"], ["--left", 3], ["--judge"]):
        given = {"--bet": 2, "--order": 0, "--role": 4, "--reel": "left", "--line": "top", "--symbol": "seven"}
        extra = []
        for i in range(0, len(bad), 2):
            if i + 1 < len(bad) and bad[i] in given:
                given[bad[i]] = bad[i + 1]
            else:
                extra += bad[i:i + 2]
        args = ["--aim"] + [str(a) for k, v in given.items() for a in (k, v)] + [str(a) for a in extra]
        done = subprocess.run([atlas] + args, capture_output=True, text=True, timeout=120)
        check(done.returncode == 2 and done.stdout == "" and len(done.stderr.splitlines()) == 1,
              "aim %s: exit %d, stderr %r" % (args, done.returncode, done.stderr))


def judge(atlas, *args):
    return subprocess.run([atlas, "--judge"] + [str(a) for a in args], capture_output=True, text=True, timeout=120)


def check_judge(atlas, windows, tells):
    rng = random.Random(16)
    queries = [(2, 0, {"left": 18}), (0, 3, {}), (1, 5, {"right": 20, "center": 0, "left": 0})]
    keys = sorted(tells)
    for key in rng.sample(keys, 12):
        bet, order, _, *part = key
        queries.append((bet, order, {name: v for name, v in zip(("left", "center", "right"), part) if v is not None}))
    for bet, order, given in queries:
        args = ["--bet", bet, "--order", order] + [a for name, v in given.items() for a in ("--" + name, v)]
        done = judge(atlas, *args)
        if not check(done.returncode == 0, "judge %s: exit %d %s" % (args, done.returncode, done.stderr)):
            continue
        lines = [json.loads(line) for line in done.stdout.splitlines()]
        expected = {}
        for role, table in windows[bet, order].items():
            p = sum((q for stops, q in table.items()
                     if all(stops[i] == given[name] for i, name in enumerate(("left", "center", "right")) if name in given)),
                    Fraction(0))
            if p:
                expected[role] = p
        got = {line["role"]: Fraction(line["fraction"]) for line in lines[:-1]}
        check(got == expected, "judge %s: %s, windows.csv gives %s" % (args, got, expected))
        for line in lines[:-1]:
            check(abs(Fraction(Decimal(line["probability"])) - Fraction(line["fraction"])) < Fraction(1, 10 ** 15),
                  "judge %s: probability %s against %s" % (args, line["probability"], line["fraction"]))
        check(lines[-1]["roles"] == sorted(expected) and lines[-1]["class"] == classify(sorted(expected)),
              "judge %s: summary %s" % (args, lines[-1]))
    done = judge(atlas, "--help")
    check(done.returncode == 0 and "--bet" in done.stdout, "judge --help")
    for bad in (["--bet", 3, "--order", 0], ["--bet", 1, "--order", "x"], ["--bet", 1, "--order", 0, "--left", 21],
                ["--bet", 1, "--order", 0, "--right", -1], ["--order", 0], ["--bet", 1, "--order", 0, "--colour", 2],
                ["--bet", 1, "--order", 0, "--center"]):
        done = judge(atlas, *bad)
        check(done.returncode == 2 and done.stdout == "" and len(done.stderr.splitlines()) == 1
              and done.stderr.startswith("reelctl-atlas: "),
              "judge %s: exit %d, stderr %r" % (bad, done.returncode, done.stderr))


def check_killed_runs(atlas, out):
    """Kills runs at points spread over a run's time, and while each file is
    written (as soon as its temporary beside it appears); every file must stay
    the earlier one."""
    killed_runs(atlas, out, "windows", ("windows.csv", "tells.csv", "tell-counts.csv", "aim.csv"), (0.5, 0.7, 0.85, 0.95))
    killed_runs(atlas, out, "jsonl,csv,html", ("situations.jsonl", "presses.csv", "html"), (0.5, 0.9))


def contents(path):
    """A file's bytes, or a folder's {name: bytes}."""
    if os.path.isdir(path):
        return {name: open(os.path.join(path, name), "rb").read() for name in sorted(os.listdir(path))}
    return open(path, "rb").read()


def killed_runs(atlas, out, formats, names, shares):
    subprocess.run([atlas, "--out", out, "--formats", formats], check=True, capture_output=True)
    whole = {name: contents(os.path.join(out, name)) for name in names}
    started = time.monotonic()
    subprocess.run([atlas, "--out", out, "--formats", formats], check=True, capture_output=True)
    duration = time.monotonic() - started
    for share in shares:
        run = subprocess.Popen([atlas, "--out", out, "--formats", formats], stdout=subprocess.DEVNULL)
        time.sleep(duration * share)
        run.send_signal(signal.SIGKILL)
        run.wait()
        for name in names:
            check(contents(os.path.join(out, name)) == whole[name],
                  "%s is not whole after a run killed at %.2f s" % (name, duration * share))
    for target in (None,) + names:
        run = subprocess.Popen([atlas, "--out", out, "--formats", formats], stdout=subprocess.DEVNULL)
        deadline = time.monotonic() + 60
        caught = target is None
        while not caught and run.poll() is None and time.monotonic() < deadline:
            caught = any(f.startswith(target + ".partial-") for f in os.listdir(out))
            if not caught:
                time.sleep(0.002)
        run.send_signal(signal.SIGKILL)
        run.wait()
        check(caught, "the run ended before it wrote %s" % target)
        for name in names:
            check(contents(os.path.join(out, name)) == whole[name],
                  "%s is not whole after a run killed while writing %s" % (name, target or "nothing"))
        for f in os.listdir(out):
            if ".partial-" in f:
                shutil.rmtree(os.path.join(out, f)) if os.path.isdir(os.path.join(out, f)) else os.remove(os.path.join(out, f))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--atlas", required=True)
    parser.add_argument("--killed-runs", action="store_true")
    args = parser.parse_args()
    if args.killed_runs:
        with tempfile.TemporaryDirectory() as out:
            check_killed_runs(args.atlas, out)
        return report()
    with tempfile.TemporaryDirectory() as out:
        subprocess.run([args.atlas, "--out", out, "--formats", "windows"], check=True, capture_output=True)
        windows = read_windows(os.path.join(out, "windows.csv"))
        for bet in range(3):
            for order in range(6):
                roles = windows[bet, order]
                check(len(roles) == (8 if bet == 0 else 11), "bet %d order %d: %d roles" % (bet, order, len(roles)))
                for role, table in roles.items():
                    check(sum(table.values()) == 1, "bet %d order %d role %d: the fractions add up to %s" % (
                        bet, order, role, sum(table.values())))
        tells = check_tells(out, windows)
        aim, symbols = read_aim(out, windows)
    check_judge(args.atlas, windows, tells)
    check_aim_cli(args.atlas, aim, symbols)
    return report()


def report():
    for failure in failures[:20]:
        print("FAIL " + failure)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
