#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Measures how many faults the unit tests find.

Makes small faults (mutants) in the given source files, one at a time:
comparisons, arithmetic and logical operators, constants, and deleted
statements. Each mutant is built in a private copy of the tree and the unit
tests are run against it with a time limit. A mutant is killed when the tests
fail, survives when they pass; it may also time out or not build.

    scripts/mutation-score.py game/*.cc game/*.h platform/host/form_host.cc ...

prints a table per file and the diff of every survivor. Survivors that are
equivalent to the original (no test could tell them apart) are listed with
the reason in scripts/mutation-equivalent.txt and left out of the score.
--save FILE writes every mutant's outcome; --compare FILE reports the
mutants that that earlier run killed and this one does not.
"""
import argparse
import concurrent.futures
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EQUIVALENT_LIST = os.path.join(ROOT, "scripts", "mutation-equivalent.txt")
TEST_TARGET = "titletype_tests"

# Operators that are swapped for a near neighbour. Binary operators are only
# taken with a space on each side, as the formatter writes them, so that
# template brackets, pointers and stream operators are left alone.
BINARY_SWAPS = {
    "<": ["<=", ">"], "<=": ["<", ">"], ">": [">=", "<"], ">=": [">", "<"],
    "==": ["!="], "!=": ["=="], "&&": ["||"], "||": ["&&"],
    "+": ["-"], "-": ["+"], "*": ["/"], "/": ["*"], "%": ["*"],
    "+=": ["-="], "-=": ["+="], "|=": ["&="], "&=": ["|="], "&": ["|"], "|": ["&"],
}
BINARY = re.compile(r"(?<= )(<=|>=|==|!=|&&|\|\||\+=|-=|\|=|&=|[<>+\-*/%&|])(?= )")
INCREMENT = re.compile(r"\+\+|--")
NEGATION = re.compile(r"!(?=[\w(])")
NUMBER = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")
BOOLEAN = re.compile(r"\b(true|false)\b")
# Lines that are a statement of their own and can simply be left out; a
# declaration that is used later just does not build.
STATEMENT = re.compile(r"^\s*(?!(return|case|default|break|using|namespace|struct|class|enum|"
                       r"template|typedef|public|private|protected)\b)[\w:~*(].*;\s*$")


def code_part(line):
    """The line with comments and string or character literals blanked."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
            out.append(" " if quote else c)
        elif c in "\"'" and not (c == "'" and i > 0 and line[i - 1].isdigit()):
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))


def mutants_of(path):
    """Every mutant of one file: (key, line number, mutated line)."""
    with open(os.path.join(ROOT, path)) as f:
        lines = f.read().split("\n")
    found, in_block_comment, previous, seen = [], False, "{", {}
    for number, line in enumerate(lines, 1):
        stripped = line.strip()
        # Keys name a line by its text (and which of its like it is), not
        # its number, so that they hold while the file around them changes.
        seen[stripped] = seen.get(stripped, 0) + 1
        name = f"{path}|{stripped}" + (f"|#{seen[stripped]}" if seen[stripped] > 1 else "")
        if in_block_comment or stripped.startswith("/*"):
            in_block_comment = "*/" not in stripped
            continue
        if not stripped or stripped.startswith("#") or stripped.startswith("static_assert"):
            continue
        code = code_part(line)
        edits = []
        for m in BINARY.finditer(code):
            for new in BINARY_SWAPS[m.group(1)]:
                edits.append((m.start(), m.end(), new))
        for m in INCREMENT.finditer(code):
            edits.append((m.start(), m.end(), "--" if m.group() == "++" else "++"))
        for m in NEGATION.finditer(code):
            edits.append((m.start(), m.end(), ""))
        for m in NUMBER.finditer(code):
            value = int(m.group(1))
            for new in sorted({value + 1, value - 1 if value else 1} - {value}):
                edits.append((m.start(), m.end(), str(new)))
        for m in BOOLEAN.finditer(code):
            edits.append((m.start(), m.end(), "false" if m.group() == "true" else "true"))
        for start, end, new in edits:
            mutated = line[:start] + new + line[end:]
            key = f"{name}|{start - (len(line) - len(line.lstrip()))}|{line[start:end]}->{new}"
            found.append((key, number, mutated))
        if (STATEMENT.match(code) and "{" not in code and "}" not in code
                and previous.rstrip().endswith((";", "{", "}", ":", ")"))):
            found.append((f"{name}|delete", number, ""))
        previous = code
    return lines, found


def read_equivalents():
    """Keys of the mutants known to be equivalent, with the reason."""
    equivalent = {}
    if os.path.exists(EQUIVALENT_LIST):
        with open(EQUIVALENT_LIST) as f:
            for line in f:
                if line.strip() and not line.startswith("#"):
                    key, _, reason = line.rstrip("\n").partition("  # ")
                    equivalent[key.strip()] = reason
    return equivalent


class Workspace:
    """A private copy of the tree with its own build of the unit tests."""

    def __init__(self, top, index, build_timeout):
        self.src = os.path.join(top, f"src{index}")
        self.build = os.path.join(top, f"build{index}")
        self.build_timeout = build_timeout
        files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], cwd=ROOT,
                               check=True, capture_output=True, text=True).stdout.split("\n")
        for name in filter(None, files):
            if os.path.isfile(os.path.join(ROOT, name)):
                os.makedirs(os.path.join(self.src, os.path.dirname(name)), exist_ok=True)
                shutil.copy2(os.path.join(ROOT, name), os.path.join(self.src, name))
        subprocess.run(["cmake", "-S", self.src, "-B", self.build, "-DCMAKE_BUILD_TYPE=Debug",
                        "-DCMAKE_CXX_FLAGS_DEBUG=-O1", "-DTITLETYPE_WERROR=OFF"],
                       check=True, capture_output=True)
        if not self.compile():
            raise SystemExit("the unmutated tree does not build")

    def compile(self):
        try:
            return subprocess.run(["cmake", "--build", self.build, "--target", TEST_TARGET],
                                  capture_output=True, timeout=self.build_timeout).returncode == 0
        except subprocess.TimeoutExpired:
            return False

    def run_tests(self, timeout):
        """'killed', 'survived' or 'timed out', and the tests that failed."""
        binary = os.path.join(self.build, "tests", TEST_TARGET)
        report = os.path.join(self.build, "result.json")
        if os.path.exists(report):
            os.remove(report)
        try:
            result = subprocess.run([binary, "--gtest_brief=1", f"--gtest_output=json:{report}"],
                                    capture_output=True, timeout=timeout, cwd=self.build)
        except subprocess.TimeoutExpired:
            return "timed out", []
        if result.returncode == 0:
            return "survived", []
        failed = []
        if os.path.exists(report):  # absent when the tests crashed
            with open(report) as f:
                for suite in json.load(f).get("testsuites", []):
                    failed += [f"{suite['name']}.{t['name']}" for t in suite.get("testsuite", [])
                               if t.get("failures")]
        return "killed", failed

    def try_mutant(self, path, lines, number, mutated, timeout):
        target = os.path.join(self.src, path)
        original = "\n".join(lines)
        changed = lines[:number - 1] + [mutated] + lines[number:]
        try:
            write_keeping_mtime_order(target, "\n".join(changed))
            return self.run_tests(timeout) if self.compile() else ("did not build", [])
        finally:
            write_keeping_mtime_order(target, original)


def write_keeping_mtime_order(path, text):
    """Writes `text` with a modification time newer than any build output."""
    with open(path, "w") as f:
        f.write(text)
    stamp = time.time() + 1
    os.utime(path, (stamp, stamp))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("files", nargs="+", help="source files, relative to the repository")
    parser.add_argument("--jobs", type=int, default=max(1, (os.cpu_count() or 2) // 2 + 1))
    parser.add_argument("--timeout", type=float, help="seconds a test run may take")
    parser.add_argument("--only", help="only mutants whose key contains this text")
    parser.add_argument("--save", help="write every mutant's outcome to this JSON file")
    parser.add_argument("--compare", help="an earlier --save file to compare with")
    args = parser.parse_args()

    todo = []
    for path in args.files:
        path = os.path.relpath(os.path.abspath(path), ROOT)
        lines, found = mutants_of(path)
        todo += [(path, lines, number, mutated, key) for key, number, mutated in found
                 if not args.only or args.only in key]
    if not todo:
        raise SystemExit("no mutants in those files")
    print(f"{len(todo)} mutants in {len(args.files)} files, {args.jobs} at a time", flush=True)

    top = tempfile.mkdtemp(prefix="titletype-mutation-")
    try:
        first = Workspace(top, 0, 600)
        started = time.monotonic()
        if first.run_tests(600)[0] != "survived":
            raise SystemExit("the unit tests fail on the unmutated tree")
        timeout = args.timeout or max(20.0, 5 * (time.monotonic() - started))
        workspaces = [first] + [Workspace(top, i, 600) for i in range(1, args.jobs)]
        for w in workspaces:
            w.build_timeout = 300
        free = list(workspaces)
        lock = threading.Lock()
        outcomes, killers, done = {}, {}, [0]

        def run(item):
            path, lines, number, mutated, key = item
            with lock:
                workspace = free.pop()
            try:
                outcome, failed = workspace.try_mutant(path, lines, number, mutated, timeout)
            finally:
                with lock:
                    free.append(workspace)
                    done[0] += 1
                    if done[0] % 25 == 0:
                        print(f"  {done[0]}/{len(todo)}", flush=True)
            return key, outcome, failed

        with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
            for key, outcome, failed in pool.map(run, todo):
                outcomes[key] = outcome
                killers[key] = failed
    finally:
        shutil.rmtree(top, ignore_errors=True)

    report(todo, outcomes, read_equivalents())
    report_tests(killers)
    if args.save:
        with open(args.save, "w") as f:
            json.dump({"outcomes": outcomes, "killers": killers}, f, indent=0, sort_keys=True)
    if args.compare:
        with open(args.compare) as f:
            before = json.load(f)["outcomes"]
        lost = sorted(k for k, v in before.items()
                      if v in ("killed", "timed out") and outcomes.get(k) == "survived")
        print(f"\nKilled before, surviving now: {len(lost)}")
        for key in lost:
            print("  " + key)


def report(todo, outcomes, equivalent):
    kinds = ["killed", "survived", "timed out", "did not build", "equivalent"]
    table, survivors = {}, []
    for path, lines, number, mutated, key in todo:
        outcome = outcomes[key]
        if outcome == "survived" and key in equivalent:
            outcome = "equivalent"
        elif outcome == "survived":
            survivors.append((path, number, lines[number - 1], mutated, key))
        table.setdefault(path, dict.fromkeys(kinds, 0))[outcome] += 1
    print(f"\n{'file':40} " + " ".join(f"{k:>13}" for k in kinds) + "   score")
    totals = dict.fromkeys(kinds, 0)
    for path, row in table.items():
        for k in kinds:
            totals[k] += row[k]
        print(f"{path:40} " + " ".join(f"{row[k]:13}" for k in kinds) + f"  {score(row)}")
    print(f"{'all':40} " + " ".join(f"{totals[k]:13}" for k in kinds) + f"  {score(totals)}")
    if survivors:
        print("\nSurvivors:")
    for path, number, line, mutated, key in survivors:
        print(f"--- {path}:{number}  {key}\n-{line}\n+{mutated}")


def report_tests(killers):
    """Each test's kills, and how many of them no other test makes."""
    kills, unique = {}, {}
    for failed in killers.values():
        for test in failed:
            kills[test] = kills.get(test, 0) + 1
            if len(failed) == 1:
                unique[test] = unique.get(test, 0) + 1
    print(f"\n{'test':72} {'kills':>6} {'alone':>6}")
    for test in sorted(kills, key=lambda t: (unique.get(t, 0), kills[t])):
        print(f"{test:72} {kills[test]:6} {unique.get(test, 0):6}")


def score(row):
    """Killed (or timed out) among the mutants that built and are not equivalent."""
    counted = row["killed"] + row["timed out"] + row["survived"]
    return f"{100 * (row['killed'] + row['timed out']) / counted:5.1f}%" if counted else "    -"


if __name__ == "__main__":
    sys.exit(main())
