#!/usr/bin/env python3
"""Puts ten deliberate faults into the model and the group exchange, one at a time, and shows
that the test suite fails on each: a suite that passes with one of them in place does not guard
what the fault breaks.

    scripts/mutation-check.py [--preset dev] [--only N ...] [--jobs 2]

Each fault is a small text change to one source file; a fault may list several spellings of the
same change, so that it still applies when the code around it is reorganised (the first spelling
found exactly once is used). The build runs after each change and the suite stops at its first
failing test; the file is put back afterwards, also when the check is interrupted. Run it inside
a network namespace of its own when other suites run on this machine (the FTP test server holds
port 21). Exits 1 when a fault survives or cannot be applied.
"""
import argparse
import os
import subprocess
import sys
import time

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# (what the fault breaks, file, [(original, faulty), ...])
FAULTS = [
    ("a daily reminder's next occurrence comes a day late", "model/TBWItem.cpp",
     [("            DueTime += 1;\n", "            DueTime += 2;\n")]),
    ("an occurrence on an inactive weekday comes that very day", "model/TBWItem.cpp",
     [("return DueTime + DaysToActiveDay(*this, DueTime);", "return DueTime;")]),
    ("a reminder due exactly now waits for the next check", "model/TBWItem.cpp",
     [("if (now < comes || LastDueTime == DueTime)", "if (now <= comes || LastDueTime == DueTime)")]),
    ("a pull forgets which occurrences this member has already seen", "model/ItemList.cpp",
     [("        item->LastDueTime = localLastDue;\n", "")]),
    ("a pull drops the messages new in the group file", "model/ItemList.cpp",
     [("        if (!entry->InTarget) {", "        if (!entry->InTarget && entry == nullptr) {")]),
    ("a save writes its temporary file but never puts it in place", "model/AtomicFileWriter.cpp",
     [("if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {",
       "if (m_temporary.empty() && ::rename(m_temporary.c_str(), m_target.c_str()) != 0) {")]),
    ("a member takes over a lock that another member still holds", "transfer/store/GroupLock.cpp",
     [("    return age > bound;\n", "    return age >= bound || content.size() > 0;\n")]),
    ("a publish is reported as sent without reading the group file back", "transfer/store/LockedPublish.cpp",
     [("    Verify(password, applied, outcome);\n", "")]),
    ("a message waiting for a busy group is not kept across a restart", "app/exchange/GroupOutbox.cpp",
     [("    m_pending[group].Merge(changes);\n    Save(group);\n", "    m_pending[group].Merge(changes);\n")]),
    ("the changes for a busy group are given up instead of retried", "app/exchange/GroupExchange.cpp",
     [("    if (outcome.What != PublishOutcome::Problem::Busy) {", "    if (outcome.What != PublishOutcome::Problem::None) {")]),
]


def run(command, log):
    with open(log, "a") as out:
        out.write("\n$ %s\n" % " ".join(command))
        out.flush()
        return subprocess.run(command, cwd=ROOT, stdout=out, stderr=subprocess.STDOUT).returncode


def apply(path, spellings):
    with open(path) as f:
        original = f.read()
    for before, after in spellings:
        if original.count(before) == 1:
            with open(path, "w") as f:
                f.write(original.replace(before, after))
            return original
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--preset", default="dev")
    parser.add_argument("--only", type=int, action="append", help="run only fault N (1-%d)" % len(FAULTS))
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--log", default=os.path.join(ROOT, "build", "mutation-check.log"))
    args = parser.parse_args()
    os.makedirs(os.path.dirname(args.log), exist_ok=True)
    open(args.log, "w").close()
    if run(["cmake", "--build", "--preset", args.preset, "-j", str(args.jobs)], args.log) != 0:
        sys.exit("the unchanged code does not build; see %s" % args.log)

    survivors = 0
    print("| # | fault | caught | seconds |")
    print("|---:|---|---|---:|")
    for number, (what, file, spellings) in enumerate(FAULTS, start=1):
        if args.only and number not in args.only:
            continue
        path = os.path.join(ROOT, file)
        started = time.time()
        original = apply(path, spellings)
        if original is None:
            verdict = "NOT APPLIED: the code it changes is not in %s" % file
            survivors += 1
        else:
            try:
                if run(["cmake", "--build", "--preset", args.preset, "-j", str(args.jobs)], args.log) != 0:
                    verdict = "yes (does not build)"
                else:
                    failed = run(["ctest", "--preset", args.preset, "-j", str(args.jobs), "--stop-on-failure",
                                  "--timeout", "300"], args.log) != 0
                    verdict = "yes" if failed else "NO: the suite passes"
                    survivors += 0 if failed else 1
            finally:
                with open(path, "w") as f:
                    f.write(original)
        print("| %d | %s (%s) | %s | %.0f |" % (number, what, file, verdict, time.time() - started), flush=True)
    run(["cmake", "--build", "--preset", args.preset, "-j", str(args.jobs)], args.log)
    return 1 if survivors else 0


if __name__ == "__main__":
    sys.exit(main())
