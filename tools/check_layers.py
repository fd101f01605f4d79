#!/usr/bin/env python3
"""Fails when a source file includes against the layers: os/ -> store/ and ui/ ->
alarm/, entry/, manager/ -> shell/, nothing sideways, homeset/ apart (it includes
nothing of reminder), and no include loops. Both "..." and <...> includes count; a
quoted one is taken from the including file's folder first, as the compiler does."""
import os, re, sys

root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
rank = {"os": 0, "store": 1, "ui": 1, "alarm": 2, "entry": 2, "manager": 2, "shell": 3}
include = re.compile(r'^\s*#\s*include\s+(?:"([^"]+)"|<([^>]+)>)', re.M)

def folder(path):
    return path.split("/", 1)[0]

graph, problems = {}, []
for top in list(rank) + ["homeset"]:
    for dirpath, _, names in os.walk(os.path.join(root, top)):
        for name in names:
            if not name.endswith((".h", ".cpp")):
                continue
            rel = os.path.relpath(os.path.join(dirpath, name), root)
            with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
                targets = include.findall(f.read())
            here = folder(rel)
            for quoted, angled in targets:
                beside = os.path.normpath(os.path.join(os.path.dirname(rel), quoted))
                if quoted and os.path.isfile(os.path.join(root, beside)):
                    t = beside
                else:
                    t = os.path.normpath(quoted or angled)
                    if not os.path.isfile(os.path.join(root, t)):
                        continue  # a system or Qt header
                there = folder(t)
                if there not in rank and there != "homeset":
                    continue
                graph.setdefault(rel, set()).add(t)
                if here == there:
                    continue
                ok = "homeset" not in (here, there) and rank[there] < rank[here]
                if not ok:
                    problems.append(f"{rel} includes {t}: {here}/ may not include {there}/")

# Include loops, file by file (a .cpp and its own .h count as one unit).
def unit(p):
    return os.path.splitext(p)[0]
ugraph = {}
for src, ts in graph.items():
    for t in ts:
        if unit(t) != unit(src):
            ugraph.setdefault(unit(src), set()).add(unit(t))
state, stack, loops = {}, [], set()
def visit(n):
    state[n] = 1; stack.append(n)
    for m in sorted(ugraph.get(n, ())):
        if state.get(m) == 1:
            loops.add(" -> ".join(stack[stack.index(m):] + [m]))
        elif m not in state:
            visit(m)
    stack.pop(); state[n] = 2
sys.setrecursionlimit(10000)
for n in sorted(ugraph):
    if n not in state:
        visit(n)
problems += [f"include loop: {l}" for l in sorted(loops)]

for p in problems:
    print(p)
print(f"{len(problems)} layer problem(s)" if problems else "layers hold")
sys.exit(1 if problems else 0)
