#!/usr/bin/env python3
"""The test run's bookkeeping: one line per test in a results file,
"pass NAME", "fail NAME[: why]" or "skip NAME: why", added up at the end.

  tally.py junit REPORT      the lines of a CTest JUnit report (--output-junit)
  tally.py unittest NAME FILE [TEST...]
                             runs the unittest cases of the Python check FILE
                             (or only the named ones: a class, Class.test),
                             a line per case, "NAME: Class.test"; the cases'
                             own output and unittest's report go to stderr;
                             exits 1 when a case failed
  tally.py summary RESULTS   every failure and every skip with its reason,
                             then "tests: N passed, M failed, K skipped";
                             exits 1 when anything failed

A test counts once, as what it was: a skipped GoogleTest case is a skip,
not a pass, and a stage that broke down is one failure.
"""
import importlib
import os
import sys
import unittest
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


def first_line(text, limit=300):
    """The line that says what went wrong: the last of a traceback."""
    lines = [line.strip() for line in text.strip().splitlines() if line.strip()]
    line = lines[-1] if lines else "no reason given"
    return line if len(line) <= limit else line[:limit - 3] + "..."


class Outcomes(unittest.TextTestResult):
    """unittest's own verbose report, and each case's outcome by its id.
    A case with a failing subtest fails; an unexpected success fails too."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.outcomes = {}
        self.fixture_errors = []

    def set(self, test, outcome, why=""):
        if self.outcomes.get(test.id(), ("pass",))[0] == "pass":
            self.outcomes[test.id()] = (outcome, why)

    def addSuccess(self, test):
        super().addSuccess(test)
        self.set(test, "pass")

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self.set(test, "fail", first_line(self._exc_info_to_string(err, test)))

    def addError(self, test, err):
        super().addError(test, err)
        why = first_line(self._exc_info_to_string(err, test))
        if isinstance(test, unittest.TestCase):
            self.set(test, "fail", why)
        else:
            # A class's or module's set-up or tear-down: no case of its own.
            self.fixture_errors.append((str(test), why))

    def addSkip(self, test, reason):
        super().addSkip(test, reason)
        if isinstance(test, unittest.TestCase):
            self.set(test, "skip", reason or "skipped")
        else:
            self.fixture_errors.append((str(test), f"skipped: {reason}"))

    def addExpectedFailure(self, test, err):
        super().addExpectedFailure(test, err)
        self.set(test, "pass")

    def addUnexpectedSuccess(self, test):
        super().addUnexpectedSuccess(test)
        self.set(test, "fail", "passed although marked as an expected failure")

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        if err is not None:
            self.set(test, "fail", f"{subtest._subDescription()}: "
                                   + first_line(self._exc_info_to_string(err, test)))


def cases(suite):
    for test in suite:
        if isinstance(test, unittest.TestSuite):
            yield from cases(test)
        else:
            yield test


def run_unittest(name, path, selected):
    """Loads FILE as a module (its folder first on the path, for the modules
    beside it), runs its cases and prints a line per case. Output the cases
    or the programs they start write to stdout goes to stderr meanwhile, so
    that stdout holds the lines alone."""
    lines = []
    # No __pycache__ folders left in the tree by the checks or their modules.
    sys.dont_write_bytecode = True
    saved = os.dup(1)
    os.dup2(2, 1)
    stdout, sys.stdout = sys.stdout, sys.stderr
    try:
        try:
            sys.path.insert(0, os.path.dirname(os.path.abspath(path)))
            module_name = os.path.splitext(os.path.basename(path))[0]
            module = importlib.import_module(module_name)
            loader = unittest.TestLoader()
            suite = loader.loadTestsFromNames(selected, module) if selected else loader.loadTestsFromModule(module)
        except Exception as error:  # noqa: BLE001 - any fault of the file is its failure
            lines.append(f"fail {name}: {path} does not load: {type(error).__name__}: {error}")
            suite = None
        if suite is not None:
            all_cases = list(cases(suite))
            if not all_cases:
                lines.append(f"fail {name}: {path} has no test cases")
            runner = unittest.TextTestRunner(stream=sys.stderr, verbosity=2, resultclass=Outcomes)
            result = runner.run(suite)
            prefix = module_name + "."
            set_up_errors = [why for what, why in result.fixture_errors if what.startswith("setUp")]
            for test in all_cases:
                case = test.id().removeprefix(prefix)
                outcome, why = result.outcomes.get(test.id(), ("fail", ""))
                if test.id() not in result.outcomes:
                    why = "did not run" + (f": set-up failed: {set_up_errors[0]}" if set_up_errors else "")
                lines.append(f"{outcome} {name}: {case}" + (f": {why}" if why else ""))
            for what, why in result.fixture_errors:
                if not what.startswith("setUp"):
                    lines.append(f"fail {name}: {what}: {why}")
    finally:
        sys.stdout.flush()
        sys.stdout = stdout
        os.dup2(saved, 1)
        os.close(saved)
    for line in lines:
        print(line)
    return 1 if any(line.startswith("fail ") for line in lines) else 0


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
    if len(argv) >= 4 and argv[1] == "unittest":
        return run_unittest(argv[2], argv[3], argv[4:])
    if len(argv) != 3 or argv[1] not in ("junit", "summary"):
        raise SystemExit(__doc__)
    if argv[1] == "junit":
        junit(argv[2])
        return 0
    return summary(argv[2])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
