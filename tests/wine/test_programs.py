#!/usr/bin/env python3
"""Starting a test program under wine (scripts/wine/programs.sh): a program
that Wine ends before it wrote anything is started once more and named in
the bench's restart list; a program that wrote anything, on either stream,
keeps its status, and so does one that fails silently twice. A stand-in for
wine plays the program: it does, each time it is started, what the next
line of its script says."""
import os
import stat
import subprocess
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WINE_SCRIPTS = os.path.join(ROOT, "scripts", "wine")

# Each start takes the first line left in `starts` and runs it as the program.
STAND_IN = """#!/bin/bash
line=$(head -n 1 "$STARTS")
sed -i 1d "$STARTS"
eval "$line"
"""


class RunTestProgram(unittest.TestCase):
    def run_program(self, *starts):
        """Runs the stand-in as a test program whose starts do `starts` in
        turn; gives (status, output, starts made, restart notes)."""
        with tempfile.TemporaryDirectory() as bench:
            wine = os.path.join(bench, "wine")
            with open(wine, "w") as f:
                f.write(STAND_IN)
            os.chmod(wine, os.stat(wine).st_mode | stat.S_IXUSR)
            starts_file = os.path.join(bench, "starts")
            with open(starts_file, "w") as f:
                f.write("".join(s + "\n" for s in starts))
            script = (f'. "{WINE_SCRIPTS}/lib.sh"; . "{WINE_SCRIPTS}/programs.sh"; wine="{wine}"; '
                      'run_test_program "C:\\\\tests\\\\host_tests.exe" --gtest_filter=A.b')
            result = subprocess.run(["bash", "-c", script], capture_output=True, text=True,
                                    env=dict(os.environ, BENCH_DIR=bench, STARTS=starts_file))
            with open(starts_file) as f:
                made = len(starts) - len(f.read().splitlines())
            restarts = os.path.join(bench, "restarted.txt")
            notes = open(restarts).read().splitlines() if os.path.exists(restarts) else []
            return result.returncode, result.stdout, made, notes

    def test_a_program_ended_before_it_wrote_anything_is_started_once_more_and_named(self):
        status, output, made, notes = self.run_program("exit 5", "echo '[ RUN ] A.b'; exit 0")
        self.assertEqual((status, output, made), (0, "[ RUN ] A.b\n", 2))
        self.assertEqual(notes, ["host_tests.exe --gtest_filter=A.b: ended with status 5 before writing "
                                 "anything; started again"])
        # Silent twice: the second status stands, and there is no third start.
        status, output, made, notes = self.run_program("exit 5", "exit 3", "exit 0")
        self.assertEqual((status, output, made, len(notes)), (3, "", 2, 1))

    def test_a_program_that_wrote_anything_or_passed_keeps_its_status(self):
        for first, status, output in [("echo failed; exit 1", 1, "failed\n"),
                                      ("echo only on stderr >&2; exit 1", 1, "only on stderr\n"),
                                      ("exit 0", 0, "")]:
            with self.subTest(first):
                self.assertEqual(self.run_program(first, "echo second; exit 0"), (status, output, 1, []))


if __name__ == "__main__":
    unittest.main()
