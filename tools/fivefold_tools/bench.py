"""Two builds of fivefold-bench side by side (tools/bench_compare.py): they must answer every
position alike (move, score, depth, nodes and MESSAGE lines; only times and search rates may
differ), and the faster one is the one with more nodes per second. The two run alternately,
so that a change in the machine's load falls on both."""

import json
import re
import shlex
import statistics
import subprocess

RATE = re.compile(r"S:-?\d+")  # the search rate in a MESSAGE line depends on the clock
TIMING = ("ms", "nps")


def run_bench(command, depth, positions):
    """The bench's lines as dicts, and its nodes per second from the summary line."""
    args = shlex.split(command) + ["--depth", str(depth)] + ([positions] if positions else [])
    out = subprocess.run(args, capture_output=True, text=True, check=True).stdout
    lines = [json.loads(line) for line in out.splitlines() if line.strip()]
    summary = lines[-1]
    return lines, summary["nodes"] * 1000 / max(summary["ms"], 1)


def comparable(line):
    """A bench line without what depends on time."""
    kept = {key: value for key, value in line.items() if key not in TIMING}
    if "messages" in kept:
        kept["messages"] = [RATE.sub("S:", message) for message in kept["messages"]]
    return kept


def differences(old, new):
    """One text per line where the two benches differ."""
    found = []
    for number, (a, b) in enumerate(zip(old, new), 1):
        if comparable(a) != comparable(b):
            found.append("line %d: %s\n     vs %s" % (number, comparable(a), comparable(b)))
    if len(old) != len(new):
        found.append("%d lines against %d" % (len(old), len(new)))
    return found


def compare(old, new, depth, runs, positions=None):
    """Prints where the two benches differ and their median rates; 1 when they differ."""
    rates = {"old": [], "new": []}
    outputs = {}
    for _ in range(runs):
        for name, command in (("old", old), ("new", new)):
            lines, rate = run_bench(command, depth, positions)
            rates[name].append(rate)
            outputs.setdefault(name, lines)
    found = differences(outputs["old"], outputs["new"])
    for text in found:
        print(text)
    old, new = (statistics.median(rates[name]) for name in ("old", "new"))
    print("positions alike: %s (%d lines)" % ("no" if found else "yes", len(outputs["new"])))
    for name, median in (("old", old), ("new", new)):
        print("%s: median %.0f nodes/s over %d runs" % (name, median, runs))
    print("new / old: %.3f" % (new / old))
    return 1 if found else 0
