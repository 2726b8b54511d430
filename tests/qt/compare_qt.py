#!/usr/bin/env python3
"""Plays panel scripts on reelctl-qt's window and on reelctl-script's model
and requires the same output: every JSON line byte for byte, the same notes
on ignored lines, the same exit status.

    compare_qt.py --qt REELCTL_QT --model REELCTL_SCRIPT SCRIPT...

Script headers (comment lines) as in the window tests: `# both:` options for
both programs, `# rows: N` the row distance of both, `# env:` environment of
both runs. `# window:` options belong to the Windows driver and are not used.
"""
import argparse
import json
import os
import shlex
import subprocess
import sys


# Keys left uncompared in a script, and why.
UNCOMPARED = {
    # Disabling the control with the focus: the model keeps the focus there as
    # its contract says; Qt, like the Windows dialog manager, moves it on.
    "focus_after_disable.script": {"focus"},
}


def comparable(line, keys):
    """The line as compared: byte for byte, or parsed without `keys` of a dump."""
    if not keys:
        return line
    value = json.loads(line)
    for key in keys:
        value.get("dump", {}).pop(key, None)
    return value


def headers(path):
    both, env, rows = [], {}, None
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("# both:"):
                both += shlex.split(line[len("# both:"):])
            elif line.startswith("# env:"):
                for item in shlex.split(line[len("# env:"):]):
                    key, _, value = item.partition("=")
                    env[key] = value
            elif line.startswith("# rows:"):
                rows = line[len("# rows:"):].strip()
    if rows:
        both += ["--row-pixels", rows]
    return both, env


def run(command, env):
    result = subprocess.run(command, capture_output=True, env=env, timeout=60)
    return result.returncode, result.stdout, result.stderr


def compare(qt, model, script):
    skip = UNCOMPARED.get(os.path.basename(script), set())
    options, extra_env = headers(script)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", **extra_env)
    q_status, q_out, q_err = run([qt, "--script", script] + options, env)
    m_status, m_out, m_err = run([model] + options + [script], env)
    problems = []
    if q_status != m_status:
        problems.append(f"exit status {q_status} (qt) != {m_status} (model)")
    q_lines, m_lines = q_out.splitlines(), m_out.splitlines()
    if len(q_lines) != len(m_lines):
        problems.append(f"{len(q_lines)} output lines (qt) != {len(m_lines)} (model)")
    for number, (a, b) in enumerate(zip(q_lines, m_lines), 1):
        if comparable(a, skip) != comparable(b, skip):
            problems.append(f"output line {number} differs:\n  qt:    {a[:600].decode(errors='replace')}\n"
                            f"  model: {b[:600].decode(errors='replace')}")
            break
    # Notes on ignored and malformed lines, without the program's name and Qt's own chatter.
    def notes(err, name):
        return [line.replace(name, b"PROGRAM") for line in err.splitlines() if line.startswith(name + b":")]
    if notes(q_err, b"reelctl-qt") != notes(m_err, b"reelctl-script"):
        problems.append(f"notes differ:\n  qt:    {q_err.decode(errors='replace')}\n  model: {m_err.decode(errors='replace')}")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--qt", required=True)
    parser.add_argument("--model", required=True)
    parser.add_argument("scripts", nargs="+")
    args = parser.parse_args()
    failed = 0
    for script in args.scripts:
        problems = compare(args.qt, args.model, script)
        name = os.path.basename(script)
        if problems:
            failed += 1
            print(f"FAIL {name}")
            for p in problems:
                print("  " + p)
        else:
            left = UNCOMPARED.get(name)
            print(f"ok   {name}" + (f" (uncompared: {', '.join(sorted(left))})" if left else ""))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
