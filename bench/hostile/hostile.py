#!/usr/bin/env python3
"""Hostile group files against the real program: peak memory and longest stall of the main thread.

Each case makes one group file with `bwlist pack`, puts it on a folder location of a fresh data
folder, starts BWClient on it and lets it run past its first pull (tick 60), the messages' due moment (80 s after the file is made), its due scans and the
tooltip updates. The program runs on a private Xvfb display with a notification area (trayer), as
on a desktop: the tray's tooltip and its message balloons are where a group file's texts end up.
--platform offscreen runs it without a display instead (no tray: problem notices go nowhere). The main thread's poll calls are traced with strace; the longest time the
thread spent away from poll is the longest stall of the window. Peak memory is the process's VmHWM;
processor time is what the whole process used over the run (a program that keeps its main thread
busy without one long stall shows here).

    bench/hostile/hostile.py BWCLIENT BWLIST [--seconds 100] [--platform xcb|offscreen] [--case NAME ...]
"""
import argparse
import datetime
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

PASSWORD = "pw"
MB = 1024 * 1024


def units(moment):
    """A local date-time as the list files store it: days since 1899-12-30 times 10000."""
    days = (moment - datetime.datetime(1899, 12, 30)).total_seconds() / 86400.0
    return round(days * 10000)


# Due a little after the program's first pull (its tick 60): a group's messages that are already
# past when a member first fetches the file are taken as seen, not shown.
DUE_AFTER_START = datetime.timedelta(seconds=80)


def message(title, text="", due=None, repeat=0, ident=1, last_due=0):
    due = units(datetime.datetime.now() + DUE_AFTER_START) if due is None else due
    return [title, text, "Bob", "", str(due), str(last_due), "0", str(ident), str(repeat), "0111111122"]


def list_lines(messages):
    lines = ["1", str(len(messages))]
    for m in messages:
        lines.extend(m)
    return lines


def case_due_at_once():
    return list_lines([message("Reminder %d" % i, ident=1000 + i) for i in range(3000)])


def case_huge_title():
    # Daily: delivered at the first scan after the pull, then the next one up, so the tooltip names it.
    return list_lines([message("T" * (100 * MB), repeat=1)])


def case_br_text():
    return list_lines([message("Many lines", text="<br>" * (5 * MB))])


def case_monthly_1312():
    due = units(datetime.datetime(1312, 3, 1, 9, 0))
    return list_lines([message("Old %d" % i, due=due, repeat=3, ident=1000 + i) for i in range(50000)])


def case_bad_line():
    lines = list_lines([message("Fine")])
    lines[6] = "x" * (100 * MB)  # the due time: not a number
    return lines


CASES = {
    "3000 due at once": case_due_at_once,
    "100 MB title": case_huge_title,
    "20 MB text of <br>": case_br_text,
    "50 000 monthly from 1312": case_monthly_1312,
    "100 MB unreadable line": case_bad_line,
}


def scramble(text, shift):
    out = []
    for ch in reversed(text):
        c = ord(ch)
        s = (c + shift) & 0xFF
        out.append(chr(s) if c >= 48 and s >= 48 else ch)
    return "".join(out)


def make_home(root, bwlist, lines):
    data = os.path.join(root, "data", "Bellwick")
    for folder in (data, os.path.join(root, "config", "Bellwick"), os.path.join(root, "run"), os.path.join(root, "share")):
        os.makedirs(folder, mode=0o700, exist_ok=True)
    with open(os.path.join(root, "config", "Bellwick", "Bellwick.conf"), "w") as f:
        f.write("[General]\nUserName=Ann\nEnableSounds=0\n")
    shared = os.path.join(root, "share", "hostile.dat")
    env = dict(os.environ, BWLIST_PASSWORD=PASSWORD)
    packed = subprocess.run([bwlist, "pack", shared, "-e"], input="\n".join(lines).encode(), env=env)
    if packed.returncode != 0:
        sys.exit("bwlist pack failed")
    group = ["Hostile", shared, scramble(PASSWORD, 3), "0", "1222222222", "", ""]
    with open(os.path.join(data, "glist.dat"), "wb") as f:
        f.write("\r\n".join(["1", "1"] + group + [""]).encode())


def end(pid, sig):
    try:
        os.kill(pid, sig)
    except ProcessLookupError:
        pass  # it has ended (or crashed) by itself


def cpu_seconds(pid):
    """Processor time the process has used so far (all its threads, user and system)."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    except OSError:
        return float("nan")


def traced_program(tracer_pid, program):
    """The program strace started, once it runs: strace first forks a child of its own to try its
    seccomp filter, which must not be taken for the program."""
    children = subprocess.run(["pgrep", "-P", str(tracer_pid)], capture_output=True, text=True).stdout.split()
    for child in children:
        try:
            if os.path.samefile(os.readlink("/proc/%s/exe" % child), program):
                return int(child)
        except OSError:
            pass  # gone already, or not yet the program
    return None


def vm_hwm_kb(pid):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


CALL = re.compile(r"^(\d+)\s+(\d+\.\d+)\s+(p?poll)\(\[.*?\], (\d+), (-?\d+)")
DURATION = re.compile(r"<(\d+\.\d+)>\s*$")


def is_event_loop_poll(call):
    """The event loop waits on several descriptors, or with a time-out. A single descriptor waited
    on without end is libxcb waiting for the X server's reply in the middle of the program's work."""
    _pid, _stamp, name, count, timeout = call.groups()
    return name == "ppoll" or int(count) > 1 or int(timeout) != -1


def longest_stall(trace_file, main_pid, until):
    """The longest time the main thread spent between two returns to its event loop: from the end
    of one event-loop poll to the start of the next."""
    longest = 0.0
    last_end = None
    pending = None  # the start of an event-loop poll whose end is on a later line
    prefix = str(main_pid) + " "
    with open(trace_file) as f:
        for line in f:
            if not line.startswith(prefix):
                continue
            call = CALL.match(line)
            if call:
                if not is_event_loop_poll(call):
                    continue
                start = float(call.group(2))
                if last_end is not None:
                    longest = max(longest, start - last_end)
                duration = DURATION.search(line)
                if duration:
                    last_end = start + float(duration.group(1))
                    pending = None
                else:
                    pending = start
                    last_end = None
            elif pending is not None and "resumed>" in line:
                duration = DURATION.search(line)
                if duration:
                    last_end = pending + float(duration.group(1))
                pending = None
    if last_end is not None:
        longest = max(longest, until - last_end)  # busy at the end, never back to the loop
    return longest


class Desktop:
    """A private Xvfb display with trayer as its notification area."""

    def __init__(self):
        self.server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.display = ":" + self.server.stdout.readline().decode().strip()
        self.tray = subprocess.Popen(["trayer", "--edge", "top"], env=dict(os.environ, DISPLAY=self.display),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)

    def close(self):
        for process in (self.tray, self.server):
            process.terminate()
            process.wait()


def run_case(name, bwclient, bwlist, seconds, rss_limit_kb, platform):
    root = tempfile.mkdtemp(prefix="bw-hostile-")
    desktop = Desktop() if platform == "xcb" else None
    try:
        make_home(root, bwlist, CASES[name]())
        env = dict(os.environ, XDG_DATA_HOME=os.path.join(root, "data"), XDG_CONFIG_HOME=os.path.join(root, "config"),
                   XDG_RUNTIME_DIR=os.path.join(root, "run"), QT_QPA_PLATFORM=platform,
                   DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent")
        if desktop:
            env["DISPLAY"] = desktop.display
        trace = os.path.join(root, "trace.txt")
        tracer = subprocess.Popen(["strace", "-f", "--seccomp-bpf", "-ttt", "-T", "-e", "trace=poll,ppoll", "-o", trace,
                                   bwclient], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        pid = None
        deadline = time.time() + seconds
        peak = 0
        while time.time() < deadline and tracer.poll() is None:
            if pid is None:
                pid = traced_program(tracer.pid, bwclient)
            if pid is not None:
                peak = max(peak, vm_hwm_kb(pid))
                if peak > rss_limit_kb:
                    break
            time.sleep(0.2)
        until = time.time()
        cpu = float("nan")
        if pid is not None:
            peak = max(peak, vm_hwm_kb(pid))
            cpu = cpu_seconds(pid)
            end(pid, signal.SIGKILL if peak > rss_limit_kb else signal.SIGTERM)
        try:
            tracer.wait(timeout=120)
        except subprocess.TimeoutExpired:
            end(pid, signal.SIGKILL)
            tracer.wait()
        stall = longest_stall(trace, pid, until) if pid is not None else float("nan")
        return peak, stall, cpu, peak > rss_limit_kb
    finally:
        if desktop:
            desktop.close()
        shutil.rmtree(root, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("bwclient")
    parser.add_argument("bwlist")
    parser.add_argument("--seconds", type=float, default=100.0)
    parser.add_argument("--rss-limit-mb", type=int, default=6144, help="end a run whose memory passes this")
    parser.add_argument("--platform", choices=("xcb", "offscreen"), default="xcb")
    parser.add_argument("--case", action="append", choices=sorted(CASES), help="run only these cases")
    args = parser.parse_args()
    print("| hostile group file | peak memory | longest stall | processor time |")
    print("|---|---:|---:|---:|")
    for name in args.case or CASES:
        peak, stall, cpu, capped = run_case(name, args.bwclient, args.bwlist, args.seconds, args.rss_limit_mb * 1024,
                                     args.platform)
        memory = "%.0f MB%s" % (peak / 1024.0, " (ended at the limit)" if capped else "")
        print("| %s | %s | %.2f s | %.1f s |" % (name, memory, stall, cpu), flush=True)


if __name__ == "__main__":
    main()
