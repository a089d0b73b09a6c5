#!/usr/bin/env python3
"""Checks three rules of the code's shape and says where each is broken.

  cycles   no cycle in the include graph between the files of app/ (a helper that includes the
           window that owns it makes the two one unit: neither can be read, built or tested alone)
  classes  no class or struct longer than 500 lines (its declaration plus its members' definitions)
  repeats  no block of more than 15 lines repeated in the sources outside the translations

    scripts/check-structure.py [cycles|classes|repeats ...]     (all three without an argument)

Exits 1 when a rule is broken. The counts are plain text measures: a comment line or a blank line
is a line, as a reader sees it.
"""
import collections
import hashlib
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
SOURCE_FOLDERS = ("app", "model", "calendar", "platform", "transfer", "ui", "tools", "tests", "bench", "fuzz")
CLASS_LIMIT = 500
REPEAT_LIMIT = 15


def sources(folders=SOURCE_FOLDERS, endings=(".cpp", ".h")):
    for folder in folders:
        for directory, subfolders, files in os.walk(os.path.join(ROOT, folder)):
            subfolders[:] = sorted(s for s in subfolders if s != "build" and not s.startswith("."))
            for name in sorted(files):
                if name.endswith(endings):
                    yield os.path.join(directory, name)


def relative(path):
    return os.path.relpath(path, ROOT)


# --- include cycles between app files ---------------------------------------------------------

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def app_include_graph():
    """Edges between the units of app/: a.h and a.cpp are one unit, named a."""
    files = list(sources(("app",)))
    unit_of = {}
    for path in files:
        unit_of.setdefault(os.path.basename(path), os.path.splitext(relative(path))[0])
    graph = collections.defaultdict(set)
    for path in files:
        unit = os.path.splitext(relative(path))[0]
        graph[unit]
        with open(path, encoding="utf-8", errors="replace") as f:
            for name in INCLUDE.findall(f.read()):
                target = unit_of.get(os.path.basename(name))
                if target is not None and target != unit:
                    graph[unit].add(target)
    return graph


def strongly_connected(graph):
    """Tarjan's algorithm, without recursion: the groups of units that reach each other."""
    index, low, on_stack, stack, groups = {}, {}, set(), [], []
    counter = 0
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph[start])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, successors = work[-1]
            advanced = False
            for successor in successors:
                if successor not in index:
                    index[successor] = low[successor] = counter
                    counter += 1
                    stack.append(successor)
                    on_stack.add(successor)
                    work.append((successor, iter(sorted(graph[successor]))))
                    advanced = True
                    break
                if successor in on_stack:
                    low[node] = min(low[node], index[successor])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == node:
                        break
                if len(group) > 1:
                    groups.append(sorted(group))
    return groups


def check_cycles():
    graph = app_include_graph()
    groups = strongly_connected(graph)
    for group in groups:
        members = set(group)
        print("include cycle among %d app files:" % len(group))
        for unit in group:
            print("  %s -> %s" % (unit, ", ".join(sorted(graph[unit] & members))))
    print("cycles: %d app units, %d include cycles" % (len(graph), len(groups)))
    return not groups


# --- class length -----------------------------------------------------------------------------

CLASS_HEAD = re.compile(r"^(?:template\s*<[^>]*>\s*)?(class|struct)\s+(?:\[\[[^\]]*\]\]\s*)?(\w+)\b[^;()]*$")
MEMBER_HEAD = re.compile(r"\b(\w+)::~?\w+\s*\(")


def braced_length(lines, start):
    """Lines from start to the line that closes the first brace opened at or after it."""
    depth = 0
    opened = False
    for number in range(start, len(lines)):
        text = re.sub(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'|//.*', "", lines[number])
        depth += text.count("{") - text.count("}")
        opened = opened or "{" in text
        if opened and depth <= 0:
            return number - start + 1
    return len(lines) - start


def class_lengths():
    """Each class's declaration lines plus the lines of its members defined outside it."""
    lengths = collections.Counter()
    where = {}
    for path in sources(SOURCE_FOLDERS):
        with open(path, encoding="utf-8", errors="replace") as f:
            lines = f.read().split("\n")
        for number, line in enumerate(lines):
            if line.startswith((" ", "\t")):
                continue
            head = CLASS_HEAD.match(line.strip())
            if head and (("{" in line) or (number + 1 < len(lines) and lines[number + 1].strip().startswith("{"))):
                name = head.group(2)
                lengths[(relative(os.path.dirname(path)), name)] += braced_length(lines, number)
                where[(relative(os.path.dirname(path)), name)] = relative(path)
                continue
            member = MEMBER_HEAD.search(line)
            if member and not line.rstrip().endswith(";"):
                key = (relative(os.path.dirname(path)), member.group(1))
                lengths[key] += braced_length(lines, number)
    return {key: (length, where.get(key)) for key, length in lengths.items() if key in where}


def check_classes():
    lengths = class_lengths()
    largest = sorted(lengths.items(), key=lambda item: -item[1][0])
    over = [(key, value) for key, value in largest if value[0] > CLASS_LIMIT]
    for (_folder, name), (length, path) in over:
        print("class %s (%s) has %d lines, more than %d" % (name, path, length, CLASS_LIMIT))
    print("classes: %d measured; the largest: %s" % (
        len(lengths), ", ".join("%s %d" % (name, length) for (_f, name), (length, _p) in largest[:5])))
    return not over


# --- repeated blocks --------------------------------------------------------------------------

TRIVIAL = re.compile(r"^[{}();,\s]*$|^#include\b|^//")


def check_repeats():
    """A window of REPEAT_LIMIT + 1 consecutive meaningful lines (blank, brace-only, include and
    comment lines skipped, spaces ignored) that occurs twice is a repeated block."""
    size = REPEAT_LIMIT + 1
    seen = {}
    found = []
    for path in sources(SOURCE_FOLDERS):
        with open(path, encoding="utf-8", errors="replace") as f:
            raw = f.read().split("\n")
        kept = [(number + 1, " ".join(line.split())) for number, line in enumerate(raw)
                if not TRIVIAL.match(line.strip())]
        last_reported = -size
        for start in range(0, len(kept) - size + 1):
            window = "\n".join(text for _n, text in kept[start:start + size])
            digest = hashlib.sha1(window.encode()).digest()
            here = (relative(path), kept[start][0])
            if digest in seen and seen[digest] != here:
                if start >= last_reported + size:
                    found.append((seen[digest], here))
                    last_reported = start
            else:
                seen.setdefault(digest, here)
    for (first_path, first_line), (second_path, second_line) in found:
        print("repeated block of more than %d lines: %s:%d and %s:%d" % (
            REPEAT_LIMIT, first_path, first_line, second_path, second_line))
    print("repeats: %d blocks of more than %d lines found twice" % (len(found), REPEAT_LIMIT))
    return not found


CHECKS = {"cycles": check_cycles, "classes": check_classes, "repeats": check_repeats}


def main(names):
    unknown = [name for name in names if name not in CHECKS]
    if unknown:
        sys.exit("unknown check: %s (known: %s)" % (", ".join(unknown), ", ".join(CHECKS)))
    results = [CHECKS[name]() for name in (names or CHECKS)]
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
