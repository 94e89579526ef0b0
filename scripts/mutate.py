#!/usr/bin/env python3
"""Deliberate one-line faults, one at a time: do the tests notice them?

Each fault list (scripts/mutants/*.txt) names the test programs to build and
run, then one fault a line, found by its text rather than its line number so
that a list outlives later edits of the code:

    @test rtl_tests                       test programs for the faults below
    src/platform/rtl/files.cpp:p == 0:p == 1
    src/platform/rtl/files.cpp:return Size:n > 0:n >= 0

The first form is file:old:new: old must occur exactly once in the file and
is replaced by new. Where old occurs more than once, the second form,
file:context:old:new, names the one line that holds context, when old lies
inside context once (it is replaced there), or else the one line that holds old
once and has context on it or on one of the three lines above it. A backslash escapes a colon inside any field. A fault
whose text matches nowhere is reported GONE (the code changed under it), one
that matches more than once AMBIGUOUS; neither is tried nor counted.

For every fault the file is changed, the test programs are rebuilt and run;
a fault is caught when a program fails (or runs past the time limit), missed
when all pass, and left out of the rate when it does not compile.

The changed file is always put back, byte for byte: after each fault, on
Ctrl-C, SIGTERM or SIGHUP, and on any error; a copy waits in the build folder
meanwhile, from which the next run mends a file that a killed run left
changed. The build is brought back to the real sources at the end. Run one
at a time per build folder.

    python3 scripts/mutate.py scripts/mutants/rtl.txt scripts/mutants/grid.txt
    python3 scripts/mutate.py --build-dir build/mut --only 3 scripts/mutants/rtl.txt
    python3 scripts/mutate.py --check scripts/mutants/*.txt   (find every fault, build nothing)
"""

import argparse
import os
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


# How many lines above a fault its context may stand: enough to tell apart
# two identical lines by the loop or function they sit in.
CONTEXT_ABOVE = 3


class Fault:
    def __init__(self, listname, number, path, context, old, new, tests):
        self.listname, self.number = listname, number
        self.path, self.context, self.old, self.new = path, context, old, new
        self.tests = tests
        self.caught_by = ""

    def label(self):
        where = " [%s]" % self.context if self.context else ""
        return "%s%s: %s -> %s" % (self.path, where, self.old, self.new)

    def near(self, lines, i):
        """Whether the context stands on line i or just above it."""
        return any(self.context in l for l in lines[max(0, i - CONTEXT_ABOVE):i + 1])

    def apply(self, text):
        """Returns text with this fault in it, or "GONE" or "AMBIGUOUS"."""
        if not self.old:
            return "AMBIGUOUS"
        if self.context is None:
            count = text.count(self.old)
            if count != 1:
                return "GONE" if count == 0 else "AMBIGUOUS"
            return text.replace(self.old, self.new, 1)
        lines = text.split("\n")
        if self.old in self.context:
            hits = [i for i, l in enumerate(lines) if self.context in l]
        else:
            hits = [i for i, l in enumerate(lines) if self.old in l and self.near(lines, i)]
        if len(hits) != 1:
            return "GONE" if not hits else "AMBIGUOUS"
        line = lines[hits[0]]
        if self.old in self.context:
            if line.count(self.context) != 1 or self.context.count(self.old) != 1:
                return "AMBIGUOUS"
            changed = self.context.replace(self.old, self.new, 1)
            lines[hits[0]] = line.replace(self.context, changed, 1)
        else:
            if line.count(self.old) != 1:
                return "AMBIGUOUS"
            lines[hits[0]] = line.replace(self.old, self.new, 1)
        return "\n".join(lines)


def split_unescaped(text):
    parts = re.split(r"(?<!\\):", text)
    return [p.replace("\\:", ":") for p in parts]


def read_list(listfile):
    faults, tests = [], []
    name = os.path.splitext(os.path.basename(listfile))[0]
    with open(listfile, encoding="utf-8") as f:
        for raw in f:
            text = raw.rstrip("\n")
            if not text.strip() or text.lstrip().startswith("#"):
                continue
            if text.startswith("@test"):
                tests = text.split()[1:]
                continue
            parts = split_unescaped(text)
            if len(parts) not in (3, 4) or not tests:
                sys.exit("%s: cannot read fault: %s" % (listfile, text))
            context = parts[1] if len(parts) == 4 else None
            faults.append(Fault(name, len(faults) + 1, parts[0], context, parts[-2], parts[-1],
                                tests))
    return faults


class Restorer:
    """Keeps the original bytes of the file under change and puts them back.

    A copy also waits on disk while the file is changed, so that even a run
    that was killed outright is mended: the next run puts it back first.
    """

    def __init__(self):
        self.path = None
        self.original = None
        self.spare = None

    def set_spare_dir(self, folder):
        self.spare = os.path.join(folder, "mutate-original")

    def recover(self):
        """Puts back a file that a killed run left changed."""
        if not self.spare or not os.path.exists(self.spare):
            return
        with open(self.spare, "rb") as f:
            name, _, data = f.read().partition(b"\0")
        with open(name.decode("utf-8"), "wb") as f:
            f.write(data)
        os.remove(self.spare)
        print("put back %s, left changed by an earlier run" % name.decode("utf-8"))

    def hold(self, path):
        with open(path, "rb") as f:
            self.original = f.read()
        if self.spare:
            with open(self.spare, "wb") as f:
                f.write(path.encode("utf-8") + b"\0" + self.original)
        self.path = path

    def restore(self):
        if self.path is None:
            return
        with open(self.path, "wb") as f:
            f.write(self.original)
        with open(self.path, "rb") as f:
            if f.read() != self.original:
                sys.exit("could not restore %s (its original is in %s)" % (self.path, self.spare))
        self.path = None
        if self.spare and os.path.exists(self.spare):
            os.remove(self.spare)


RESTORER = Restorer()


def on_signal(signum, frame):
    RESTORER.restore()
    sys.stderr.write("\nstopped; sources restored\n")
    sys.exit(128 + signum)


def run(cmd, timeout, env=None):
    try:
        r = subprocess.run(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                           timeout=timeout, env=env)
        return r.returncode, r.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, ""


JOBS = 2


def build(build_dir, targets):
    return run(["cmake", "--build", build_dir, "-j", str(JOBS), "--target"] + targets, 1800)


def find_program(build_dir, target):
    for base, _dirs, files in os.walk(os.path.join(ROOT, build_dir)):
        if target in files and os.access(os.path.join(base, target), os.X_OK):
            return os.path.join(base, target)
    sys.exit("no test program %s in %s" % (target, build_dir))


def try_fault(fault, build_dir, timeout):
    path = os.path.join(ROOT, fault.path)
    if not os.path.exists(path):
        return "GONE"
    RESTORER.hold(path)
    try:
        changed = fault.apply(RESTORER.original.decode("utf-8"))
        if changed in ("GONE", "AMBIGUOUS"):
            return changed
        with open(path, "wb") as f:
            f.write(changed.encode("utf-8"))
        code, _ = build(build_dir, fault.tests)
        if code != 0:
            return "NOBUILD"
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        for t in fault.tests:
            code, out = run([find_program(build_dir, t), "--gtest_brief=1", "--gtest_fail_fast"],
                            timeout, env)
            if code != 0:
                # Which test noticed, so that a catch by a test that failed for
                # another reason (a busy machine) can be told apart.
                failed = re.findall(r"^\[  FAILED  \] (\S+)", out, re.M)
                fault.caught_by = "%s %s" % (t, failed[0] if failed else
                                             "(timed out)" if code is None else "(crashed)")
                return "CAUGHT"
        return "MISSED"
    finally:
        RESTORER.restore()


def check_fault(fault):
    path = os.path.join(ROOT, fault.path)
    if not os.path.exists(path):
        return "GONE"
    with open(path, encoding="utf-8") as f:
        changed = f.read()
    changed = fault.apply(changed)
    return changed if changed in ("GONE", "AMBIGUOUS") else "FOUND"


def numbers(text):
    """The fault numbers "3", "3-7" or "3,5-7" name."""
    out = set()
    for part in text.split(","):
        first, _, last = part.partition("-")
        out.update(range(int(first), int(last or first) + 1))
    return out


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("lists", nargs="+", help="fault lists (scripts/mutants/*.txt)")
    ap.add_argument("--build-dir", default="build/test")
    ap.add_argument("--only", action="append", type=numbers,
                    help="run only these faults of each list (N, N-M or N,M,...)")
    ap.add_argument("--timeout", type=int, default=300, help="seconds per test program")
    ap.add_argument("--jobs", type=int, default=2, help="parallel build jobs")
    ap.add_argument("--check", action="store_true",
                    help="only find every fault in the sources; build and run nothing")
    args = ap.parse_args()
    global JOBS
    JOBS = args.jobs

    if args.check:
        bad = 0
        for listfile in args.lists:
            for f in read_list(listfile):
                verdict = check_fault(f)
                if verdict != "FOUND":
                    bad += 1
                    print("%-9s %s#%-2d %s" % (verdict, f.listname, f.number, f.label()))
        sys.exit(1 if bad else 0)

    RESTORER.set_spare_dir(os.path.join(ROOT, args.build_dir))
    RESTORER.recover()
    signal.signal(signal.SIGINT, on_signal)
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)

    all_tests = set()
    summary = []
    try:
        for listfile in args.lists:
            faults = read_list(listfile)
            for f in faults:
                all_tests.update(f.tests)
            # The unchanged sources must pass, or no fault can be judged.
            targets = sorted({t for f in faults for t in f.tests})
            code, out = build(args.build_dir, targets)
            if code != 0:
                sys.exit("the unchanged sources do not build:\n" + out[-3000:])
            env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
            for t in targets:
                code, out = run([find_program(args.build_dir, t), "--gtest_brief=1"],
                                args.timeout, env)
                if code != 0:
                    sys.exit("%s fails on the unchanged sources:\n%s" % (t, out[-3000:]))
            counts = {"CAUGHT": 0, "MISSED": 0, "NOBUILD": 0, "GONE": 0, "AMBIGUOUS": 0}
            for f in faults:
                if args.only and not any(f.number in o for o in args.only):
                    continue
                start = time.time()
                verdict = try_fault(f, args.build_dir, args.timeout)
                counts[verdict] += 1
                by = "  by %s" % f.caught_by if verdict == "CAUGHT" else ""
                print("%-9s %s#%-2d %s  (%.0fs)%s" % (verdict, f.listname, f.number, f.label(),
                                                       time.time() - start, by), flush=True)
            judged = counts["CAUGHT"] + counts["MISSED"]
            rate = 100.0 * counts["CAUGHT"] / judged if judged else 0.0
            summary.append("%s: %d of %d caught (%.0f%%); %d did not compile, %d gone, %d ambiguous"
                           % (os.path.basename(listfile), counts["CAUGHT"], judged, rate,
                              counts["NOBUILD"], counts["GONE"], counts["AMBIGUOUS"]))
    finally:
        RESTORER.restore()
        if all_tests:
            build(args.build_dir, sorted(all_tests))  # back to the real sources
    print("\n".join(summary))


if __name__ == "__main__":
    main()
