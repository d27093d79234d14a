#!/usr/bin/env python3
"""The emulated PC's test list: CTest's tests reach the guest with their
commands, environments and limits, paths moved into the guest, the chosen
tests first, and nothing the guest's line reader would split or drop."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "scripts", "i386pc", "testlist.py")


def ctest_json(tests):
    return {"kind": "ctestInfo", "version": {"major": 1, "minor": 0}, "tests": tests}


def test(name, command, **props):
    return {"name": name, "command": command,
            "properties": [{"name": k, "value": v} for k, v in props.items()]}


class TestList(unittest.TestCase):
    def run_list(self, tests, first=(), build="/b/build/i686"):
        with tempfile.TemporaryDirectory() as tmp:
            source = os.path.join(tmp, "tests.json")
            with open(source, "w", encoding="utf-8") as f:
                json.dump(ctest_json(tests), f)
            out = os.path.join(tmp, "list")
            result = subprocess.run([sys.executable, SCRIPT, source, build, "/opt/programs", out, *first],
                                    capture_output=True, text=True)
            files = {}
            if os.path.isdir(out):
                for name in sorted(os.listdir(out)):
                    with open(os.path.join(out, name), encoding="utf-8") as f:
                        files[name] = f.read().splitlines()
            return result, files

    def test_commands_environment_and_limits_reach_the_guest(self):
        result, files = self.run_list([
            test("host_tests_en_US", ["/b/build/i686/tests/win32/host_tests.exe", "--gtest_filter=A.*"],
                 ENVIRONMENT=["BENCH_LANG=en_US.UTF-8", "X=a=b c", "LOG=/b/build/i686/tests/t.log"], TIMEOUT=180.0,
                 WORKING_DIRECTORY="/b/build/i686/tests/win32"),
        ])
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.strip(), "1")
        self.assertEqual(files["000"], [
            "name host_tests_en_US", "timeout 540", "dir /opt/programs/tests/win32",
            "env BENCH_LANG=en_US.UTF-8", "env X=a=b c", "env LOG=/opt/programs/tests/t.log",
            "arg /opt/programs/tests/win32/host_tests.exe", "arg --gtest_filter=A.*"])

    def test_only_paths_inside_the_build_move(self):
        _, files = self.run_list([test("t", ["/b/build/i686x/t.exe", "/b/build/i686"])])
        self.assertIn("arg /b/build/i686x/t.exe", files["000"])
        self.assertIn("arg /opt/programs", files["000"])
        self.assertIn("timeout 900", files["000"], "CTest's default limit, stretched")

    def test_chosen_tests_run_first_in_their_order_the_rest_in_ctests(self):
        names = ["a", "b", "c", "d", "e"]
        _, files = self.run_list([test(n, [f"/x/{n}.exe"]) for n in names], first=["d", "b", "missing"])
        self.assertEqual([lines[0] for lines in files.values()],
                         ["name d", "name b", "name a", "name c", "name e"])

    def test_a_line_break_in_a_value_is_refused(self):
        result, _ = self.run_list([test("t", ["/x/t.exe", "two\nlines"])])
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("line break", result.stdout + result.stderr)

    def test_no_tests_is_an_error_not_an_empty_pass(self):
        result, _ = self.run_list([{"name": "no command"}])
        self.assertNotEqual(result.returncode, 0)


if __name__ == "__main__":
    unittest.main()
