#!/usr/bin/env python3
# check_layers.py - keeps the #include lines of src/ flowing one way.
#
# Folders are ranked from the top (app) down to platform; a file may include
# its own folder and folders ranked below it. board, render and audio share
# one level and stay apart, except for the sideways includes listed below.
# The check fails on any include that points upwards and on any cycle
# between folders or between files (a .h and its .cpp are one file here).
#
# Usage: check_layers.py [SRC_DIR]   (prints the numbers with --stats)
import os
import re
import sys

RANK = {"app": 0, "screen": 1, "ui": 2, "board": 3, "render": 3, "audio": 3,
        "tween": 4, "config": 5, "platform": 6}
# Same level, one direction only: the saved game keeps the music position.
SIDEWAYS = {("board", "audio")}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def read_includes(src):
    edges = []  # (file, header)
    for root, _, names in os.walk(src):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(root, name)
            rel = os.path.relpath(path, src).replace(os.sep, "/")
            with open(path, encoding="utf-8") as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if m and "/" in m.group(1):
                        edges.append((rel, m.group(1)))
    return edges


def folder(path):
    return path.split("/")[0]


def module(path):
    return os.path.splitext(path)[0]


def upward(file, header):
    a, b = folder(file), folder(header)
    if a == b or (a, b) in SIDEWAYS:
        return False
    if a not in RANK or b not in RANK:
        return True  # a folder without a rank has no place yet
    return RANK[b] <= RANK[a]


def cycles(edges):
    """Strongly connected components with more than one node (Tarjan)."""
    graph = {}
    for a, b in edges:
        if a != b:
            graph.setdefault(a, set()).add(b)
            graph.setdefault(b, set())
    index, low, stack, on_stack, found = {}, {}, [], set(), []
    sys.setrecursionlimit(10000)

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on_stack.add(v)
        for w in sorted(graph[v]):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            part = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                part.append(w)
                if w == v:
                    break
            if len(part) > 1:
                found.append(" ".join(sorted(part)))

    for v in sorted(graph):
        if v not in index:
            visit(v)
    return sorted(found)


def both_ways(edges):
    pairs = {(a, b) for a, b in edges if a != b}
    return sorted(f"{a}<->{b}" for a, b in pairs if a < b and (b, a) in pairs)


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    src = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "src")
    edges = read_includes(src)
    bad = sorted({f"{f} -> {h}" for f, h in edges if upward(f, h)})
    folder_cycles = cycles([(folder(f), folder(h)) for f, h in edges])
    file_cycles = cycles([(module(f), module(h)) for f, h in edges])

    if "--stats" in argv:
        print(f"upward includes: {len(bad)}")
        print(f"folder cycles: {len(folder_cycles)}, folders including each other: "
              f"{' '.join(both_ways([(folder(f), folder(h)) for f, h in edges])) or '-'}")
        print(f"file cycles: {len(file_cycles)}, files including each other: "
              f"{' '.join(both_ways([(module(f), module(h)) for f, h in edges])) or '-'}")
    for entry in bad:
        print(f"upward include: {entry}")
    for entry in folder_cycles:
        print(f"folder cycle: {entry}")
    for entry in file_cycles:
        print(f"file cycle: {entry}")
    failed = bad or folder_cycles or file_cycles
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
