#!/usr/bin/env python3
"""Plays every recorded script (record_outputs.py's set) through an older
reelctl-script and a newer one, and shows that each difference is one the
dialog manager's minimize, restore and close rules make:

  (a) the end: a dump after the end has focus null, and where a control
      had the focus at the end (the older program's dump after the end
      shows it) the traced end_dialog is followed by the panel's focus call
      on the role combo, its answer to the WM_SETFOCUS of EndDialog;
  (b) a minimized dialog: once a line `syscommand V` with V & 0xFFF0 being
      SC_MINIMIZE (0xF020) or SC_RESTORE (0xF120) has run, a click or pick
      is ignored with the note "the dialog is minimized", and the focus
      differs: dumps' focus, and the panel's focus calls on the role combo
      that answer WM_SETFOCUS (a message box or the restore).

For (b) the older program plays the script with the lines that the newer
one ignored as minimized turned into comments (so the line numbers of the
notes stay); the outputs of both before the first minimize or restore line
must be equal (up to (a)), and after it equal but for the focus of the
dumps and traced focus calls on the role combo. Every other difference
fails the run.

    explain_changes.py --old OLD_REELCTL_SCRIPT --new NEW_REELCTL_SCRIPT --source DIR [--count N]
"""
import argparse
import json
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from record_outputs import each_script  # noqa: E402

ROLE_COMBO_FOCUS = {"call": "focus", "id": 1057}
MINIMIZED_NOTE = re.compile(rb"^reelctl-script: line (\d+): the dialog is minimized, ignored: ")
SYSCOMMAND = re.compile(rb"^\s*syscommand\s+(0[xX][0-9A-Fa-f]+|\d+)\s*$")


def run(program, options, data):
    done = subprocess.run([program, *options], input=data, capture_output=True, timeout=120)
    return done.returncode, done.stdout, done.stderr


def first_min_or_restore(data):
    """The index of the first line that minimizes or restores, or None."""
    for index, line in enumerate(data.split(b"\n")):
        m = SYSCOMMAND.match(line.rstrip(b"\r"))
        if m:
            text = m.group(1)
            value = int(text[2:], 16) if text[:2].lower() == b"0x" else int(text)
            if value & 0xFFF0 in (0xF020, 0xF120):
                return index
    return None


def objects(stdout):
    return [json.loads(line) for line in stdout.decode("utf-8").splitlines()]


def end_rule(old, new):
    """(a): new equals old but for the focus at the end. None when it holds, else why not."""
    if len(new) < len(old):
        return "fewer output lines"
    ended_dumps = [o["dump"]["focus"] for o in old if "dump" in o and o["dump"]["ended"] is not None]
    traced_end = any(o.get("call") == "end_dialog" for o in old)
    inserted = 0
    i = j = 0
    while i < len(old) or j < len(new):
        if i < len(old) and j < len(new) and old[i] == new[j]:
            if old[i].get("call") == "end_dialog" and j + 1 < len(new) and new[j + 1] == ROLE_COMBO_FOCUS and (
                    i + 1 >= len(old) or old[i + 1] != ROLE_COMBO_FOCUS):
                inserted += 1
                j += 1  # EndDialog's WM_SETFOCUS
            i += 1
            j += 1
            continue
        if i < len(old) and j < len(new) and "dump" in old[i] and "dump" in new[j]:
            o, n = dict(old[i]["dump"]), dict(new[j]["dump"])
            if o["ended"] is not None and n["focus"] is None:
                o.pop("focus"), n.pop("focus")
                if o == n:
                    i += 1
                    j += 1
                    continue
        return "line %d: old %s, new %s" % (j + 1, json.dumps(old[i])[:120] if i < len(old) else "-",
                                            json.dumps(new[j])[:120] if j < len(new) else "-")
    if ended_dumps and traced_end and inserted != (1 if ended_dumps[0] is not None else 0):
        return "%d focus calls after the traced end, where the focus at the end was %s" % (inserted, ended_dumps[0])
    return None


def without_focus(items):
    kept = []
    for item in items:
        if item == ROLE_COMBO_FOCUS:
            continue
        if "dump" in item:
            item = {"dump": {k: v for k, v in item["dump"].items() if k != "focus"}}
        kept.append(item)
    return kept


def explain(old_program, new_program, item):
    name, options, data = item
    old = run(old_program, options, data)
    new = run(new_program, options, data)
    if old == new:
        return name, "same", None
    if old[0] != new[0]:
        return name, "unexplained", "exit status %d, %d" % (old[0], new[0])
    start = first_min_or_restore(data)
    ignored = sorted({int(m.group(1)) for line in new[2].splitlines() if (m := MINIMIZED_NOTE.match(line))})
    new_err = b"".join(line + b"\n" for line in new[2].splitlines() if not MINIMIZED_NOTE.match(line))
    if start is None:
        if ignored or old[2] != new[2]:
            return name, "unexplained", "standard error differs"
        why = end_rule(objects(old[1]), objects(new[1]))
        return (name, "end", None) if why is None else (name, "unexplained", why)

    # (b): the older program without the lines that the minimized dialog ignored.
    lines = data.split(b"\n")
    for number in ignored:
        lines[number - 1] = b"# " + lines[number - 1]
    old = run(old_program, options, b"\n".join(lines))
    if old[2] != new_err:
        return name, "unexplained", "standard error differs beyond the minimized notes"
    before = b"\n".join(data.split(b"\n")[:start]) + b"\n"
    old_before, new_before = run(old_program, options, before), run(new_program, options, before)
    why = end_rule(objects(old_before[1]), objects(new_before[1]))
    if why:
        return name, "unexplained", "before the first minimize or restore: " + why
    old_items, new_items = objects(old[1]), objects(new[1])
    p, q = len(objects(old_before[1])), len(objects(new_before[1]))
    if old_items[:p] != objects(old_before[1]) or new_items[:q] != objects(new_before[1]):
        return name, "unexplained", "the output before the first minimize or restore is no prefix"
    if without_focus(old_items[p:]) != without_focus(new_items[q:]):
        return name, "unexplained", "after the first minimize or restore beyond the focus"
    return name, "minimized", len(ignored)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--old", required=True)
    parser.add_argument("--new", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--count", type=int, default=2000)
    args = parser.parse_args()
    results = each_script(args.source, args.count, lambda item: explain(args.old, args.new, item))
    counts = {}
    for name, kind, detail in results:
        counts[kind] = counts.get(kind, 0) + 1
        if kind == "unexplained":
            print("UNEXPLAINED %s: %s" % (name, detail))
    ignored = sum(detail for _, kind, detail in results if kind == "minimized")
    print("%d scripts: %d alike, %d differ only at the end (a), %d only as a minimized dialog (b, with %d "
          "clicks and picks ignored), %d unexplained" % (
              len(results), counts.get("same", 0), counts.get("end", 0), counts.get("minimized", 0), ignored,
              counts.get("unexplained", 0)))
    return 1 if counts.get("unexplained") else 0


if __name__ == "__main__":
    sys.exit(main())
