#!/usr/bin/env python3
"""Runs the side-by-side comparison in one go and prints its table.

Bellwick's list files and list operations beside KCalendarCore, libical and remind on the same
generated reminders, the floor of the machine (AES-256-ECB and memcpy of the file's bytes), the
targets as PASS/FAIL lines, and the start-up and idle figures of the real program when it is built.
Every figure is a median of runs taken in this one invocation; ratios divide medians of the same run.

Usage: compare.py BUILD_DIR WORK_DIR [--sizes 1000,10000,100000] [--quick] [--app-build DIR]
                  [--idle-seconds 60] [--readme bench/README.md]
"""
import argparse
import json
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

PROGRAMS = [("bellwick", "Bellwick"), ("kcal", "KCalendarCore"), ("libical", "libical"), ("remind", "remind")]

# operation key, label, programs that have it
OPERATIONS = [
    ("load", "load list file", ["bellwick", "kcal", "libical"]),
    ("save", "save list file", ["bellwick", "kcal", "libical"]),
    ("decode", "load in memory (no file system)", ["bellwick", "kcal", "libical"]),
    ("encode", "save in memory (no file system)", ["bellwick", "kcal", "libical"]),
    ("next", "next occurrence of every reminder, in memory", ["bellwick", "kcal", "libical"]),
    ("oneshot", "one run: start, read file, next occurrence of each", ["bellwick", "kcal", "libical", "remind"]),
    ("merge", "merge fetched group file N into N", ["bellwick"]),
    ("scan", "due scan (CheckDue on every message)", ["bellwick"]),
]
MEMORY_LABEL = "peak memory above an empty list: load + save"
MARGINAL_LABEL = "the same run above the same program's run on an empty list"

TARGET_N = 100000
MERGE_LIMIT_MS = 50.0
LOAD_SAVE_LIMIT_MS = 50.0
FLOOR_FACTOR = 3.0
SCAN_LIMIT_MS = 5.0
MEMORY_FACTOR = 3.0
STARTUP_LIMIT_MS = 300.0
IDLE_LIMIT_S = 0.5


class Harness:
    def __init__(self, build, work, quick):
        self.build = Path(build)
        self.work = Path(work)
        self.quick = quick
        self.env = dict(os.environ, TZ="UTC", LC_ALL="C")

    def runner(self, program):
        return self.build / f"bw_compare_{program}"

    def has(self, program):
        if program == "remind":
            return shutil.which("remind") is not None
        return self.runner(program).exists()

    def input_file(self, program, n):
        if program == "bellwick":
            return self.work / f"bellwick-{n}.dat"
        if program == "remind":
            return self.work / f"reminders-{n}.rem"
        return self.work / f"events-{n}.ics"

    def repetitions(self, program, n):
        if self.quick:
            return 3
        if program == "bellwick":
            return {1000: 31, 10000: 15}.get(n, 9)
        return {0: 9, 1000: 9, 10000: 5}.get(n, 3)

    def spawn_measured(self, command):
        """Runs a command to its end: (wall seconds, peak resident KB, stdout). The resource use comes
        from wait4, so the peak is the child's own."""
        with tempfile.TemporaryFile() as errors:
            started = time.perf_counter()
            process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=errors, env=self.env)
            out = process.stdout.read()
            _, status, usage = os.wait4(process.pid, 0)
            elapsed = time.perf_counter() - started
            process.stdout.close()
            process.returncode = os.waitstatus_to_exitcode(status)
            if process.returncode:
                errors.seek(0)
                raise RuntimeError(f"{' '.join(map(str, command))} failed: {errors.read().decode(errors='replace')}")
        return elapsed, usage.ru_maxrss, out.decode()

    def in_process(self, program, op, n):
        """Median milliseconds of an operation timed inside its runner, and the runner's check."""
        out_file = self.work / f"out-{program}-{n}"
        command = [self.runner(program), op, self.input_file(program, n), "--out", out_file,
                   "--reps", str(self.repetitions(program, n)), "--budget", "20"]
        _, _, out = self.spawn_measured(command)
        result = json.loads(out.strip().splitlines()[-1])
        return statistics.median(result["ms"]), result["check"]

    def oneshot_command(self, program, n):
        if program == "remind":
            return ["remind", "-n", "-q", "-r", self.input_file(program, n), "2026-03-11", "12:00"]
        return [self.runner(program), "oneshot", self.input_file(program, n)]

    def oneshot(self, program, n):
        """Median wall time of whole runs (process start to exit), as a user running it would see."""
        command = self.oneshot_command(program, n)
        self.spawn_measured(command)  # warm the page cache and the dynamic loader
        times = []
        check = None
        for _ in range(self.repetitions("peer", n)):
            elapsed, _, out = self.spawn_measured(command)
            times.append(elapsed * 1000)
            if program == "remind":
                check = len([line for line in out.splitlines() if line.strip()])
            else:
                check = json.loads(out.strip().splitlines()[-1])["check"]
        return statistics.median(times), check

    def peak_memory(self, program, n):
        """Peak resident memory of a load + save run (remind: its whole run) in KB."""
        if program == "remind":
            command = self.oneshot_command(program, n)
        else:
            command = [self.runner(program), "roundtrip", self.input_file(program, n), "--out",
                       self.work / f"round-{program}-{n}"]
        with tempfile.TemporaryFile() as errors:
            subprocess.run([self.runner("peak"), *command], stdout=subprocess.DEVNULL, stderr=errors, env=self.env,
                           check=True)
            errors.seek(0)
            return int(re.search(rb"peak-kb (\d+)", errors.read()).group(1))


def millis(value):
    if value is None:
        return "—"
    if value >= 1000:
        return f"{value / 1000:.2f} s"
    if value >= 10:
        return f"{value:.1f} ms"
    if value >= 1:
        return f"{value:.2f} ms"
    return f"{value:.3f} ms"


def megabytes(kb):
    if kb is None:
        return "—"
    return f"{kb / 1024:.2f} MB" if kb < 10240 else f"{kb / 1024:.1f} MB"


def spaced(n):
    return f"{n:,}".replace(",", " ")


def measure(harness, sizes, log):
    results = {}  # (op, n, program) -> (median ms, check)
    for n in sizes:
        for op, label, programs in OPERATIONS:
            for program in programs:
                if not harness.has(program):
                    continue
                log(f"{op} N={n} {program}")
                if op == "oneshot":
                    results[(op, n, program)] = harness.oneshot(program, n)
                else:
                    results[(op, n, program)] = harness.in_process(program, op, n)
        for op in ("aes", "memcpy", "flush"):
            log(f"{op} N={n}")
            results[(op, n, "bellwick")] = harness.in_process("bellwick", op, n)
        for program, _ in PROGRAMS:
            if harness.has(program):
                log(f"memory N={n} {program}")
                results[("memory", n, program)] = (harness.peak_memory(program, n), None)
    for program, _ in PROGRAMS:
        if harness.has(program):
            log(f"empty list {program}")
            results[("memory", 0, program)] = (harness.peak_memory(program, 0), None)
            results[("oneshot", 0, program)] = harness.oneshot(program, 0)
    return results


def derived_rows(results, sizes):
    """The rows the table shows: measured medians, plus the one-run times above the same program's
    run on an empty list, and the peak memory above that of an empty list."""
    values = {key: value[0] for key, value in results.items()}
    for program, _ in PROGRAMS:
        for n in sizes:
            if ("oneshot", n, program) in values and ("oneshot", 0, program) in values:
                values[("marginal", n, program)] = values[("oneshot", n, program)] - values[("oneshot", 0, program)]
            if ("memory", n, program) in values:
                values[("memory", n, program)] = max(0, values[("memory", n, program)] - values[("memory", 0, program)])
    return values


def comparison_table(results, sizes, available):
    values = derived_rows(results, sizes)
    rows = [(op, label) for op, label, _ in OPERATIONS]
    rows.insert(rows.index(("oneshot", OPERATIONS[5][1])) + 1, ("marginal", MARGINAL_LABEL))
    rows.append(("memory", MEMORY_LABEL))
    lines = ["| operation | N | " + " | ".join(name for key, name in PROGRAMS if key in available) + " |",
             "|---|---:|" + "---:|" * len(available)]
    behind = []
    for op, label in rows:
        for n in sizes:
            if not any((op, n, program) in values for program in available):
                continue
            base = values.get((op, n, "bellwick"))
            cells = []
            for program, name in PROGRAMS:
                if program not in available:
                    continue
                value = values.get((op, n, program))
                if value is None:
                    cells.append("—")
                    continue
                text = megabytes(value) if op == "memory" else millis(value)
                if program != "bellwick" and base is not None:
                    meaningful = base >= (100 if op == "memory" else 0.001)
                    if meaningful:
                        ratio = value / base
                        text += f" ({ratio:.1f}×)" if ratio < 100 else f" ({ratio:.0f}×)"
                    if value <= base:
                        behind.append(f"{label}, N = {spaced(n)}: {name}")
                cells.append(text)
            lines.append(f"| {label} | {spaced(n)} | " + " | ".join(cells) + " |")
    return lines, behind


def floor_table(results, sizes, file_sizes):
    lines = ["| N | list file | AES-256-ECB | memcpy | floor | load × floor | save × floor | merge × memcpy "
             "| flushed write | save × (floor + flushed write) |",
             "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"]
    for n in sizes:
        aes = results[("aes", n, "bellwick")][0]
        copy = results[("memcpy", n, "bellwick")][0]
        floor = aes + copy
        load = results[("load", n, "bellwick")][0]
        save = results[("save", n, "bellwick")][0]
        merge = results[("merge", n, "bellwick")][0]
        flush = results[("flush", n, "bellwick")][0]
        lines.append(f"| {spaced(n)} | {file_sizes[n] / 1e6:.2f} MB | {millis(aes)} | {millis(copy)} | {millis(floor)} "
                     f"| {load / floor:.1f} | {save / floor:.1f} | {merge / copy:.1f} | {millis(flush)} "
                     f"| {save / (floor + flush):.1f} |")
    return lines


def targets(results, file_sizes):
    n = TARGET_N
    if ("load", n, "bellwick") not in results:
        return []
    floor = results[("aes", n, "bellwick")][0] + results[("memcpy", n, "bellwick")][0]
    lines = []

    def verdict(ok, text):
        lines.append(f"- {'PASS' if ok else 'FAIL'}: {text}")

    for op in ("load", "save"):
        value = results[(op, n, "bellwick")][0]
        verdict(value <= FLOOR_FACTOR * floor,
                f"{op} of {spaced(n)} within {FLOOR_FACTOR:.0f}× the floor: {millis(value)} = "
                f"{value / floor:.1f}× {millis(floor)}")
        verdict(value < LOAD_SAVE_LIMIT_MS, f"{op} of {spaced(n)} under {LOAD_SAVE_LIMIT_MS:.0f} ms: {millis(value)}")
    flush = results[("flush", n, "bellwick")][0]
    save = results[("save", n, "bellwick")][0]
    lines.append(f"- (for reading the save's verdicts) the disk alone takes {millis(flush)} to write and flush as "
                 f"many bytes the way a save does; save = {save / (floor + flush):.1f}× (floor + that write)")
    merge = results[("merge", n, "bellwick")][0]
    verdict(merge < MERGE_LIMIT_MS, f"merge {spaced(n)} into {spaced(n)} under {MERGE_LIMIT_MS:.0f} ms: {millis(merge)}")
    scan = results[("scan", n, "bellwick")][0]
    verdict(scan < SCAN_LIMIT_MS, f"due scan of {spaced(n)} under {SCAN_LIMIT_MS:.0f} ms: {millis(scan)}")
    peak, baseline = results[("memory", n, "bellwick")][0], results[("memory", 0, "bellwick")][0]
    limit = MEMORY_FACTOR * file_sizes[n] / 1024 + baseline
    verdict(peak < limit, f"peak memory for {spaced(n)} under {MEMORY_FACTOR:.0f}× the file "
                          f"({file_sizes[n] / 1e6:.1f} MB) + baseline ({megabytes(baseline)}): "
                          f"{megabytes(peak)} of {megabytes(limit)}")
    return lines


def agreement(harness, n):
    """Share of reminders whose next occurrence each peer finds where Bellwick does."""
    dumps = {}
    for program in ("bellwick", "kcal", "libical"):
        if harness.has(program):
            out = harness.work / f"next-{program}-{n}.txt"
            harness.spawn_measured([harness.runner(program), "nextdump", harness.input_file(program, n), "--out", out])
            dumps[program] = dict(line.split() for line in out.read_text().splitlines())
    base = dumps.get("bellwick", {})
    lines = []
    for program, name in PROGRAMS:
        if program in dumps and program != "bellwick" and base:
            same = sum(1 for uid, minutes in base.items() if dumps[program].get(uid) == minutes)
            lines.append(f"{name} {same / len(base) * 100:.1f} %")
    return lines


def find_app_build(explicit):
    root = Path(__file__).resolve().parents[2]
    candidates = [Path(explicit)] if explicit else [root / "build" / name for name in ("release", "dev", "app")]
    for folder in candidates:
        if (folder / "app" / "BWClient").exists():
            return folder
    return None


def startup(app_build, log):
    bench = app_build / "tests" / "app" / "bwclient_startup_bench"
    if not bench.exists():
        return None
    log("start-up (bwclient_startup_bench)")
    out = subprocess.run([bench, "7", "10000"], capture_output=True, text=True, timeout=300).stdout
    match = re.search(r"median ([0-9.]+) ms", out)
    return float(match.group(1)) if match else None


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return False


def idle_cpu(app_build, list_file, seconds, log):
    """Processor time of a running BWClient with 10 000 messages over the given seconds, after its
    window is shown; under Xvfb with trayer as the notification area, as the start-up bench does."""
    for other in sorted((app_build / "tests" / "app").glob("bwclient_idle*")):
        log(f"idle ({other.name})")
        out = subprocess.run([other], capture_output=True, text=True, timeout=seconds + 120).stdout
        match = re.search(r"([0-9.]+) s of processor time", out)
        if match:
            return float(match.group(1))
    program = app_build / "app" / "BWClient"
    if not (shutil.which("Xvfb") and shutil.which("trayer") and shutil.which("xwininfo")):
        return None
    log(f"idle (BWClient over {seconds} s)")
    with tempfile.TemporaryDirectory(prefix="bellwick-idle-") as home:
        home = Path(home)
        (home / "data" / "Bellwick").mkdir(parents=True)
        (home / "config" / "Bellwick").mkdir(parents=True)
        (home / "run").mkdir(mode=0o700)
        shutil.copy(list_file, home / "data" / "Bellwick" / "bwlist.dat")
        (home / "config" / "Bellwick" / "Bellwick.conf").write_text("[General]\nUserName=Ann\n")
        display = f":{100 + os.getpid() % 400}"
        env = dict(os.environ, DISPLAY=display, XDG_DATA_HOME=str(home / "data"),
                   XDG_CONFIG_HOME=str(home / "config"), XDG_RUNTIME_DIR=str(home / "run"), QT_QPA_PLATFORM="xcb")
        children = []
        try:
            children.append(subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            if not wait_until(lambda: subprocess.run(["xwininfo", "-root"], env=env, capture_output=True).returncode == 0,
                              10):
                return None
            children.append(subprocess.Popen(["trayer", "--edge", "bottom", "--widthtype", "request"], env=env,
                                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            time.sleep(1)
            client = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            children.append(client)

            def shown():
                tree = subprocess.run(["xwininfo", "-root", "-tree"], env=env, capture_output=True, text=True).stdout
                return "Bellwick (Ann)" in tree

            if not wait_until(shown, 30):
                return None
            time.sleep(1)  # let the first paint and the tray icon settle

            def processor_seconds():
                fields = Path(f"/proc/{client.pid}/stat").read_text().rsplit(")", 1)[1].split()
                return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

            before = processor_seconds()
            time.sleep(seconds)
            return processor_seconds() - before
        finally:
            for child in reversed(children):
                child.send_signal(signal.SIGTERM)
                try:
                    child.wait(10)
                except subprocess.TimeoutExpired:
                    child.kill()
                    child.wait()


def update_readme(path, text):
    readme = Path(path)
    content = readme.read_text()
    begin, end = "<!-- compare:begin -->", "<!-- compare:end -->"
    if begin not in content or end not in content:
        print(f"compare: {path} has no {begin} … {end} section; not updated", file=sys.stderr)
        return
    head, rest = content.split(begin, 1)
    tail = rest.split(end, 1)[1]
    readme.write_text(f"{head}{begin}\n{text}\n{end}{tail}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build")
    parser.add_argument("work")
    parser.add_argument("--sizes", default="1000,10000,100000")
    parser.add_argument("--quick", action="store_true", help="three repetitions of everything")
    parser.add_argument("--app-build", help="build folder holding app/BWClient (default: build/release, dev, app)")
    parser.add_argument("--idle-seconds", type=float, default=60)
    parser.add_argument("--readme", help="write the report into this file's compare section")
    args = parser.parse_args()

    started = time.monotonic()
    log = lambda text: print(f"[{time.monotonic() - started:6.1f} s] {text}", file=sys.stderr, flush=True)
    sizes = [int(n) for n in args.sizes.split(",")]
    harness = Harness(args.build, args.work, args.quick)
    available = [program for program, _ in PROGRAMS if harness.has(program)]

    log("generating the lists")
    made = subprocess.run([harness.runner("make"), harness.work, "0", *map(str, sizes)], capture_output=True,
                          text=True, check=True, env=harness.env).stdout
    file_sizes = {entry["count"]: entry["bellwick"] for entry in map(json.loads, made.splitlines())}
    load_before = os.getloadavg()
    results = measure(harness, sizes, log)
    agree = agreement(harness, sizes[0])

    app_build = find_app_build(args.app_build)
    startup_ms = idle_s = None
    if app_build is not None:
        startup_ms = startup(app_build, log)
        if args.idle_seconds > 0 and 10000 in file_sizes:
            idle_s = idle_cpu(app_build, harness.work / "bellwick-10000.dat", args.idle_seconds, log)
    load_after = os.getloadavg()

    table, behind = comparison_table(results, sizes, available)
    report = [f"Run of {time.strftime('%Y-%m-%d %H:%M')}, {os.cpu_count()} cores shared with other developers' "
              f"builds (load average {load_before[0]:.1f} before, {load_after[0]:.1f} after): medians of runs "
              f"taken in this one invocation, wall clock; (n×) is the time or memory relative to Bellwick's.",
              "", *table, ""]
    report.append("Bellwick ahead on every shared operation at every size: " +
                  ("yes" if not behind else "no — not ahead of " + "; ".join(behind)))
    if agree:
        report.append(f"Next occurrences equal to Bellwick's at N = {spaced(sizes[0])}: " + ", ".join(agree) + ".")
    report += ["", "Floor of this machine (same run): AES-256-ECB deciphering and one memcpy of as many bytes as "
               "the list file holds; beside it, the flushed write of the file's bytes alone (temporary file, fsync, "
               "rename), which every save also pays.", "", *floor_table(results, sizes, file_sizes), ""]
    target_lines = targets(results, file_sizes)
    if startup_ms is not None:
        target_lines.append(f"- {'PASS' if startup_ms < STARTUP_LIMIT_MS else 'FAIL'}: start-up to the main window "
                            f"with 10 000 messages and a tray under {STARTUP_LIMIT_MS:.0f} ms: {millis(startup_ms)}")
    else:
        target_lines.append("- NOT RUN: start-up (no built BWClient with its start-up bench; see --app-build)")
    if idle_s is not None:
        target_lines.append(f"- {'PASS' if idle_s < IDLE_LIMIT_S else 'FAIL'}: processor time of an idle BWClient "
                            f"over {args.idle_seconds:.0f} s under {IDLE_LIMIT_S} s: {idle_s:.2f} s")
    else:
        target_lines.append("- NOT RUN: idle processor time (no built BWClient, or no Xvfb/trayer)")
    report += ["Targets:", "", *target_lines, "", f"The whole run took {time.monotonic() - started:.0f} s."]
    text = "\n".join(report)
    print(text)
    if args.readme:
        update_readme(args.readme, text)


if __name__ == "__main__":
    main()
