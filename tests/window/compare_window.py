#!/usr/bin/env python3
"""Plays one panel script on the real window and on the model, and compares.

    compare_window.py --model REELCTL-SCRIPT --driver WINDOW_DRIVER.EXE
                      --program REELCTL.EXE [--pictures DIR] [--shots DIR] SCRIPT

The script runs through window_driver.exe (under wine, in the session that
run-under-wine.sh made) and through the headless reelctl-script. Every key
of every dump that the window can show must hold the same value in both;
the window cannot show the program's memory ("state"), and after the close
no longer its caption, menu or controls; its focus then is the one the
probe found when the dialog was destroyed, and where the model traced its
end, the focus calls after end_dialog must be as many as the WM_SETFOCUS
the probe counted at the end. Both must ignore the same
lines for the same reasons, and end with the same exit status.

Comment lines at the top of a script set the run (tests/support/scenarios.py):
    # both, window, model, env, rows, codepage, unread, keys, twin, focus
reelctl-script gets --row-pixels with the distance measured in the window.
With --shots, the window's dumps are saved as DIR/NAME-N.png.
"""

import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from scenarios import focus_failures, model_script as scenario_model_script, read_header  # noqa: E402

# Keys that a closed window cannot show any more.
OPEN_WINDOW_KEYS = {"caption", "focus", "menu_checked", "controls"}


def dumps(stdout, who):
    result = []
    for number, line in enumerate(stdout.splitlines(), 1):
        try:
            item = json.loads(line)
        except json.JSONDecodeError as error:
            raise SystemExit(f"{who}: output line {number} is no JSON ({error}): {line[:200]}")
        if "dump" in item:
            result.append(item["dump"])
    return result


# "PROGRAM: line N: WHY, ignored: LINE" -> (N, WHY)
NOTE = re.compile(r"^[\w-]+: line (\d+): (.*?), ignored: ")


def notes(stderr):
    found = []
    for line in stderr.splitlines():
        m = NOTE.match(line)
        if m:
            found.append((int(m.group(1)), m.group(2)))
    return found


class Comparison:
    def __init__(self, unread=()):
        self.unread = set(unread)
        self.differences = []
        self.values = 0

    def differ(self, path, model, window):
        self.differences.append(f"{path}: model {json.dumps(model, ensure_ascii=False)[:300]}, "
                                f"window {json.dumps(window, ensure_ascii=False)[:300]}")

    def values_equal(self, path, model, window):
        if isinstance(model, dict) and isinstance(window, dict):
            for key in sorted(set(model) | set(window)):
                if key not in window:
                    self.differences.append(f"{path}/{key}: the window does not show it")
                elif key not in model:
                    self.differences.append(f"{path}/{key}: only the window has it")
                else:
                    self.values_equal(f"{path}/{key}", model[key], window[key])
        elif model != window or type(model) is not type(window):
            self.differ(path, model, window)
        else:
            self.values += 1

    def dump(self, index, model, window):
        path = f"dump {index}"
        closed = model.get("ended") is not None
        for key in model:
            if key == "state" or key in self.unread:
                continue
            if key not in window:
                if closed and key in OPEN_WINDOW_KEYS:
                    continue
                self.differences.append(f"{path}/{key}: the window does not show it")
                continue
            self.values_equal(f"{path}/{key}", model[key], window[key])
        for key in window:
            if key not in model and key not in self.unread:
                self.differences.append(f"{path}/{key}: only the window has it")


def focus_calls_at_end(stdout):
    """The logic's focus calls traced after its end_dialog, or None without a traced end."""
    calls = None
    for line in stdout.splitlines():
        item = json.loads(line)
        if item.get("call") == "end_dialog":
            calls = 0
        elif calls is not None and item.get("call") == "focus":
            calls += 1
        elif calls is not None and "dump" in item:
            break
    return calls


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, **kwargs)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--model", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--program", required=True)
    parser.add_argument("--pictures")
    parser.add_argument("--shots")
    parser.add_argument("--wine", default="wine")
    parser.add_argument("script")
    args = parser.parse_args()

    name = os.path.splitext(os.path.basename(args.script))[0]
    header = read_header(args.script)

    window_command = [args.wine, args.driver, "--program", os.path.abspath(args.program)]
    window_command += header["both"] + header["window"] + (["--key-lines"] if header["keys"] else [])
    if args.pictures:
        window_command += ["--pictures", os.path.abspath(args.pictures)]
    shot_dir = None
    if args.shots:
        os.makedirs(args.shots, exist_ok=True)
        shot_dir = tempfile.mkdtemp(prefix=f"{name}-", dir=args.shots)
        window_command += ["--shots", shot_dir]
    window_command.append(os.path.abspath(args.script))
    environment = dict(os.environ)
    environment.update(item.split("=", 1) for item in header["env"])
    window = run(window_command, env=environment)
    window_err = window.stderr.decode("utf-8", "replace")
    sys.stderr.write(window_err)

    m = re.search(r"^window-driver: row pixels (-?\d+)$", window_err, re.MULTILINE)
    if not m:
        print(f"FAIL {name}: the window driver did not start the program (exit {window.returncode})")
        return 1
    rows = int(m.group(1))
    failures = []
    if header["rows"] is not None and rows != header["rows"]:
        failures.append(f"the slide rows stand {rows} pixels apart in the window, not {header['rows']}")
    m = re.search(r"^window-driver: code page (\d+)$", window_err, re.MULTILINE)
    code_page = int(m.group(1)) if m else None
    if header["codepage"] is not None and code_page != header["codepage"]:
        failures.append(f"Wine ran the program with code page {code_page}, not {header['codepage']}")

    window_dumps = dumps(window.stdout.decode("utf-8"), "window-driver")
    failures += focus_failures(header["focus"], window_dumps, "window")
    model_dumps, model_notes = window_dumps, []
    model_script = scenario_model_script(args.script, header)
    if model_script:
        model_command = [args.model, "--row-pixels", str(rows)] + header["both"] + header["model"] + [model_script]
        model = run(model_command)
        model_err = model.stderr.decode("utf-8", "replace")
        if model.returncode != window.returncode:
            failures.append(f"exit status: model {model.returncode}, window {window.returncode}")
        model_notes = notes(model_err)
        window_notes = [n for n in notes(window_err) if n[1] != "a window cannot trace the program's calls"]
        if model_notes != window_notes and not header["twin"]:
            failures.append(f"ignored lines: model {model_notes}, window {window_notes}")
        model_dumps = dumps(model.stdout.decode("utf-8"), "reelctl-script")
        # The panel answers each WM_SETFOCUS with one focus call: as many as
        # the probe counted at the dialog's end must follow the traced end.
        m = re.search(r"^window-driver: WM_SETFOCUS to the dialog at its end: (\d+)$", window_err, re.MULTILINE)
        traced = focus_calls_at_end(model.stdout.decode("utf-8"))
        if m and traced is not None and int(m.group(1)) != traced:
            failures.append(f"WM_SETFOCUS at the end: model {traced} (traced focus calls), window {m.group(1)}")
    elif window.returncode != 0:
        failures.append(f"exit status: window {window.returncode}")
    comparison = Comparison(header["unread"])
    if model_script:
        if len(model_dumps) != len(window_dumps):
            failures.append(f"dumps: model {len(model_dumps)}, window {len(window_dumps)}")
        for index, (m_dump, w_dump) in enumerate(zip(model_dumps, window_dumps), 1):
            comparison.dump(index, m_dump, w_dump)
        failures += comparison.differences

    if shot_dir:
        for file in sorted(os.listdir(shot_dir)):
            if file.endswith(".bmp"):
                number = file[len("dump-"):-len(".bmp")]
                target = os.path.join(args.shots, f"{name}-{number}.png")
                converted = run(["convert", os.path.join(shot_dir, file), target])
                if converted.returncode != 0:
                    failures.append(f"cannot convert {file}: {converted.stderr.decode(errors='replace')}")
                os.remove(os.path.join(shot_dir, file))
        os.rmdir(shot_dir)

    if failures:
        print(f"FAIL {name}: {len(failures)} differences")
        for failure in failures[:40]:
            print("  " + failure)
        if len(failures) > 40:
            print(f"  ... and {len(failures) - 40} more")
        return 1
    compared = f"{comparison.values} values identical" if model_script else "the focus as measured"
    print(f"ok {name}: {len(window_dumps)} dumps, {compared}, "
          f"rows {rows} pixels apart, code page {code_page}, {len(model_notes)} lines ignored by both")
    return 0


if __name__ == "__main__":
    sys.exit(main())
