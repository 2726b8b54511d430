#!/usr/bin/env python3
"""The atlas holds what the panel shows: for a sample of its situations
(every one with --all), the road, played through reelctl-script from a fresh
panel, ends in exactly the situation's state and window; and every row of
presses.csv agrees with the columns of the situation's state.

    atlas_test.py --atlas REELCTL_ATLAS --script-tool REELCTL_SCRIPT [--all] [--sample N]"""
import argparse
import concurrent.futures
import csv
import json
import os
import random
import subprocess
import sys
import tempfile

WINDOW_IDS = [1065 + 3 * reel + line for line in (2, 1, 0) for reel in range(3)]  # top line first, left to right
STRIPS = None  # filled from the first dump: not needed, symbols come from the CSV check below


def play(tool, situation):
    script = "\n".join(situation["road"] + ["dump"]) + "\n"
    done = subprocess.run([tool], input=script.encode(), capture_output=True, timeout=60)
    if done.returncode != 0:
        return "exit %d: %s" % (done.returncode, done.stderr.decode(errors="replace")[:200])
    dump = json.loads(done.stdout.decode().splitlines()[-1])["dump"]
    if dump["state"] != situation["state"]:
        return "state differs"
    window = [dump["controls"][str(i)]["image"] for i in WINDOW_IDS]
    if window != situation["window"]:
        return "window %s, recorded %s" % (window, situation["window"])
    if "ignored" in done.stderr.decode(errors="replace"):
        return "a line of the road was ignored: " + done.stderr.decode(errors="replace")[:200]
    return None


def check_csv(situations, path):
    """Every CSV row of a computed column: the slide and the mark of the state's column."""
    rows = 0
    with open(path, encoding="utf-8", newline="") as f:
        for row in csv.DictReader(f):
            rows += 1
            s = situations[int(row["situation"]) - 1]["state"]
            reel = ["left", "center", "right"].index(row["reel"])
            press, stop = int(row["press"]) - 1, int(row["stop"]) - 1
            slide = int(row["slide"])
            if stop != (press + slide) % 21 and stop != press + slide - 21:
                return "row %d: stop %d is not press %d + slide %d" % (rows, stop + 1, press + 1, slide)
            press_choice = row["switches_to_table"] != "" or row["offers_entries"] != "" or (
                s["awaiting_stop"] == 1 and int(row["mark"]) == 0)
            if not press_choice:
                column = s["columns"][reel]
                if column[press][0] != slide or column[stop][1] != int(row["mark"]):
                    return "row %d: slide %s, mark %s; the state says %s, %s" % (
                        rows, slide, row["mark"], column[press][0], column[stop][1])
    return None if rows else "presses.csv has no rows"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--atlas", required=True)
    parser.add_argument("--script-tool", required=True)
    parser.add_argument("--all", action="store_true")
    parser.add_argument("--sample", type=int, default=400)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as out:
        done = subprocess.run([args.atlas, "--out", out, "--formats", "jsonl,csv"], capture_output=True, timeout=600)
        if done.returncode != 0:
            sys.exit("reelctl-atlas failed: " + done.stderr.decode(errors="replace"))
        with open(os.path.join(out, "situations.jsonl"), encoding="utf-8") as f:
            situations = [json.loads(line) for line in f]
        problem = check_csv(situations, os.path.join(out, "presses.csv"))
        if problem:
            sys.exit("presses.csv: " + problem)
    chosen = list(range(len(situations)))
    if not args.all:
        rng = random.Random(20261208)
        chosen = sorted(set(rng.sample(chosen, min(args.sample, len(chosen))) + [0, len(chosen) - 1]))
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        results = list(pool.map(lambda n: (n, play(args.script_tool, situations[n])), chosen))
    failures = [(n, why) for n, why in results if why]
    for n, why in failures[:10]:
        print("situation %d (%s): %s" % (n + 1, " / ".join(situations[n]["road"]), why))
    print("%d situations, %d roads played, %d wrong; presses.csv agrees" % (len(situations), len(chosen), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
