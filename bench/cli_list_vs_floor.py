#!/usr/bin/env python3
"""ledgerkeeper-cli list beside the plain read loop over the same account files.

For each size, fills a fresh store folder (ledgerkeeper-make-bench-store), then
runs `ledgerkeeper-cli --home FOLDER list` and ledgerkeeper-read-floor (open, read
and close every file, nothing else) one after the other, round after round, and
prints the medians of their wall times and their peak resident memory. Both
read a warm page cache: one untimed run of each comes first.

    python3 bench/cli_list_vs_floor.py [--build build] [--counts 10000,100000] [--rounds 9]

The machine's other work shows in the figures: compare the two columns of one
run, not runs of different times.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def run(command):
    """Wall seconds and peak resident kilobytes of one run, its output dropped.

    The peak comes from /usr/bin/time: a child's own figure from wait4 would
    count this interpreter's memory, copied into it before the program started.
    Both programs run under it alike."""
    with tempfile.NamedTemporaryFile("r") as report:
        start = time.perf_counter()
        done = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + command,
                              stdout=subprocess.DEVNULL)
        seconds = time.perf_counter() - start
        if done.returncode != 0:
            sys.exit(f"{command[0]} ended with {done.returncode}")
        return seconds, int(report.read().split()[-1])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build", help="the build folder (default: build)")
    parser.add_argument("--counts", default="10000,100000", help="store sizes, comma separated")
    parser.add_argument("--rounds", type=int, default=9, help="timed runs of each program per size")
    parser.add_argument("--tmp", default=None, help="where the store folders go (default: the temporary folder)")
    args = parser.parse_args()

    cli = os.path.join(args.build, "ledgerkeeper-cli")
    maker = os.path.join(args.build, "bench", "ledgerkeeper-make-bench-store")
    floor = os.path.join(args.build, "bench", "ledgerkeeper-read-floor")
    for program in (cli, maker, floor):
        if not os.access(program, os.X_OK):
            sys.exit(f"{program} is missing: build first (cmake --build {args.build})")

    print(f"{'accounts':>9} {'list ms':>9} {'floor ms':>9} {'ratio':>6} {'list MB':>8} {'floor MB':>9}")
    for count in (int(c) for c in args.counts.split(",")):
        product = tempfile.mkdtemp(prefix="lk-list-bench-", dir=args.tmp)
        try:
            subprocess.run([maker, product, str(count)], check=True)
            listing = [cli, "--home", product, "list"]
            plain = [floor, os.path.join(product, "Account")]
            run(listing)
            run(plain)
            listed, floored, listedPeak, flooredPeak = [], [], 0, 0
            for _ in range(args.rounds):
                seconds, peak = run(listing)
                listed.append(seconds)
                listedPeak = max(listedPeak, peak)
                seconds, peak = run(plain)
                floored.append(seconds)
                flooredPeak = max(flooredPeak, peak)
            a, b = statistics.median(listed), statistics.median(floored)
            print(f"{count:>9} {a * 1000:>9.1f} {b * 1000:>9.1f} {a / b:>6.2f} {listedPeak / 1024:>8.1f} "
                  f"{flooredPeak / 1024:>9.1f}", flush=True)
        finally:
            shutil.rmtree(product, ignore_errors=True)


if __name__ == "__main__":
    main()
