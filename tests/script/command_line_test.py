#!/usr/bin/env python3
"""The command-line conventions of the programs that play panel scripts,
reelctl-script and reelctl-qt, held to the same rules:

    command_line_test.py [--script-tool REELCTL_SCRIPT] [--qt REELCTL_QT]

--help on standard output with status 0, --version from the project,
--row-pixels 0..65535, unknown options refused with status 1 before any
window opens (no display is given), "program: FILE: reason" for a file that
cannot be read, and script text echoed in messages escaped and cut."""
import argparse
import os
import subprocess
import sys
import tempfile
import unittest

PROGRAMS = {}


def run(name, args, script=None):
    command = [PROGRAMS[name]]
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["XDG_RUNTIME_DIR"] = tempfile.gettempdir()
    if name == "qt" and script is not None:
        command += ["--script", "-"]
    done = subprocess.run(command + args, input=script, capture_output=True, env=env, timeout=60)
    return done.returncode, done.stdout.decode("utf-8", "replace"), done.stderr.decode("utf-8", "replace")


class Conventions(unittest.TestCase):
    def each(self):
        for name in PROGRAMS:
            with self.subTest(program=name):
                yield name

    def test_help_and_version(self):
        for name in self.each():
            status, out, err = run(name, ["--help"])
            self.assertEqual(status, 0)
            self.assertIn("--row-pixels", out)
            self.assertIn("--companion", out)
            status, out, err = run(name, ["--version"])
            self.assertEqual(status, 0)
            self.assertRegex(out, r"^reelctl-(script|qt) \d+\.\d+\.\d+\n$")

    def test_bad_options_are_refused_before_anything_runs(self):
        for name in self.each():
            for args in (["--bogus"], ["--row-pixels", "-3"], ["--row-pixels", "65536"], ["--row-pixels", "2.5"],
                         ["--row-pixels"]):
                status, out, err = run(name, args, b"dump\n" if name == "script" else None)
                self.assertEqual(status, 1, args)
                self.assertEqual(out, "", args)
                self.assertTrue(err.startswith("reelctl-"), err)

    def test_row_pixels_from_0_to_65535(self):
        for name in self.each():
            for pixels, variant in (("0", 1), ("24", 0), ("65535", 1)):
                status, out, err = run(name, ["--row-pixels", pixels], b"dump\n")
                self.assertEqual(status, 0, err)
                self.assertIn('"layout_variant": %d,' % variant, out)

    def test_unreadable_files_say_why(self):
        directory = tempfile.gettempdir()
        for name in self.each():
            flag = ["--script"] if name == "qt" else []
            status, out, err = run(name, flag + [directory])
            self.assertEqual((status, err), (1, "reelctl-%s: %s: Is a directory\n" % (name, directory)))
            status, out, err = run(name, flag + ["/nonexistent/x.script"])
            self.assertEqual((status, err), (1, "reelctl-%s: /nonexistent/x.script: No such file or directory\n" % name))

    def test_binary_and_endless_lines_are_echoed_escaped_and_cut(self):
        binary = bytes(i * 7 % 256 for i in range(4096)) + b"\n"
        for name in self.each():
            for script in (binary, b"k" * (1 << 20) + b"\n"):
                status, out, err = run(name, [], script)
                self.assertEqual(status, 2)
                line = [l for l in err.splitlines() if "line 1" in l]
                self.assertEqual(len(line), 1, err[:300])
                self.assertLess(len(line[0]), 300)
                self.assertNotIn("\x00", err)
            status, out, err = run(name, [], b"settext 1101 " + b"\x01" * 5000 + b"\n")
            self.assertEqual(status, 0)
            self.assertIn("ignored: settext 1101 \\x01\\x01", err)
            self.assertLess(len(err), 400)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--script-tool")
    parser.add_argument("--qt")
    args, rest = parser.parse_known_args()
    if args.script_tool:
        PROGRAMS["script"] = args.script_tool
    if args.qt:
        PROGRAMS["qt"] = args.qt
    unittest.main(argv=[sys.argv[0]] + rest)
