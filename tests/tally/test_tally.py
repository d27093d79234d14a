#!/usr/bin/env python3
"""The test run's closing count: a skipped case is a skip with its reason,
never a pass, and a report that is missing or empty is a failure; each case
of a Python check counts as what it was."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "scripts", "tally.py")

# As CTest 3.25 writes it for a pass, a GoogleTest skip, a failure and a
# disabled test.
REPORT = """<?xml version="1.0" encoding="UTF-8"?>
<testsuite name="x" tests="4" failures="1" disabled="1" skipped="1">
  <testcase name="sound_tests.Sound.Stops" status="run"><system-out>[       OK ] Sound.Stops</system-out></testcase>
  <testcase name="sound_tests.Sound.Plays" status="notrun">
    <skipped message="SKIP_REGULAR_EXPRESSION_MATCHED"/>
    <system-out>[ RUN      ] Sound.Plays
C:\\src\\sound_fixture.cpp:66: Skipped
BENCH_CAPTURE_DIR unset: no bench session

[  SKIPPED ] Sound.Plays (0 ms)
[  SKIPPED ] 1 test, listed below:
</system-out>
  </testcase>
  <testcase name="host_tests.A.b" status="fail"><failure message="Exit code 0xc0000005"/><system-out/></testcase>
  <testcase name="host_tests.A.DISABLED_c" status="disabled"><skipped message="Disabled"/></testcase>
</testsuite>
"""


def tally(*args):
    return subprocess.run([sys.executable, SCRIPT, *args], capture_output=True, text=True)


class Tally(unittest.TestCase):
    def test_a_report_becomes_one_line_per_test_as_what_it_was(self):
        with tempfile.NamedTemporaryFile("w", suffix=".xml", delete=False) as f:
            f.write(REPORT)
        try:
            lines = tally("junit", f.name).stdout.splitlines()
        finally:
            os.remove(f.name)
        self.assertEqual(lines, ["pass sound_tests.Sound.Stops",
                                 "skip sound_tests.Sound.Plays: BENCH_CAPTURE_DIR unset: no bench session",
                                 "fail host_tests.A.b: Exit code 0xc0000005",
                                 "skip host_tests.A.DISABLED_c: disabled"])

    def test_a_missing_or_empty_report_is_a_failure(self):
        self.assertTrue(tally("junit", "/nonexistent/report.xml").stdout.startswith("fail "))
        with tempfile.NamedTemporaryFile("w", suffix=".xml", delete=False) as f:
            f.write('<?xml version="1.0"?><testsuite name="x" tests="0"/>')
        try:
            self.assertTrue(tally("junit", f.name).stdout.startswith("fail "))
        finally:
            os.remove(f.name)

    def test_the_summary_lists_failures_and_skips_then_the_closing_line(self):
        with tempfile.NamedTemporaryFile("w", delete=False) as f:
            f.write("pass a\npass b\nskip c: no bench session\nfail d: status 1\n")
        try:
            result = tally("summary", f.name)
        finally:
            os.remove(f.name)
        self.assertEqual(result.stdout.splitlines(), [
            "failed:", "  d: status 1", "skipped:", "  c: no bench session",
            "tests: 2 passed, 1 failed, 1 skipped"])
        self.assertEqual(result.returncode, 1)


# A Python check with a case of each outcome; what it prints, and what a
# program it starts prints, must not reach the result lines.
CHECK = """
import subprocess
import unittest


class Cases(unittest.TestCase):
    def test_passes(self):
        print("pass its own output")
        subprocess.run(["echo", "pass a program's output"], check=True)

    def test_fails(self):
        self.assertEqual(1, 2, "one is not two")

    def test_breaks(self):
        raise KeyError("slot")

    def test_skips(self):
        self.skipTest("no unzip here")

    def test_fails_in_a_subtest(self):
        for n in (1, 2):
            with self.subTest(n=n):
                self.assertLess(n, 2)


class SetUpFails(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        raise OSError("no zip")

    def test_never_runs(self):
        pass
"""


class PythonChecks(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.folder)

    def check(self, text, *tests):
        path = os.path.join(self.folder, "check_it.py")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return tally("unittest", "it", path, *tests)

    def test_each_case_is_a_line_as_what_it_was_and_nothing_else_reaches_them(self):
        result = self.check(CHECK)
        self.assertEqual(sorted(result.stdout.splitlines()), sorted([
            "pass it: Cases.test_passes",
            "fail it: Cases.test_fails: AssertionError: 1 != 2 : one is not two",
            "fail it: Cases.test_breaks: KeyError: 'slot'",
            "skip it: Cases.test_skips: no unzip here",
            "fail it: Cases.test_fails_in_a_subtest: (n=2): AssertionError: 2 not less than 2",
            "fail it: SetUpFails.test_never_runs: did not run: set-up failed: OSError: no zip",
        ]))
        self.assertEqual(result.returncode, 1)
        self.assertIn("pass a program's output", result.stderr)

    def test_named_cases_alone_and_all_passing_exits_0(self):
        result = self.check(CHECK, "Cases.test_passes", "Cases.test_skips")
        self.assertEqual(result.stdout.splitlines(), ["pass it: Cases.test_passes",
                                                      "skip it: Cases.test_skips: no unzip here"])
        self.assertEqual(result.returncode, 0)

    def test_a_check_that_does_not_load_or_has_no_cases_fails(self):
        for text in ("import no_such_module\n", "import unittest\n"):
            result = self.check(text)
            self.assertEqual(len(result.stdout.splitlines()), 1, result.stdout)
            self.assertTrue(result.stdout.startswith("fail it: "), result.stdout)
            self.assertEqual(result.returncode, 1)


if __name__ == "__main__":
    unittest.main()
