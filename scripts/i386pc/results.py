#!/usr/bin/env python3
"""Reads what the emulated PC left in the share after its test stage and
tells each CTest test's result: a line per test, the stage's closing line
"i686 pc: N passed, M failed, K skipped", and the same per test in
RESULTS_FILE as "pass NAME", "fail NAME: why" or "skip NAME: why" lines.

    results.py SHARE CONSOLE_LOG RESULTS_FILE

Each run of a program (a file of SHARE/list, see testlist.py) left its
exit status and output in SHARE/results; a run's cases are read from the
program's GoogleTest output. Exits 1 when anything failed.
"""
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from tally import skip_reason  # noqa: E402

# "[       OK ] Suite.Case (12 ms)", likewise SKIPPED and FAILED; the lines
# of the closing summary carry no time.
END = re.compile(r"^\[ +(OK|SKIPPED|FAILED) +\] (\S+) \(\d+ ms\)")
START = re.compile(r"^\[ RUN +\] (\S+)")


def read(path, default=""):
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read()
    except OSError:
        return default


def tail(text, lines=30):
    return "\n".join(text.splitlines()[-lines:])


def run_entry(path):
    entry = {"name": "", "cases": []}
    for line in read(path).splitlines():
        key, _, value = line.partition(" ")
        if key == "name":
            entry["name"] = value
        elif key == "case":
            entry["cases"].append(value)
    return entry


def failure_lines(lines):
    keep = re.compile(r"Failure|FAILED|error|Expected|Which is|Value of|not in|missing")
    found = [line for line in lines if keep.search(line)]
    return (found or lines[-40:])[:40]


def case_results(log):
    """Suite.Case -> (outcome, that case's output lines), outcome OK,
    SKIPPED, FAILED or None for a case started and never finished."""
    results, current, output = {}, None, []
    for line in log.splitlines():
        start = START.match(line)
        end = END.match(line)
        if start:
            current, output = start.group(1), []
            results[current] = (None, output)
        elif end:
            results[end.group(2)] = (end.group(1), output)
            current = None
        elif current:
            output.append(line)
    return results


class Tally:
    def __init__(self, results_file):
        self.counts = {"pass": 0, "fail": 0, "skip": 0}
        self.file = open(results_file, "w", encoding="utf-8")

    def add(self, outcome, name, why="", shown=None, detail=()):
        self.counts[outcome] += 1
        self.file.write(f"{outcome} {name}{': ' + why if why else ''}\n")
        label = {"pass": "ok   ", "fail": "FAIL ", "skip": "skip "}[outcome]
        print(f"{label} {name}{shown if shown is not None else (': ' + why if why else '')}")
        for line in detail:
            print(f"      {line}")


def program_run(tally, entry, status, log, seconds):
    name = entry["name"]
    if not entry["cases"]:
        # A test of its own, not a GoogleTest case: its exit status tells.
        if status == "0":
            tally.add("pass", name, shown=f" ({seconds}s)")
        elif status in ("skipped", "missing"):
            tally.add("skip", name, log.splitlines()[0] if log.strip() else "not run: the machine stopped before it")
        else:
            tally.add("fail", name, f"status {status}", detail=failure_lines(log.splitlines()))
        return
    results = case_results(log)
    for case in entry["cases"]:
        gtest_name = case.split(".", 1)[1]
        outcome, output = results.get(gtest_name, ("absent", []))
        if outcome == "OK":
            tally.add("pass", case)
        elif outcome == "SKIPPED":
            tally.add("skip", case, skip_reason("\n".join(output)) or "skipped without a reason")
        elif outcome == "FAILED":
            tally.add("fail", case, detail=failure_lines(output))
        elif outcome is None:
            tally.add("fail", case, f"started and never finished (run {name}: status {status})",
                      detail=output[-10:])
        elif status in ("skipped", "missing"):
            tally.add("skip", case, log.splitlines()[0] if status == "skipped" and log.strip()
                      else "not run: the machine stopped before it")
        else:
            tally.add("fail", case, f"not run: {name} ended before it (status {status})",
                      detail=tail(log, 10).splitlines())
    # A program that failed after all its cases (at exit, say) still failed.
    if status not in ("0", "skipped", "missing") and all(
            results.get(c.split(".", 1)[1], (None,))[0] in ("OK", "SKIPPED") for c in entry["cases"]):
        tally.add("fail", name, f"status {status} after its cases passed", detail=tail(log, 10).splitlines())
    print(f"      ({name}: {seconds}s)")


def main(argv):
    if len(argv) != 4:
        raise SystemExit(__doc__)
    share, console_log, results_file = argv[1:]
    tally = Tally(results_file)
    results = os.path.join(share, "results")
    if not os.path.isfile(os.path.join(share, "tests.status")):
        tally.add("fail", "the stage", "the machine did not finish its stage",
                  detail=(tail(read(os.path.join(share, "tests.log"))) + "\n" + tail(read(console_log))).splitlines())
    elif os.path.isfile(os.path.join(results, "session.failed")):
        tally.add("fail", "the bench session", "it did not start in the machine",
                  detail=tail(read(os.path.join(share, "tests.log"))).splitlines())
    list_dir = os.path.join(share, "list")
    for n in sorted(os.listdir(list_dir)):
        entry = run_entry(os.path.join(list_dir, n))
        status = read(os.path.join(results, f"{n}.status"), "missing").strip() or "missing"
        seconds = read(os.path.join(results, f"{n}.seconds"), "?").strip()
        log = read(os.path.join(results, f"{n}.log"))
        program_run(tally, entry, status, log, seconds)
    tally.file.close()
    c = tally.counts
    print(f"i686 pc: {c['pass']} passed, {c['fail']} failed, {c['skip']} skipped")
    return 1 if c["fail"] else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
