#!/usr/bin/env python3
"""The emulated PC's results: every case of a program's run counts as what
it was, read from the program's own output, and a case the run never
reached is a failure or, past the time budget, a skip with its reason."""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "scripts", "i386pc", "results.py")

SKIPPED_CASE = """[ RUN      ] Sound.Plays
C:\\src\\sound_fixture.cpp:66: Skipped
BENCH_CAPTURE_DIR unset: no bench session

[  SKIPPED ] Sound.Plays (0 ms)
"""


def gtest_log(*blocks):
    return "[==========] Running some tests.\n" + "".join(blocks)


def ok(case):
    return f"[ RUN      ] {case}\n[       OK ] {case} (12 ms)\n"


def failed(case):
    return f"[ RUN      ] {case}\nC:\\src\\t.cpp:9: Failure\nExpected: 1\n[  FAILED  ] {case} (3 ms)\n"


class Results(unittest.TestCase):
    def stage(self, runs, finished=True):
        """runs: (name, cases, status, log) per program run."""
        with tempfile.TemporaryDirectory() as share:
            os.makedirs(os.path.join(share, "list"))
            os.makedirs(os.path.join(share, "results"))
            if finished:
                open(os.path.join(share, "tests.status"), "w").close()
            for i, (name, cases, status, log) in enumerate(runs):
                n = f"{i:03d}"
                with open(os.path.join(share, "list", n), "w") as f:
                    f.write(f"name {name}\n" + "".join(f"case {name}.{c}\n" for c in cases))
                if status is not None:
                    with open(os.path.join(share, "results", f"{n}.status"), "w") as f:
                        f.write(f"{status}\n")
                    with open(os.path.join(share, "results", f"{n}.log"), "w") as f:
                        f.write(log)
            out = os.path.join(share, "results.txt")
            result = subprocess.run([sys.executable, SCRIPT, share, os.path.join(share, "console.log"), out],
                                    capture_output=True, text=True)
            with open(out) as f:
                return result, f.read().splitlines()

    def test_each_case_counts_as_what_it_was_with_a_skip_s_reason(self):
        result, lines = self.stage([("sound_tests", ["Sound.Plays", "Sound.Stops", "Sound.Loops"], 1,
                                     gtest_log(SKIPPED_CASE, ok("Sound.Stops"), failed("Sound.Loops")))])
        self.assertEqual(lines, ["skip sound_tests.Sound.Plays: BENCH_CAPTURE_DIR unset: no bench session",
                                 "pass sound_tests.Sound.Stops",
                                 "fail sound_tests.Sound.Loops"])
        self.assertIn("i686 pc: 1 passed, 1 failed, 1 skipped", result.stdout)
        self.assertIn("Expected: 1", result.stdout, "a failure shows what the program said")
        self.assertEqual(result.returncode, 1)

    def test_a_crash_fails_the_case_it_was_in_and_those_after_it(self):
        _, lines = self.stage([("host_tests", ["A.a", "A.b", "A.c"], 3, gtest_log(ok("A.a"), "[ RUN      ] A.b\n"))])
        self.assertEqual([line.split(":")[0] for line in lines],
                         ["pass host_tests.A.a", "fail host_tests.A.b", "fail host_tests.A.c"])

    def test_cases_past_the_budget_are_skipped_with_the_reason(self):
        result, lines = self.stage([
            ("store_tests", ["S.a"], 0, gtest_log(ok("S.a"))),
            ("presenter_tests", ["P.show"], "skipped", "not run: the stage's time budget of 1260s was used up\n"),
            ("editor_tests", ["E.a"], None, ""),
        ])
        self.assertEqual(lines, ["pass store_tests.S.a",
                                 "skip presenter_tests.P.show: not run: the stage's time budget of 1260s was used up",
                                 "skip editor_tests.E.a: not run: the machine stopped before it"])
        self.assertEqual(result.returncode, 0)

    def test_a_program_failing_after_its_cases_passed_still_fails(self):
        result, lines = self.stage([("bench_test", ["B.a"], 139, gtest_log(ok("B.a")))])
        self.assertEqual(lines[0], "pass bench_test.B.a")
        self.assertTrue(lines[1].startswith("fail bench_test: status 139"), lines)
        self.assertIn("1 passed, 1 failed, 0 skipped", result.stdout)

    def test_a_machine_that_did_not_finish_is_a_failure_not_an_empty_pass(self):
        result, lines = self.stage([("t", ["A.a"], None, "")], finished=False)
        self.assertTrue(lines[0].startswith("fail the stage"), lines)
        self.assertEqual(result.returncode, 1)


if __name__ == "__main__":
    unittest.main()
