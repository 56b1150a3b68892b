#!/usr/bin/env python3
"""Prints Tavrello's performance figures on this machine, in one run.

Usage: bench/run.py [BUILD_DIR] [--only TEXT] [--first-runs N] [--repeats N] [--skip-startup] [--skip-pages]
(default BUILD_DIR: build; the benchmarks are built by the normal build)

Start-up: whole-process wall and CPU time from launch until the introduction page has been
painted, for Tavrellix's own start-up and for a bare Qt Widgets window showing the same text,
each the median of 15 alternating runs under Xvfb with openbox, their peak resident memory, and
the instructions of one whole-process run of each under callgrind. Pages: the time to build and
lay out each of the 53 pages and to handle each section click. Interactions: each user
interaction from its input event to the painted result, the first time in a fresh process and
again (see bench/interactions.py).
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

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
sys.path.insert(0, HERE)
from e2e import Desktop  # noqa: E402
import interactions  # noqa: E402

RUNS = 15


def run_once(desk, program):
    start = time.perf_counter()
    process = subprocess.Popen([program], env=desk.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        raise SystemExit("%s ended with %s" % (program, process.returncode))
    return elapsed * 1000, (usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss / 1024


def instructions(desk, program):
    """Instructions of one whole run under callgrind (they repeat from run to run)."""
    if not shutil.which("valgrind"):
        return None
    folder = tempfile.mkdtemp(prefix="tavrello-callgrind-")
    try:
        out = os.path.join(folder, "callgrind.out")
        subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out, program], env=desk.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True, timeout=600)
        with open(out) as profile:
            for line in profile:
                match = re.match(r"totals:\s+(\d+)", line)
                if match:
                    return int(match.group(1))
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return None


def startup(desk, programs):
    for program in programs.values():  # warm the file cache once
        run_once(desk, program)
    wall = {name: [] for name in programs}
    cpu = {name: [] for name in programs}
    memory = {name: [] for name in programs}
    for _ in range(RUNS):
        for name, program in programs.items():
            elapsed, used, rss = run_once(desk, program)
            wall[name].append(elapsed)
            cpu[name].append(used)
            memory[name].append(rss)
    counted = {name: instructions(desk, program) for name, program in programs.items()}
    print("Start-up to first painted page, %d alternating runs each" % RUNS)
    print("%-12s %10s %9s %9s %10s %12s %14s" % ("program", "wall med", "wall min", "wall max", "CPU med",
                                                 "peak RSS MB", "instructions"))
    for name in programs:
        print("%-12s %10.1f %9.1f %9.1f %10.1f %12.1f %14s" % (
            name, statistics.median(wall[name]), min(wall[name]), max(wall[name]), statistics.median(cpu[name]),
            max(memory[name]), "%.1f M" % (counted[name] / 1e6) if counted[name] else "-"))
    ours, bare = "Tavrellix", "bare Qt"
    print("start-up ratio Tavrellix / bare Qt: wall %.2f, CPU %.2f, instructions %s (bound 1.15)" % (
        statistics.median(wall[ours]) / statistics.median(wall[bare]),
        statistics.median(cpu[ours]) / statistics.median(cpu[bare]),
        "%.2f" % (counted[ours] / counted[bare]) if counted[ours] and counted[bare] else "-"))
    print("extra peak memory: %.1f MB (bound 10 MB)" % (max(memory[ours]) - max(memory[bare])))
    print()
    sys.stdout.flush()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--only", help="measure only the interactions whose label contains this text")
    parser.add_argument("--first-runs", type=int, default=3, help="fresh processes per interaction")
    parser.add_argument("--repeats", type=int, default=4, help="repeats, in the first of those processes")
    parser.add_argument("--skip-startup", action="store_true")
    parser.add_argument("--skip-pages", action="store_true")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    bench = os.path.join(build, "bench")
    programs = {"Tavrellix": os.path.join(bench, "tavrello-startup"), "bare Qt": os.path.join(bench, "qt-baseline")}
    load = os.getloadavg()[0]
    print("machine load (1 min average) at the start: %.2f on %d cores" % (load, os.cpu_count()))
    desk = Desktop(programs["Tavrellix"])
    try:
        if not args.skip_startup:
            startup(desk, programs)
        if not args.skip_pages:
            subprocess.run([os.path.join(bench, "tavrello-pages")], env=desk.env, check=True)
            print()
        sys.stdout.flush()
        results = interactions.measure(desk, os.path.join(bench, "tavrello-interact"), args.first_runs,
                                       args.repeats, args.only)
        interactions.print_table(results, args.first_runs, args.repeats)
    finally:
        desk.close()
    print("machine load (1 min average) at the end: %.2f" % os.getloadavg()[0])


if __name__ == "__main__":
    main()
