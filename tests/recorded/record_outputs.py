#!/usr/bin/env python3
"""Plays every panel script we have through reelctl-script and records what
it printed: one line per script with its exit status and a SHA-256 of its
standard output and standard error. With --check the record must equal the
committed one byte for byte, so a change of structure cannot change
behaviour unseen.

    record_outputs.py --program REELCTL_SCRIPT --source DIR [--write FILE | --check FILE] [--keep DIR]

The scripts: the window scenarios, the example, the fuzz corpus of scripts
(its first byte chooses the options as in the fuzz target) and the generated
sessions of generate_scripts.py. --keep writes each output to DIR for a diff."""
import argparse
import concurrent.futures
import glob
import hashlib
import os
import shlex
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def header_options(text):
    options = []
    for line in text.splitlines():
        for key in ("# both:", "# model:", "# options:"):
            if line.startswith(key):
                options += shlex.split(line[len(key):])
        if line.startswith("# rows:"):
            options += ["--row-pixels", line[len("# rows:"):].strip()]
    return options


def fuzz_options(first):
    options = ["--companion"] if first & 1 else []
    if first & 2:
        options += ["--row-pixels", str(25 + (first >> 2) % 8)]
    return options


def inputs(source, generated):
    for path in sorted(glob.glob(os.path.join(source, "tests/window/scenarios/*.script"))):
        data = open(path, "rb").read()
        yield "window/" + os.path.basename(path), header_options(data.decode("utf-8")), data
    example = os.path.join(source, "docs/example.script")
    yield "example.script", [], open(example, "rb").read()
    for path in sorted(glob.glob(os.path.join(source, "tests/fuzz/corpus/script/*"))):
        data = open(path, "rb").read()
        if data:
            yield "fuzz/" + os.path.basename(path), fuzz_options(data[0]), data[1:]
    for path in sorted(glob.glob(os.path.join(generated, "*.script"))):
        data = open(path, "rb").read()
        yield "generated/" + os.path.basename(path), header_options(data.decode("utf-8")), data


def each_script(source, count, work):
    """work(item) for every script, `count` generated sessions made for the call, in parallel; in order."""
    with tempfile.TemporaryDirectory() as generated:
        subprocess.run([sys.executable, os.path.join(HERE, "generate_scripts.py"), "--out", generated,
                        "--count", str(count)], check=True)
        items = list(inputs(source, generated))
        with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
            return list(pool.map(work, items))


def play(program, item):
    name, options, data = item
    done = subprocess.run([program, *options], input=data, capture_output=True, timeout=120)
    digest = hashlib.sha256(done.stdout + b"\0" + done.stderr).hexdigest()
    return name, done.returncode, digest, done.stdout, done.stderr


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--write")
    parser.add_argument("--check")
    parser.add_argument("--keep")
    parser.add_argument("--count", type=int, default=2000)
    args = parser.parse_args()
    results = each_script(args.source, args.count, lambda item: play(args.program, item))
    lines = ["%s %d %s\n" % (name, status, digest) for name, status, digest, _, _ in results]
    if args.keep:
        for name, status, _, out, err in results:
            path = os.path.join(args.keep, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            open(path + ".out", "wb").write(out)
            open(path + ".err", "wb").write(err + b"exit %d\n" % status)
    if args.write:
        with open(args.write, "w") as f:
            f.writelines(lines)
        print("%d outputs recorded" % len(lines))
    if args.check:
        expected = open(args.check).readlines()
        differ = [line.split()[0] for line, want in zip(lines, expected) if line != want]
        if len(lines) != len(expected):
            print("%d outputs, %d recorded" % (len(lines), len(expected)))
            return 1
        for name in differ[:20]:
            print("differs: " + name)
        print("%d of %d outputs as recorded" % (len(lines) - len(differ), len(lines)))
        return 1 if differ else 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
