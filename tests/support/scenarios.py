"""The headers of the shared panel-script scenarios (tests/window/scenarios),
read the same way by every front end's comparison: the window's, Qt's and
the browser's.

Comment lines at the top of a script set the run:
    # both: ARGS      options for every program (--companion); `# options:` in
                      the generated sessions of tests/recorded/generate_scripts.py
    # window: ARGS    options for window_driver only (--keys, --log-pixels N)
    # model: ARGS     options for reelctl-script only
    # env: NAME=VALUE ...   environment of the window's or Qt's run
    # rows: N         the slide rows stand N pixels apart (--row-pixels N)
    # codepage: N     Wine must run the program with this ANSI code page
    # unread: KEY ... dump keys not compared in this script (say why)
    # keys            the script presses keys (`key KEY...` lines, which only
                      the real windows take): reelctl-script plays the twin
    # twin: FILE      reelctl-script plays FILE (beside the script) instead: the
                      same road done with the mouse, with the same dumps
    # focus: ID ...   the focus of each dump as measured on the real window
                      (null: no control has it; -: the window shows none, as
                      after the close, and other front ends may show any)
"""
import json
import os
import re
import shlex


def read_header(script):
    header = {"both": [], "window": [], "model": [], "env": [], "unread": [], "rows": None, "codepage": None,
              "keys": False, "twin": None, "focus": None}
    with open(script, encoding="utf-8") as f:
        for line in f:
            if re.match(r"#\s*keys\s*$", line):
                header["keys"] = True
                continue
            m = re.match(r"#\s*(both|options|window|model|env|unread|rows|codepage|twin|focus):\s*(.*?)\s*$", line)
            if not m:
                continue
            if m.group(1) in ("rows", "codepage"):
                header[m.group(1)] = int(m.group(2))
            elif m.group(1) == "twin":
                header["twin"] = os.path.join(os.path.dirname(script), m.group(2))
            elif m.group(1) == "options":  # the generated sessions' options, for every program
                header["both"] += shlex.split(m.group(2))
            elif m.group(1) == "focus":
                header["focus"] = [None if v == "null" else v if v == "-" else int(v) for v in m.group(2).split()]
            else:
                header[m.group(1)] += shlex.split(m.group(2))
    return header


def model_script(script, header):
    """The script reelctl-script plays for this scenario, or None where it can play none."""
    return header["twin"] or (None if header["keys"] else script)


def dump_lines(stdout):
    """The dumps of a program's output (bytes or text)."""
    text = stdout.decode("utf-8") if isinstance(stdout, bytes) else stdout
    return [json.loads(line)["dump"] for line in text.splitlines() if line.startswith('{"dump"')]


def focus_failures(expected, dumps, who):
    """The focus of each dump against the measured one."""
    if expected is None:
        return []
    shown = [d["focus"] if "focus" in d else "-" for d in dumps]
    same = len(shown) == len(expected) and all(e == "-" or e == v for e, v in zip(expected, shown))
    return [] if same else [f"focus of the dumps: {who} {shown}, measured {expected}"]
