#!/usr/bin/env python3
"""atlas.sqlite answers the queries docs/windows.md documents as windows.csv
and presses.csv do: the `sql` blocks of the docs are run as written through
the sqlite3 program and their answers recomputed from the CSV files of the
same run; the tables hold every CSV row. Exit 77 (skipped) when reelctl-atlas
was built without SQLite or the sqlite3 program is missing.

    atlas_sqlite_test.py --atlas REELCTL_ATLAS --docs docs/windows.md"""
import argparse
import collections
import csv
import re
import shutil
import subprocess
import sys
import tempfile
from fractions import Fraction

SKIP = 77
GRAIN = 32 * 21 ** 3
QUERY = re.compile(r"```sql\n-- query: ([^\n]+)\n(.*?)```", re.S)


def run_sql(database, sql):
    done = subprocess.run(["sqlite3", "-bail", "-csv", database], input=sql, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"sqlite3 failed on:\n{sql}\n{done.stderr}")
    return [tuple(row) for row in csv.reader(done.stdout.splitlines())]


def expected_answers(out):
    """The documented queries' answers, from windows.csv and presses.csv."""
    roles = collections.defaultdict(set)  # (left, center, right) -> roles, at bet 2, stop order 0
    first_stop = collections.defaultdict(Fraction)  # role -> P(left = 18 | role)
    windows = 0
    with open(f"{out}/windows.csv", newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            windows += 1
            if (row["bet"], row["stop_order"]) != ("2", "0"):
                continue
            window = tuple(int(row[k]) for k in ("left", "center", "right"))
            roles[window].add(int(row["role"]))
            if window[0] == 18:
                first_stop[int(row["role"])] += Fraction(row["fraction"])
    bonus_only = sorted(w for w, rs in roles.items() if all(4 <= r <= 9 for r in rs))
    behind = []
    for role in sorted(first_stop):
        assert (first_stop[role] * GRAIN).denominator == 1, first_stop[role]
        behind.append((role, int(first_stop[role] * GRAIN)))
    switching, presses, texts = [], 0, {}
    with open(f"{out}/presses.csv", newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            presses += 1
            texts[int(row["situation"])] = (row["bet"], row["stop_order"], row["role"])
            if row["switches_to_table"]:
                switching.append((int(row["situation"]), row["reel"], int(row["press"]), int(row["switches_to_table"])))
    switching.sort(key=lambda r: (r[0], r[1], r[2]))
    return {"bonus-only windows": bonus_only, "roles behind a first stop": behind,
            "presses that switch the table": switching}, windows, presses, texts


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--atlas", required=True)
    parser.add_argument("--docs", required=True)
    args = parser.parse_args()
    if shutil.which("sqlite3") is None:
        print("the sqlite3 program is missing: skipped")
        return SKIP
    with open(args.docs, encoding="utf-8") as f:
        queries = dict(QUERY.findall(f.read()))
    failures = []
    with tempfile.TemporaryDirectory() as out:
        done = subprocess.run([args.atlas, "--out", out, "--formats", "sqlite,windows,csv"],
                              capture_output=True, text=True)
        if done.returncode == 1 and "not built in" in done.stderr:
            print(done.stderr.strip() + ": skipped")
            return SKIP
        if done.returncode != 0:
            sys.exit(f"reelctl-atlas failed ({done.returncode}): {done.stderr}")
        database = f"{out}/atlas.sqlite"
        expected, windows, presses, texts = expected_answers(out)
        if sorted(queries) != sorted(expected):
            failures.append(f"docs/windows.md's queries are {sorted(queries)}, the test knows {sorted(expected)}")
        for name, sql in queries.items():
            got = run_sql(database, sql)
            if name == "bonus-only windows":
                got = [tuple(map(int, r)) for r in got]
                if not got:
                    failures.append("no bonus-only window at three coins, 左→中→右")
            elif name == "roles behind a first stop":
                got = [tuple(map(int, r)) for r in got]
            elif name == "presses that switch the table":
                numbers = {}  # the situation's numbers name the same texts as presses.csv's, one for one
                for r in got:
                    key = tuple(map(int, r[4:]))
                    if numbers.setdefault(key, texts[int(r[0])]) != texts[int(r[0])]:
                        failures.append(f"situation {r[0]}: bet, stop order, role {key} name two sets of texts")
                        break
                if len(set(numbers.values())) != len(numbers):
                    failures.append("two triples of numbers name the same texts")
                got = [(int(r[0]), r[1], int(r[2]), int(r[3])) for r in got]
            want = expected.get(name)
            if got != want:
                failures.append(f"{name}: {len(got)} rows, the CSV gives {len(want or [])}; "
                                f"first difference {next((g, w) for g, w in zip(got + [None] * 9, (want or []) + [None] * 9) if g != w)}")
            else:
                print(f"{name}: {len(got)} rows as the CSV")
        counts = run_sql(database, "SELECT (SELECT COUNT(*) FROM windows), (SELECT COUNT(*) FROM presses), "
                                   "(SELECT COUNT(DISTINCT situation) FROM presses), (SELECT COUNT(*) FROM situations), "
                                   "(SELECT COUNT(*) FROM sqlite_master WHERE type = 'index');")
        windows_rows, press_rows, shown, situations, indexes = map(int, counts[0])
        printed = int(re.search(r"^(\d+) situations$", done.stdout, re.M).group(1))
        if (windows_rows, press_rows, shown, situations) != (windows, presses, len(texts), printed):
            failures.append(f"the tables hold {windows_rows} windows, {press_rows} presses of {shown} situations, "
                            f"{situations} situations; the CSV {windows}, {presses} of {len(texts)}, the run {printed}")
        if indexes < 4:
            failures.append(f"{indexes} indexes, not 4")
        partial = [p for p in subprocess.run(["ls", out], capture_output=True, text=True).stdout.split() if "partial" in p]
        if partial:
            failures.append(f"left behind: {partial}")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
