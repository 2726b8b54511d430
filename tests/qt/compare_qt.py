#!/usr/bin/env python3
"""Plays panel scripts on reelctl-qt's window and on reelctl-script's model
and requires the same output: every JSON line byte for byte, the same notes
on ignored lines, the same exit status; and for the scenarios that press
keys, the dumps of their mouse twin and the focus measured on the real
window.

    compare_qt.py --qt REELCTL_QT --model REELCTL_SCRIPT [--generated N] [SCRIPT...]

--generated N also plays N generated user sessions
(tests/recorded/generate_scripts.py), each with dumps and traces.

Script headers as in the window tests (tests/support/scenarios.py); the
`# window:` options belong to the Windows driver and are not used.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile


sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from scenarios import dump_lines, focus_failures, model_script, read_header  # noqa: E402


def run(command, env):
    result = subprocess.run(command, capture_output=True, env=env, timeout=60)
    return result.returncode, result.stdout, result.stderr


def compare(qt, model, script):
    header = read_header(script)
    options = header["both"] + (["--row-pixels", str(header["rows"])] if header["rows"] is not None else [])
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    env.update(item.split("=", 1) for item in header["env"])
    keys = ["--key-lines"] if header["keys"] else []
    q_status, q_out, q_err = run([qt, "--script", script] + keys + options, env)
    problems = focus_failures(header["focus"], dump_lines(q_out), "qt")
    played = model_script(script, header)
    if played is None:
        if q_status != 0:
            problems.append(f"exit status {q_status} (qt)")
        return problems
    m_status, m_out, m_err = run([model] + options + header["model"] + [played], env)
    if q_status != m_status:
        problems.append(f"exit status {q_status} (qt) != {m_status} (model)")
    if header["twin"]:
        # Another script: the dumps must be the same, the traces and notes may differ.
        q_lines, m_lines = [json.dumps(d) for d in dump_lines(q_out)], [json.dumps(d) for d in dump_lines(m_out)]
    else:
        q_lines, m_lines = q_out.splitlines(), m_out.splitlines()
    if len(q_lines) != len(m_lines):
        problems.append(f"{len(q_lines)} output lines (qt) != {len(m_lines)} (model)")
    for number, (a, b) in enumerate(zip(q_lines, m_lines), 1):
        if a != b:
            a, b = (x.decode(errors="replace") if isinstance(x, bytes) else x for x in (a, b))
            problems.append(f"output line {number} differs:\n  qt:    {a[:600]}\n  model: {b[:600]}")
            break
    # Notes on ignored and malformed lines, without the program's name and Qt's own chatter.
    def notes(err, name):
        return [line.replace(name, b"PROGRAM") for line in err.splitlines() if line.startswith(name + b":")]
    if not header["twin"] and notes(q_err, b"reelctl-qt") != notes(m_err, b"reelctl-script"):
        problems.append(f"notes differ:\n  qt:    {q_err.decode(errors='replace')}\n  model: {m_err.decode(errors='replace')}")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--qt", required=True)
    parser.add_argument("--model", required=True)
    parser.add_argument("--generated", type=int, default=0)
    parser.add_argument("scripts", nargs="*")
    args = parser.parse_args()
    scripts = list(args.scripts)
    generated = tempfile.TemporaryDirectory()
    if args.generated:
        tool = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "recorded", "generate_scripts.py")
        subprocess.run([sys.executable, tool, "--out", generated.name, "--count", str(args.generated), "--seed", "9"],
                       check=True)
        scripts += sorted(os.path.join(generated.name, f) for f in os.listdir(generated.name))
    failed = 0
    for script in scripts:
        problems = compare(args.qt, args.model, script)
        name = os.path.basename(script)
        if problems:
            failed += 1
            print(f"FAIL {name}")
            for p in problems:
                print("  " + p)
        else:
            print(f"ok   {name}")
    print(f"{len(scripts) - failed} of {len(scripts)} scripts alike")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
