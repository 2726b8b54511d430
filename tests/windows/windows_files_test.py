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
- reelctl-atlas --judge: the same numbers for full and partial windows; --help;
  a bad value is one line on standard error and exit status 2.
- A run killed midway, over the files of an earlier run, leaves each of them
  whole: byte for byte the earlier file (the files are the same every run).

    windows_files_test.py --atlas REELCTL_ATLAS"""
import argparse
import csv
import json
import os
import random
import re
import subprocess
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
    names = ("windows.csv", "tells.csv", "tell-counts.csv")
    whole = {name: open(os.path.join(out, name), "rb").read() for name in names}
    started = time.monotonic()
    subprocess.run([atlas, "--out", out, "--formats", "windows"], check=True, capture_output=True)
    duration = time.monotonic() - started
    for share in (0.5, 0.7, 0.85, 0.95):
        run = subprocess.Popen([atlas, "--out", out, "--formats", "windows"], stdout=subprocess.DEVNULL)
        time.sleep(duration * share)
        run.send_signal(signal.SIGKILL)
        run.wait()
        for name in names:
            check(open(os.path.join(out, name), "rb").read() == whole[name],
                  "%s is not whole after a run killed at %.2f s" % (name, duration * share))
    for target in (None,) + names:
        run = subprocess.Popen([atlas, "--out", out, "--formats", "windows"], stdout=subprocess.DEVNULL)
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
            check(open(os.path.join(out, name), "rb").read() == whole[name],
                  "%s is not whole after a run killed while writing %s" % (name, target or "nothing"))
        for f in os.listdir(out):
            if ".partial-" in f:
                os.remove(os.path.join(out, f))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--atlas", required=True)
    args = parser.parse_args()
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
        check_killed_runs(args.atlas, out)
    check_judge(args.atlas, windows, tells)
    for failure in failures[:20]:
        print("FAIL " + failure)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
