#!/usr/bin/env python3
"""Prints one table: the batch program's costs next to the floor of merely copying its output.

    bench/bench.py [--pairs 30] [--memory-runs 5] [--grid-sheets N] [--exe build/mapbasis]
                   [--params examples/sheet-200k-N-37-XIV.txt]

Three runs of one sheet are measured, each against its own floor, a copy of the same files that
the program writes (made once before anything is timed), in the same run of this script:
  - a fresh sheet: mapbasis writes the sheet into a new folder; the floor is `cp -r` of the
    result folder into a new folder;
  - a rewrite of the same sheet: mapbasis writes the sheet again over its own earlier result
    (what stands there byte for byte is left as it is); the floor is
    `cp -r -T --remove-destination` of the result folder over an earlier copy of it;
  - a rewrite with every layer changed: the sheet in another coordinate system over the earlier
    one, the two in turns, so that every layer (its .PRJ at least) is replaced whole; the floor
    copies the other result over the earlier one the same way.
For each: the wall time over --pairs pairs, the two sides of a pair taken in turns (mapbasis first
in one pair, the floor first in the next), as the medians of both and the median of the pairs'
ratios; the instructions of one process as callgrind counts them; its system calls and those of
its children, counted by `strace -c -f`; its peak resident memory (GNU time, median of
--memory-runs). Then the whole 1:200 000 grid (bench/grid.py), two workers, against as many
`cp -r` of one result folder, the two timed in turns a twentieth of the grid at a time;
--grid-sheets N times only N sheets of it (0 leaves the grid out).
The ratio is mapbasis's cost over the floor's: 1.00 is as cheap as copying the files.

Every run must end with exit status 0 and leave consistent layers; otherwise the script stops with
exit status 1. Needs GNU time, strace and valgrind (`scripts/install-deps.sh bench`). The
parameter file's Path must be relative: each run writes below a folder of its own.
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

import grid

GNU_TIME = "/usr/bin/time"


def fail(message):
    print(f"bench: {message}", file=sys.stderr)
    sys.exit(1)


def result_folder(params):
    """The Path of a parameter file (cp1251 text), as the program reads it."""
    with open(params, "rb") as f:
        found = re.search(rb"Path\s*=\s*([^;]*);", f.read())
    if not found:
        fail(f"{params} has no Path")
    return found.group(1).decode("cp1251").strip()


def run(argv, cwd):
    """Wall time in seconds of one process; stops the script when it fails."""
    start = time.perf_counter()
    result = subprocess.run(argv, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if result.returncode != 0 or result.stderr:
        fail(f"{' '.join(argv)} ended with exit status {result.returncode}: "
             f"{result.stderr.decode(errors='replace').strip()}")
    return elapsed


def peak_memory(argv, cwd):
    """Peak resident memory of one process in KiB, through GNU time: measured from Python
    directly, the figure would include Python's own memory."""
    with tempfile.NamedTemporaryFile("r") as report:
        run([GNU_TIME, "-f", "%M", "-o", report.name] + argv, cwd)
        return int(report.read().split()[-1])


def system_calls(argv, cwd):
    """The number of system calls of one process and its children, by `strace -c -f`."""
    with tempfile.NamedTemporaryFile("r") as report:
        run(["strace", "-c", "-f", "-o", report.name] + argv, cwd)
        for line in report.read().splitlines():
            fields = line.split()
            if fields and fields[-1] == "total":
                return int(fields[3])
    fail(f"strace counted nothing for {argv[0]}")


def instructions(argv, cwd):
    """The instructions one process executes, as callgrind counts them."""
    result = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"]
                            + argv, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    said = result.stderr.decode(errors="replace")
    found = re.search(r"Collected : (\d+)", said)
    if result.returncode != 0 or not found:
        fail(f"callgrind of {' '.join(argv)} ended with exit status {result.returncode}: "
             f"{said.strip()[-500:]}")
    return int(found.group(1))


class Sheet:
    """Runs the program on one parameter file, checking every result, beside the copies that are
    its floor. The folders stay until the end: deleting them between runs would have the file
    system discard their blocks while the next run is timed."""

    def __init__(self, exe, params, scratch):
        self.exe, self.params, self.scratch = exe, params, scratch
        self.folder = result_folder(params)
        if os.path.isabs(self.folder) or re.match(r"^[A-Za-z]:", self.folder):
            fail(f"{params}: Path must be relative, so that each run writes a folder of its own")
        self.folders = 0
        # The files the floor copies, made before anything is timed.
        self.sample = self.new_folder()
        self.generate(run, self.sample)
        self.result = os.path.join(self.sample, self.folder)
        # A rewrite replaces a result made before; its floor, a copy made before.
        self.rewritten = self.new_folder()
        self.generate(run, self.rewritten)
        self.rewritten_copy = os.path.join(self.new_folder(), "copy-of-result")
        run(["cp", "-r", self.result, self.rewritten_copy], self.scratch)
        # The same sheet in another coordinate system, and a folder where the two take turns.
        with open(params, "rb") as f:
            text = f.read()
        other = b"CS=CK-42;" if re.search(rb"CS\s*=\s*CK-95\s*;", text) else b"CS=CK-95;"
        text, found = re.subn(rb"CS\s*=[^;]*;", other, text)
        self.other_params = os.path.join(scratch, "other-system.txt")
        with open(self.other_params, "wb") as f:
            f.write(text if found else text + b"\n" + other)
        other_sample = self.new_folder()
        self.generate(run, other_sample, self.other_params)
        self.other_result = os.path.join(other_sample, self.folder)
        self.changed = self.new_folder()
        self.generate(run, self.changed)
        self.changed_copy = os.path.join(self.new_folder(), "copy-of-result")
        run(["cp", "-r", self.result, self.changed_copy], self.scratch)
        self.turn = 0  # even: the other system comes next

    def new_folder(self):
        self.folders += 1
        here = os.path.join(self.scratch, str(self.folders))
        os.mkdir(here)
        return here

    def generate(self, measure, here, params=None):
        figure = measure([self.exe, params or self.params], here)
        if faults := grid.result_faults(os.path.join(here, self.folder)):
            fail(f"{self.params}: {'; '.join(faults)}")
        return figure

    def pair(self, kind, measure, ours_first=True):
        """Measures mapbasis and its floor once each, in the order asked: `kind` is "fresh",
        "rewrite" or "changed". Returns (mapbasis's figure, the floor's figure)."""
        if kind == "fresh":
            here = self.new_folder()
            ours = lambda: self.generate(measure, here)
            floor = lambda: measure(["cp", "-r", self.result, "copy-of-result"], here)
        elif kind == "changed":
            other = self.turn % 2 == 0
            self.turn += 1
            ours = lambda: self.generate(measure, self.changed,
                                         self.other_params if other else self.params)
            floor = lambda: measure(["cp", "-r", "-T", "--remove-destination",
                                     self.other_result if other else self.result,
                                     self.changed_copy], self.scratch)
        else:
            ours = lambda: self.generate(measure, self.rewritten)
            floor = lambda: measure(["cp", "-r", "-T", "--remove-destination", self.result,
                                     self.rewritten_copy], self.scratch)
        if ours_first:
            first = ours()
            return first, floor()
        first = floor()
        return ours(), first

    def layers(self):
        return sorted(os.path.relpath(os.path.join(d, f), self.result)[:-4]
                      for d, _, files in os.walk(self.result) for f in files
                      if f.endswith(".shp"))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pairs", type=int, default=30, help="pairs for each wall time")
    parser.add_argument("--memory-runs", type=int, default=5)
    parser.add_argument("--grid-sheets", type=int, help="a part of the grid (0: none)")
    parser.add_argument("--exe", default=os.path.join(root, "build", "mapbasis"))
    parser.add_argument("--params",
                        default=os.path.join(root, "examples", "sheet-200k-N-37-XIV.txt"))
    args = parser.parse_args()
    for tool in (GNU_TIME, shutil.which("strace"), shutil.which("valgrind")):
        if not tool or not os.access(tool, os.X_OK):
            fail("needs GNU time, strace and valgrind: scripts/install-deps.sh bench")
    exe = os.path.abspath(args.exe)
    if not os.access(exe, os.X_OK):
        fail(f"no program at {exe}: build it first (cmake --build build --target mapbasis)")
    with tempfile.TemporaryDirectory(prefix="mapbasis-bench-") as scratch:
        table(args, root, Sheet(exe, os.path.abspath(args.params), scratch))


def table(args, root, sheet):
    rows = []
    for kind, label in (("fresh", "fresh sheet"), ("rewrite", "same sheet again"),
                        ("changed", "every layer changed")):
        walls = [sheet.pair(kind, run, i % 2 == 0) for i in range(max(args.pairs, 1))]
        rows.append((f"{label}: wall time, {len(walls)} pairs",
                     statistics.median(w[0] for w in walls) * 1e3,
                     statistics.median(w[1] for w in walls) * 1e3, "{:.2f} ms",
                     statistics.median(w[0] / w[1] for w in walls)))
        counted = sheet.pair(kind, instructions)
        rows.append((f"{label}: instructions (callgrind)", counted[0] / 1e6, counted[1] / 1e6,
                     "{:.2f} M"))
        calls = sheet.pair(kind, system_calls)
        rows.append((f"{label}: system calls (strace -c -f)", calls[0], calls[1], "{:d}"))
        memory = [sheet.pair(kind, peak_memory, i % 2 == 0)
                  for i in range(max(args.memory_runs, 1))]
        rows.append((f"{label}: peak resident memory", statistics.median(m[0] for m in memory)
                     / 1024.0, statistics.median(m[1] for m in memory) / 1024.0, "{:.2f} MiB"))

    if args.grid_sheets != 0:
        whole = grid.measure_grid(sheet.exe, args.grid_sheets,
                                  log=lambda line: print(line, file=sys.stderr))
        if whole["faults"]:
            for fault in whole["faults"][:20]:
                print(f"bench: {fault}", file=sys.stderr)
            fail(f"{len(whole['faults'])} faults in the grid")
        n = whole["sheets"]
        rows.append((f"{'whole grid' if n == 11880 else 'part of the grid'}: {n} sheets, "
                     f"{whole['workers']} workers", whole["generation"], whole["copying"],
                     "{:.2f} s"))
        rows.append(("  the same in sheets per second", n / whole["generation"],
                     n / whole["copying"], "{:.0f}/s", whole["generation"] / whole["copying"]))

    print(f"{os.path.relpath(sheet.params, root)} ({', '.join(sheet.layers())})")
    print("floor: cp -r of the same files; for a rewrite, cp -r -T --remove-destination over an "
          "earlier copy")
    print("wall times: medians of both sides and the median of the pairs' ratios")
    print(f"{'figure':<42} {'mapbasis':>12} {'floor':>12} {'ratio':>7}")
    for label, ours, floor, form, *ratio in rows:
        ratio = ratio[0] if ratio else ours / floor
        print(f"{label:<42} {form.format(ours):>12} {form.format(floor):>12} {ratio:7.2f}")


if __name__ == "__main__":
    main()
