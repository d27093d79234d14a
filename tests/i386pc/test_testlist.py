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

    def test_the_cases_of_a_run_go_back_into_one_start_of_the_program(self):
        exe = "/b/build/i686/tests/store_tests.exe"
        env = ["BENCH_LANG=en_US.UTF-8"]
        result, files = self.run_list([
            test("store_tests.Store.Reads", [exe, "--gtest_filter=Store.Reads"]),
            test("store_en.Store.Reads", [exe, "--gtest_filter=Store.Reads"], ENVIRONMENT=env),
            test("store_tests.Race.Holds", [exe, "--gtest_filter=Race.Holds"]),
            test("store_en.Race.Holds", [exe, "--gtest_filter=Race.Holds"], ENVIRONMENT=env),
        ])
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.strip(), "4", "CTest's tests, counted")
        self.assertEqual(files["000"][-4:], [
            "arg /opt/programs/tests/store_tests.exe", "arg --gtest_filter=Store.Reads:Race.Holds",
            "case store_tests.Store.Reads", "case store_tests.Race.Holds"])
        self.assertEqual(files["001"][0:4], ["name store_en", "timeout 900", "dir /opt/programs",
                                             "env BENCH_LANG=en_US.UTF-8"])
        self.assertEqual(len(files), 2)

    def test_cases_of_one_run_that_differ_beyond_their_filter_are_refused(self):
        result, _ = self.run_list([
            test("r.A.a", ["/x/t.exe", "--gtest_filter=A.a"]),
            test("r.A.b", ["/x/t.exe", "--gtest_filter=A.b"], TIMEOUT=10.0),
        ])
        self.assertNotEqual(result.returncode, 0)

    def test_a_line_break_in_a_value_is_refused(self):
        result, _ = self.run_list([test("t", ["/x/t.exe", "two\nlines"])])
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("line break", result.stdout + result.stderr)

    def test_no_tests_is_an_error_not_an_empty_pass(self):
        result, _ = self.run_list([{"name": "no command"}])
        self.assertNotEqual(result.returncode, 0)


if __name__ == "__main__":
    unittest.main()
