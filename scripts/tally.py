#!/usr/bin/env python3
"""The test run's bookkeeping: one line per test in a results file,
"pass NAME", "fail NAME[: why]" or "skip NAME: why", added up at the end.

  tally.py junit REPORT      the lines of a CTest JUnit report (--output-junit)
  tally.py summary RESULTS   every failure and every skip with its reason,
                             then "tests: N passed, M failed, K skipped";
                             exits 1 when anything failed

A test counts once, as what it was: a skipped GoogleTest case is a skip,
not a pass, and a stage that broke down is one failure.
"""
import sys
import xml.etree.ElementTree as ElementTree


def skip_reason(output):
    """GoogleTest's "file:line: Skipped" line is followed by the message;
    CTest's own reasons (disabled, a missing program) come from its report."""
    lines = output.splitlines()
    for i, line in enumerate(lines):
        if line.endswith(": Skipped"):
            message = [m.strip() for m in lines[i + 1:] if m.strip() and not m.startswith("[")]
            if message:
                return message[0]
    return ""


def junit(path):
    try:
        cases = list(ElementTree.parse(path).getroot().iter("testcase"))
    except (OSError, ElementTree.ParseError) as error:
        print(f"fail {path}: no CTest report ({error})")
        return
    if not cases:
        print(f"fail {path}: CTest ran no test")
    for case in cases:
        name, status = case.get("name"), case.get("status")
        output = case.findtext("system-out") or ""
        if status == "run":
            print(f"pass {name}")
        elif status in ("notrun", "disabled"):
            skipped = case.find("skipped")
            ctest_reason = skipped.get("message", "") if skipped is not None else status
            reason = skip_reason(output) or ("disabled" if status == "disabled" else ctest_reason)
            print(f"skip {name}: {reason}")
        else:
            failure = case.find("failure")
            why = failure.get("message", "") if failure is not None else ""
            print(f"fail {name}" + (f": {why}" if why else ""))


def summary(path):
    counts = {"pass": 0, "fail": 0, "skip": 0}
    listed = {"fail": [], "skip": []}
    with open(path, encoding="utf-8") as f:
        for line in f:
            outcome, _, rest = line.rstrip("\n").partition(" ")
            if outcome not in counts:
                print(f"tally: a line it does not read: {line!r}", file=sys.stderr)
                outcome = "fail"
            counts[outcome] += 1
            if outcome in listed:
                listed[outcome].append(rest)
    for outcome, title in (("fail", "failed"), ("skip", "skipped")):
        if listed[outcome]:
            print(f"{title}:")
            for entry in listed[outcome]:
                print(f"  {entry}")
    print(f"tests: {counts['pass']} passed, {counts['fail']} failed, {counts['skip']} skipped")
    return 1 if counts["fail"] else 0


def main(argv):
    if len(argv) != 3 or argv[1] not in ("junit", "summary"):
        raise SystemExit(__doc__)
    if argv[1] == "junit":
        junit(argv[2])
        return 0
    return summary(argv[2])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
