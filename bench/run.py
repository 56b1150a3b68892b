#!/usr/bin/env python3
"""Prints Tavrello's performance figures on this machine, in one run.

Usage: bench/run.py [BUILD_DIR]   (default: build; the benchmarks are built by the normal build)

Start-up: whole-process time from launch until the introduction page has been painted, for
Tavrellix's own start-up and for a bare Qt Widgets window showing the same text, each the
median of 15 runs under Xvfb with openbox, and the peak resident memory of each. Pages: the
time to build and lay out each of the 53 pages and to handle each section click.
"""
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from e2e import Desktop  # noqa: E402

RUNS = 15


def run_once(desk, program):
    start = time.perf_counter()
    process = subprocess.Popen([program], env=desk.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        raise SystemExit("%s ended with %s" % (program, process.returncode))
    return elapsed * 1000, usage.ru_maxrss / 1024


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    programs = {"Tavrellix": os.path.join(build, "bench", "tavrello-startup"),
                "bare Qt": os.path.join(build, "bench", "qt-baseline")}
    desk = Desktop(programs["Tavrellix"])
    try:
        for program in programs.values():  # warm the file cache once
            run_once(desk, program)
        times = {name: [] for name in programs}
        memory = {name: [] for name in programs}
        for _ in range(RUNS):
            for name, program in programs.items():
                elapsed, rss = run_once(desk, program)
                times[name].append(elapsed)
                memory[name].append(rss)
        print("Start-up to first painted page, %d runs each" % RUNS)
        print("%-12s %12s %12s %12s %14s" % ("program", "median ms", "min ms", "max ms", "peak RSS MB"))
        for name in programs:
            print("%-12s %12.1f %12.1f %12.1f %14.1f" % (name, statistics.median(times[name]), min(times[name]),
                                                        max(times[name]), max(memory[name])))
        ratio = statistics.median(times["Tavrellix"]) / statistics.median(times["bare Qt"])
        extra = max(memory["Tavrellix"]) - max(memory["bare Qt"])
        print("start-up ratio Tavrellix / bare Qt: %.2f (target 1.20 or less)" % ratio)
        print("extra peak memory: %.1f MB (target 15 MB or less)" % extra)
        print()
        sys.stdout.flush()
        subprocess.run([os.path.join(build, "bench", "tavrello-pages")], env=desk.env, check=True)
    finally:
        desk.close()


if __name__ == "__main__":
    main()
