#!/usr/bin/env python3
"""Times the batch program on one sheet against copying what it produced.

    bench/bench.py [--runs 50] [--exe build/mapbasis] [--params examples/sheet-200k-N-37-XIV.txt]

Each run starts in a fresh folder: mapbasis generates the sheet there, then `cp -r` copies the
produced result folder. The median wall time and the median peak resident memory of one process
are printed for both, so the program can be judged against the cost of merely writing its files.

Each process is started through GNU time (Debian package `time`), which reports the peak memory of
the program itself; started from Python directly, the figure would be Python's own memory.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import tempfile
import time


GNU_TIME = "/usr/bin/time"


def measure(argv, cwd):
    """Wall time in seconds and peak resident memory in KiB of one process."""
    with tempfile.NamedTemporaryFile("r") as report:
        start = time.perf_counter()
        result = subprocess.run([GNU_TIME, "-f", "%M", "-o", report.name] + argv, cwd=cwd,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        elapsed = time.perf_counter() - start
        if result.returncode != 0:
            raise SystemExit(f"{argv[0]} failed with exit status {result.returncode}: "
                             f"{result.stderr.decode(errors='replace')}")
        return elapsed, int(report.read().split()[-1])


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=50)
    parser.add_argument("--exe", default=os.path.join(root, "build", "mapbasis"))
    parser.add_argument("--params", default=os.path.join(root, "examples", "sheet-200k-N-37-XIV.txt"))
    args = parser.parse_args()
    exe, params = os.path.abspath(args.exe), os.path.abspath(args.params)
    if not os.access(GNU_TIME, os.X_OK):
        raise SystemExit("needs GNU time: apt-get install -y time")
    cp = shutil.which("cp")

    program, copy = [], []
    for _ in range(args.runs):
        with tempfile.TemporaryDirectory() as tmp:
            program.append(measure([exe, params], tmp))
            copy.append(measure([cp, "-r", "results", "copy"], tmp))

    def row(name, samples):
        wall = statistics.median(s[0] for s in samples) * 1000.0
        rss = statistics.median(s[1] for s in samples)
        print(f"{name:<10} median wall {wall:8.2f} ms   median peak memory {rss / 1024.0:7.2f} MiB")

    print(f"{args.runs} runs of {os.path.relpath(params, root)}")
    row("mapbasis", program)
    row("cp -r", copy)


if __name__ == "__main__":
    main()
