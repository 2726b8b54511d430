#!/usr/bin/env python3
"""Writes reproducible random panel scripts: a user's session of menu
commands, role, table and pattern picks, stop clicks, typed texts, stray
commands and dumps. The same seed always gives the same scripts.

    generate_scripts.py --out DIR [--count N] [--events N] [--seed S]
    generate_scripts.py --session FILE --events N [--seed S]

Each script starts with a comment line naming its options for reelctl-script
(`# options: ...`). --session writes one session of exactly N user events
without dumps or tracing, for measuring the cost of an event."""
import argparse
import os
import random

ROLE_NAMES = ["BIG BONUS", "REG BONUS", "ﾘﾌﾟﾚｲ", "ﾍﾞﾙ", "ｵﾚﾝｼﾞ", "2枚ﾁｪﾘｰ", "4枚ﾁｪﾘｰ", "ﾊｽﾞﾚ", "no such role"]
ODD_TEXTS = ["(1) 25%", "(0)", "(-1)", "(12) 5%", "(9", "(", "", " ", "abc", "左停止ﾊﾟﾀｰﾝA", "①②", "～",
             "\u00e9t\u00e9", "(2) 50%", "(10)", "(3)x"]


def event(rng, dumps=True):
    roll = rng.random()
    if roll < 0.06:
        return "menu %d" % rng.choice([40021, 40022, 40023, 40024, 40025, 40026, 40027, 40028, 40029])
    if roll < 0.14:
        return "pick 1057 %d" % rng.randrange(0, 12)
    if roll < 0.17:
        return "picktext 1057 %s" % rng.choice(ROLE_NAMES)
    if roll < 0.25:
        return "pick 1058 %d" % rng.randrange(0, 5)
    if roll < 0.31:
        return "pick 1059 %d" % rng.randrange(0, 4)
    if roll < 0.62:
        reel = rng.randrange(0, 3)
        return "click %d" % (1122 + 100 * reel + rng.randrange(0, 21))
    if roll < 0.68:
        return "click %d" % rng.choice([101, 102, 101, 102, 1062, 1101])
    if roll < 0.71:
        combo = rng.choice([1057, 1058, 1059])
        return "settext %d %s\ncommand %d 9" % (combo, rng.choice(ODD_TEXTS), combo)
    if roll < 0.74:
        return "command %d %d" % (rng.choice([101, 102, 1057, 1058, 1059, 2, 1, 40030, 1130, 1230, 1330, 7]),
                                  rng.choice([0, 9, 1, 0]))
    if roll < 0.76:
        return "setfocus"
    if roll < 0.77:
        return "syscommand %s" % rng.choice(["0xF060", "0xF020", "61536", "0"])
    if roll < 0.78 and dumps:
        return "trace %s" % rng.choice(["on", "off"])
    if roll < 0.785 and dumps:
        return "close"
    return "dump" if dumps else event(rng, dumps)


def script(rng, events):
    options = []
    if rng.random() < 0.3:
        options.append("--companion")
    pixels = rng.choice([24, 24, 24, 26, 30, 0])
    if pixels != 24:
        options += ["--row-pixels", str(pixels)]
    lines = ["# options: " + " ".join(options)]
    if rng.random() < 0.7:
        lines.append("trace on")
    lines += [event(rng) for _ in range(events)]
    lines.append("dump")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out")
    parser.add_argument("--session")
    parser.add_argument("--count", type=int, default=2000)
    parser.add_argument("--events", type=int, default=40)
    parser.add_argument("--seed", type=int, default=20261208)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    if args.session:
        lines = []
        while len(lines) < args.events:
            lines += event(rng, dumps=False).split("\n")
        with open(args.session, "w", encoding="utf-8") as f:
            f.write("\n".join(lines[:args.events]) + "\n")
        return
    os.makedirs(args.out, exist_ok=True)
    for n in range(args.count):
        with open(os.path.join(args.out, "generated_%04d.script" % n), "w", encoding="utf-8") as f:
            f.write(script(rng, rng.randrange(args.events // 2, args.events * 2)))


if __name__ == "__main__":
    main()
