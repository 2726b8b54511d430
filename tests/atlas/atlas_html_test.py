#!/usr/bin/env python3
"""The atlas's pages hold what the JSON lines and the CSV hold: a tree page for
every bet, stop order and role; every situation drawn exactly once; on a
sample of pages every road link leads to the road of its situation, the
columns and the window are those of its state, and every link finds its
target; the reverse lookup's data gives the stops and symbols of presses.csv
for a sample of situations; no page is too large for a phone; the index
counts the windows and the bonus-only ones of every bet and stop order as
tell-counts.csv of the same run does, each linking to the judge.

    atlas_html_test.py --atlas REELCTL_ATLAS [--sample N]"""
import argparse
import collections
import csv
import json
import os
import random
import re
import subprocess
import sys
import tempfile
import urllib.parse

PAGE_LIMIT = 1 << 20
SECTION = re.compile(r"<section id=s(\d+)>(.*?)</section>", re.S)
COLUMN = re.compile(r"<div class=rl><img src=\.\./pictures/(\w+)\.bmp alt=\"\"><ol>(.*?)</ol></div>", re.S)
ROW = re.compile(r"<li(?: class=(\w+)| class=\"([\w ]+)\")?>(\d?)")
HREF = re.compile(r"href=\"?([^\" >]+)")


class Failures:
    def __init__(self):
        self.messages = []

    def check(self, ok, message):
        if not ok:
            self.messages.append(message)
        return ok


def read_pages(folder):
    pages = {}
    for name in os.listdir(folder):
        if name.endswith(".html"):
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                pages[name] = f.read()
    return pages


def check_trees(situations, pages, fail):
    """A page per tree, linked from the index; each situation on exactly one page."""
    groups = {(s["state"]["bet"], s["state"]["stop_order"], s["state"]["role"]) for s in situations}
    index_links = set(HREF.findall(pages["index.html"]))
    for bet, order, role in sorted(groups):
        name = "role-%d-%d-%d.html" % (bet, order, role)
        fail.check(name in pages, "no page " + name)
        fail.check(name in index_links, "the index does not link " + name)
    where = collections.defaultdict(list)
    for name, text in pages.items():
        for match in re.finditer(r"<section id=s(\d+)>", text):
            where[int(match.group(1))].append(name)
    drawn_twice = [n for n, names in where.items() if len(names) > 1]
    missing = [n for n in range(1, len(situations) + 1) if n not in where]
    fail.check(not drawn_twice, "situations drawn more than once: %s" % drawn_twice[:5])
    fail.check(not missing and len(where) == len(situations), "situations on no page: %s" % missing[:5])
    for name, text in pages.items():
        if name.startswith("role-"):
            s = situations[int(re.search(r"<section id=s(\d+)>", text).group(1)) - 1]["state"]
            fail.check(name.startswith("role-%d-%d-%d" % (s["bet"], s["stop_order"], s["role"])),
                       name + " starts with a situation of another role")
        fail.check(len(text.encode()) < PAGE_LIMIT, "%s has %d bytes" % (name, len(text.encode())))
    return where


def check_page(name, text, situations, pages, files, columns_of, fail):
    """Road links, columns and window of every situation on a page; every link's target."""
    sections = SECTION.findall(text)
    fail.check(sections, name + " draws no situation")
    for number, body in sections:
        situation = situations[int(number) - 1]
        links = [h.split("#road=", 1) for h in HREF.findall(body) if "#road=" in h]
        roads = [urllib.parse.unquote(road).split("\n") for _, road in links]
        fail.check(roads == [situation["road"]], "%s s%s: road links %s, road %s" % (name, number, roads, situation["road"]))
        # encodeURIComponent's form: a browser drops raw line ends from an address
        encoded = urllib.parse.quote("\n".join(situation["road"]), safe="!*'()")
        fail.check(links == [["../index.html", encoded]], "%s s%s: link %s, not ../index.html#road=%s" % (
            name, number, links, encoded))
        window = re.findall(r"pictures/(\w+)\.bmp", body.split("<div class=w>", 1)[1])
        fail.check(window == situation["window"], "%s s%s: window %s, recorded %s" % (name, number, window, situation["window"]))
        drawn = COLUMN.findall(body)
        if not fail.check(len(drawn) == 3, "%s s%s: %d columns" % (name, number, len(drawn))):
            continue
        for reel, (strip, rows) in enumerate(drawn):
            rows = ROW.findall(rows)
            fail.check(len(rows) == 21, "%s s%s reel %d: %d rows" % (name, number, reel, len(rows)))
            column = columns_of[int(number)][reel]
            for top, (one, many, digit) in enumerate(rows):
                row, classes = 20 - top, (one or many).split()
                if digit and "p" in classes:  # the slide a press gives, and so the stop of the lookup
                    fail.check(column and (row + int(digit)) % 21 == stops(column)[row][0],
                               "%s s%s reel %d press %d: slide %s, lookup column %s" % (name, number, reel, row + 1, digit, column))
                elif digit:
                    fail.check(int(digit) == situation["state"]["columns"][reel][row][0],
                               "%s s%s reel %d row %d: slide %s, the state says %s" % (
                                   name, number, reel, row + 1, digit, situation["state"]["columns"][reel][row][0]))
    for href in HREF.findall(text):
        if href.startswith("../"):
            continue
        page, _, anchor = href.partition("#")
        target = pages.get(page or name, "")
        fail.check(page in files if not anchor else "id=%s>" % anchor in target, "%s: broken link %s" % (name, href))


def stops(column):
    """[(stop, greyed)] by press, from a lookup column."""
    return [(ord(c) - (65 if c < "a" else 97), c < "a") for c in column.lstrip("~")]


def check_lookup(data, situations, csv_path, sample, pages, fail):
    """The lookup's column of every reel of the sample: the stops and symbols of presses.csv."""
    entries = {entry[0]: entry for entry in data["situations"]}
    fail.check(sorted(entries) == list(range(1, len(situations) + 1)), "the lookup does not hold each situation once")
    symbols = data["symbols"]
    seen = collections.defaultdict(set)
    with open(csv_path, encoding="utf-8", newline="") as f:
        rows = csv.reader(f)
        header = next(rows)
        at = {name: i for i, name in enumerate(header)}
        for row in rows:
            number = int(row[0])
            if number not in sample:
                continue
            entry = entries[number]
            reel = data["reels"].index(row[at["reel"]])
            press, stop = int(row[at["press"]]) - 1, int(row[at["stop"]]) - 1
            seen[number].add(reel)
            column = data["columns"][entry[5 + reel]] if entry[5 + reel] >= 0 else None
            if not fail.check(column, "situation %d: no lookup column for reel %d" % (number, reel)):
                continue
            fail.check(stops(column)[press][0] == stop, "situation %d reel %d press %d: stop %d, the lookup says %d" % (
                number, reel, press + 1, stop + 1, stops(column)[press][0] + 1))
            lines = [symbols[data["strips"][reel][stops(column)[press][0] + line]] for line in range(3)]
            expected = [row[at["window_" + line]] for line in data["lines"]]
            fail.check(lines == expected, "situation %d reel %d press %d: %s, the CSV says %s" % (
                number, reel, press + 1, lines, expected))
    for number in sample:
        entry = entries[number]
        shown = {reel for reel in range(3) if entry[5 + reel] >= 0}
        fail.check(shown == seen[number], "situation %d: lookup columns %s, CSV reels %s" % (number, shown, seen[number]))
        page = data["pages"][entry[4]]
        fail.check("<section id=s%d>" % number in pages.get(page, ""), "situation %d is not on %s" % (number, page))
        parent = entry[2]
        road = situations[number - 1]["road"]
        if parent >= 0:  # the parent's road is this road but its last act
            fail.check(situations[data["situations"][parent][0] - 1]["road"] == road[:-1],
                       "situation %d: the lookup's parent has another road" % number)
    fail.check(all(entry[2] < k for k, entry in enumerate(data["situations"])), "the lookup lists a child before its parent")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--atlas", required=True)
    parser.add_argument("--sample", type=int, default=30, help="pages to check whole")
    args = parser.parse_args()
    fail = Failures()
    rng = random.Random(20261208)
    with tempfile.TemporaryDirectory() as out:
        done = subprocess.run([args.atlas, "--out", out], capture_output=True, timeout=300)
        if done.returncode != 0:
            sys.exit("reelctl-atlas failed: " + done.stderr.decode(errors="replace"))
        with open(os.path.join(out, "situations.jsonl"), encoding="utf-8") as f:
            situations = [json.loads(line) for line in f]
        folder = os.path.join(out, "html")
        pages = read_pages(folder)
        with open(os.path.join(folder, "lookup.json"), encoding="utf-8") as f:
            data = json.load(f)
        for name in ("atlas.css", "lookup.js", "lookup.html", "index.html"):
            fail.check(os.path.getsize(os.path.join(folder, name)) > 0, name + " is missing or empty")
        where = check_trees(situations, pages, fail)

        columns_of = {e[0]: [data["columns"][c] if c >= 0 else None for c in e[5:8]] for e in data["situations"]}
        largest = max((n for n in pages if n.startswith("role-")), key=lambda n: len(pages[n]))
        chosen = {largest, "role-2-0-10.html"} | set(rng.sample(sorted(n for n in pages if n.startswith("role-")), args.sample))
        for name in sorted(chosen):
            check_page(name, pages[name], situations, pages, set(os.listdir(folder)), columns_of, fail)

        sample = set(rng.sample(range(1, len(situations) + 1), 400))
        sample |= {int(re.search(r"<section id=s(\d+)>", pages[n]).group(1)) for n in chosen}  # the pages' first ones
        check_lookup(data, situations, os.path.join(out, "presses.csv"), sample, pages, fail)
        with open(os.path.join(out, "tell-counts.csv"), encoding="utf-8") as f:
            counts = {(r["bet"], r["stop_order"]): (r["windows"], r["bonus_only"])
                      for r in csv.DictReader(f) if r["stopped"] == "3"}
        shown = {(b, o): (n, k) for b, o, n, k in re.findall(
            r'<a href="\.\./judge\.html#bet=(\d)&amp;order=(\d)">(\d+) windows, (\d+) bonus-only</a>', pages["index.html"])}
        fail.check(len(counts) == 18 and shown == counts, "the index counts %s, tell-counts.csv %s" % (shown, counts))
    for message in fail.messages[:20]:
        print(message)
    print("%d situations on %d pages (largest %s, %d bytes); %d pages and %d lookup entries checked, %d faults" % (
        len(situations), len(set(n for names in where.values() for n in names)), largest, len(pages[largest].encode()),
        len(chosen), len(sample), len(fail.messages)))
    return 1 if fail.messages else 0


if __name__ == "__main__":
    sys.exit(main())
