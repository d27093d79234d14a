#!/usr/bin/env python3
"""Writes the i686 test programs' CTest tests as plain files the emulated
PC's shell can read: one file per test, in the order they should run.

    testlist.py CTEST_JSON BUILD_DIR GUEST_DIR OUT_DIR [FIRST_NAME...]

Each file holds "name NAME", "timeout SECONDS", "dir DIR", then "env K=V"
and "arg A" lines, one value per line. Paths under BUILD_DIR become paths
under GUEST_DIR, in arguments and in the values of the environment.
FIRST_NAME... run first, in that order; the others follow
in CTest's order.
"""
import json
import os
import sys

# Under emulation everything runs slower than CTest's limits expect.
SLOWDOWN = 3
DEFAULT_TIMEOUT = 300


def guest_path(value, build_dir, guest_dir):
    if value == build_dir or value.startswith(build_dir + "/"):
        return guest_dir + value[len(build_dir):]
    return value


def properties(test):
    return {p["name"]: p["value"] for p in test.get("properties", [])}


def entry(test, build_dir, guest_dir):
    props = properties(test)
    lines = [f"name {test['name']}",
             f"timeout {int(float(props.get('TIMEOUT', DEFAULT_TIMEOUT)) * SLOWDOWN)}",
             f"dir {guest_path(props.get('WORKING_DIRECTORY', build_dir), build_dir, guest_dir)}"]
    for assignment in props.get("ENVIRONMENT", []):
        key, _, value = assignment.partition("=")
        lines.append(f"env {key}={guest_path(value, build_dir, guest_dir)}")
    lines += [f"arg {guest_path(a, build_dir, guest_dir)}" for a in test["command"]]
    for line in lines:
        if "\n" in line:
            raise SystemExit(f"testlist: a line break in {test['name']}: {line!r}")
    return "\n".join(lines) + "\n"


def ordered(tests, first):
    rank = {name: i for i, name in enumerate(first)}
    return sorted(tests, key=lambda t: rank.get(t["name"], len(rank)))


def main(argv):
    if len(argv) < 5:
        raise SystemExit(__doc__)
    with open(argv[1], encoding="utf-8") as f:
        tests = [t for t in json.load(f)["tests"] if "command" in t]
    build_dir, guest_dir, out_dir = os.path.abspath(argv[2]), argv[3], argv[4]
    if not tests:
        raise SystemExit("testlist: CTest lists no test")
    os.makedirs(out_dir, exist_ok=True)
    for i, test in enumerate(ordered(tests, argv[5:])):
        with open(os.path.join(out_dir, f"{i:03d}"), "w", encoding="utf-8") as f:
            f.write(entry(test, build_dir, guest_dir))
    print(len(tests))


if __name__ == "__main__":
    main(sys.argv)
