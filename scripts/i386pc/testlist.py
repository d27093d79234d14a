#!/usr/bin/env python3
"""Writes the i686 test programs' CTest tests as plain files the emulated
PC's shell can read: one file per run of a program, in the order they
should run.

    testlist.py CTEST_JSON BUILD_DIR GUEST_DIR OUT_DIR [FIRST_NAME...]

CTest has one test per GoogleTest case, <run>.<Suite>.<Case>, each its own
start of the program with --gtest_filter=<Suite>.<Case>. Starting 32-bit
Wine in the emulated PC takes seconds, so the cases of one run go back
into one start of the program whose filter names them all; the results
are read per case from its output (results.py).

Each file holds "name RUN", "timeout SECONDS", "dir DIR", then "env K=V"
and "arg A" lines, one value per line, and a "case NAME" line for each
CTest test it runs. Paths under BUILD_DIR become paths under GUEST_DIR, in
arguments and in the values of the environment. FIRST_NAME... (runs) come
first, in that order; the others follow in CTest's order.
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


FILTER = "--gtest_filter="


def runs(tests):
    """The tests grouped by run: those named <run>.<Suite>.<Case> whose
    commands differ only in a filter naming that case. Any other test is a
    run of its own."""
    grouped = {}
    for test in tests:
        run, _, case = test["name"].partition(".")
        key = (run, json.dumps({k: v for k, v in properties(test).items() if k != "LABELS"}, sort_keys=True),
               json.dumps([a for a in test["command"] if not a.startswith(FILTER)]))
        if not case or FILTER + case not in test["command"]:
            key = (test["name"], "", "")
        grouped.setdefault(key, []).append(test)
    return [(key[0], members) for key, members in grouped.items()]


def entry(run, members, build_dir, guest_dir):
    test = members[0]
    props = properties(test)
    cases = [m["name"] for m in members if m["name"] != run]
    command = test["command"]
    if cases:
        command = [a for a in command if not a.startswith(FILTER)]
        command.append(FILTER + ":".join(c.split(".", 1)[1] for c in cases))
    lines = [f"name {run}",
             f"timeout {int(float(props.get('TIMEOUT', DEFAULT_TIMEOUT)) * SLOWDOWN)}",
             f"dir {guest_path(props.get('WORKING_DIRECTORY', build_dir), build_dir, guest_dir)}"]
    for assignment in props.get("ENVIRONMENT", []):
        key, _, value = assignment.partition("=")
        lines.append(f"env {key}={guest_path(value, build_dir, guest_dir)}")
    lines += [f"arg {guest_path(a, build_dir, guest_dir)}" for a in command]
    lines += [f"case {c}" for c in cases]
    for line in lines:
        if "\n" in line:
            raise SystemExit(f"testlist: a line break in {test['name']}: {line!r}")
    return "\n".join(lines) + "\n"


def ordered(groups, first):
    rank = {name: i for i, name in enumerate(first)}
    return sorted(groups, key=lambda g: rank.get(g[0], len(rank)))


def main(argv):
    if len(argv) < 5:
        raise SystemExit(__doc__)
    with open(argv[1], encoding="utf-8") as f:
        tests = [t for t in json.load(f)["tests"] if "command" in t]
    build_dir, guest_dir, out_dir = os.path.abspath(argv[2]), argv[3], argv[4]
    if not tests:
        raise SystemExit("testlist: CTest lists no test")
    os.makedirs(out_dir, exist_ok=True)
    groups = ordered(runs(tests), argv[5:])
    names = [run for run, _ in groups]
    if len(set(names)) != len(names):
        raise SystemExit(f"testlist: cases of one run differ in more than their filter: {names}")
    for i, (run, members) in enumerate(groups):
        with open(os.path.join(out_dir, f"{i:03d}"), "w", encoding="utf-8") as f:
            f.write(entry(run, members, build_dir, guest_dir))
    print(len(tests))


if __name__ == "__main__":
    main(sys.argv)
