#!/usr/bin/env python3
"""Prints one table: the batch program's costs next to the floor of merely copying its output.

    bench/bench.py [--pairs 25] [--memory-runs 5] [--grid-sheets N] [--exe build/mapbasis]
                   [--params examples/sheet-200k-N-37-XIV.txt]

Every figure and its floor are measured in the same run, so a busy machine slows both:
  - one sheet, median wall time over --pairs pairs: mapbasis generates the sheet in a fresh folder,
    then `cp -r` copies the result folder it produced;
  - system calls of one run, counted by `strace -c -f`, against `cp -r` of the result folder;
  - peak resident memory of one process (GNU time, median of --memory-runs), against `cp -r`;
  - the whole 1:200 000 grid (bench/grid.py), two workers, against as many `cp -r` of one result
    folder, the two timed in turns a twentieth of the grid at a time; --grid-sheets N times only
    N sheets of it (0 leaves the grid out).
The ratio is mapbasis's cost over the floor's: 1.00 is as cheap as copying the files.

Every run must end with exit status 0 and leave consistent layers; otherwise the script stops with
exit status 1. Needs GNU time and strace (`scripts/install-deps.sh bench`).
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


class Sheet:
    """Runs the program on one parameter file in fresh folders, checking every result. The folders
    stay until the end: deleting them between runs would have the file system discard their
    blocks while the next run is timed."""

    def __init__(self, exe, params, scratch):
        self.exe, self.params, self.scratch = exe, params, scratch
        self.folder = result_folder(params)
        self.runs = 0

    def pair(self, program, copy):
        """Runs `program` on the program's command line, then `copy` on cp's copying the result
        folder, in a fresh folder; returns both results."""
        self.runs += 1
        here = os.path.join(self.scratch, str(self.runs))
        os.mkdir(here)
        ours = program([self.exe, self.params], here)
        if faults := grid.result_faults(os.path.join(here, self.folder)):
            fail(f"{self.params}: {'; '.join(faults)}")
        floor = copy(["cp", "-r", self.folder, "copy-of-result"], here)
        return ours, floor

    def layers(self):
        top = os.path.join(self.scratch, "1", self.folder)
        return sorted(os.path.relpath(os.path.join(d, f), top)[:-4]
                      for d, _, files in os.walk(top) for f in files if f.endswith(".shp"))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pairs", type=int, default=25, help="one-sheet pairs for the wall time")
    parser.add_argument("--memory-runs", type=int, default=5)
    parser.add_argument("--grid-sheets", type=int, help="a part of the grid (0: none)")
    parser.add_argument("--exe", default=os.path.join(root, "build", "mapbasis"))
    parser.add_argument("--params",
                        default=os.path.join(root, "examples", "sheet-200k-N-37-XIV.txt"))
    args = parser.parse_args()
    for tool in (GNU_TIME, shutil.which("strace")):
        if not tool or not os.access(tool, os.X_OK):
            fail("needs GNU time and strace: scripts/install-deps.sh bench")
    exe = os.path.abspath(args.exe)
    if not os.access(exe, os.X_OK):
        fail(f"no program at {exe}: build it first (cmake --build build --target mapbasis)")
    with tempfile.TemporaryDirectory(prefix="mapbasis-bench-") as scratch:
        table(args, root, Sheet(exe, os.path.abspath(args.params), scratch))


def table(args, root, sheet):
    rows = []
    walls = [sheet.pair(run, run) for _ in range(max(args.pairs, 1))]
    rows.append((f"one sheet: median wall, {args.pairs} pairs",
                 statistics.median(w[0] for w in walls) * 1e3,
                 statistics.median(w[1] for w in walls) * 1e3, "{:.2f} ms"))
    calls = sheet.pair(system_calls, system_calls)
    rows.append(("one sheet: system calls (strace -c -f)", calls[0], calls[1], "{:d}"))
    memory = [sheet.pair(peak_memory, peak_memory) for _ in range(max(args.memory_runs, 1))]
    rows.append(("one sheet: peak resident memory",
                 statistics.median(m[0] for m in memory) / 1024.0,
                 statistics.median(m[1] for m in memory) / 1024.0, "{:.2f} MiB"))

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
                     n / whole["copying"], "{:.0f}/s", "inverse"))

    print(f"{os.path.relpath(sheet.params, root)} ({', '.join(sheet.layers())})")
    print(f"{'figure':<42} {'mapbasis':>12} {'floor: cp -r':>14} {'ratio':>7}")
    for label, ours, floor, form, *inverse in rows:
        ratio = floor / ours if inverse else ours / floor
        print(f"{label:<42} {form.format(ours):>12} {form.format(floor):>14} {ratio:7.2f}")


if __name__ == "__main__":
    main()
