#!/usr/bin/env python3
"""Profiles one interaction the first time it happens, with callgrind counting only from just
before its input to its painted result (the set-up steps and the start-up are not counted).

Usage: bench/profile.py [--again] BUILD_DIR LABEL [OUT_FILE]
  --again: profile the interaction after it has happened once instead
  LABEL: text of the interaction's label as bench/run.py prints it, e.g. "section: Information"
  OUT_FILE: where the callgrind profile goes (default: callgrind.interaction.out); read it with
  callgrind_annotate --inclusive=yes OUT_FILE
"""
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
sys.path.insert(0, HERE)
from e2e import Desktop  # noqa: E402
import interactions  # noqa: E402


def main():
    args = sys.argv[1:]
    again = "--again" in args
    args = [a for a in args if a != "--again"]
    build, label = args[0], args[1]
    out = os.path.abspath(args[2] if len(args) > 2 else "callgrind.interaction.out")
    chosen = [i for i in interactions.interactions() if label in i.label]
    if not chosen:
        raise SystemExit("no interaction labelled %r" % label)
    interaction = chosen[0]
    program = os.path.join(os.path.abspath(build), "bench", "tavrello-interact")
    desk = Desktop(program)
    try:
        session = interactions.Session(desk, program, ready_timeout=120, wrapper=(
            "valgrind", "--tool=callgrind", "--instr-atstart=no", "--callgrind-out-file=" + out))
        try:
            if interaction.setup:
                interaction.setup(session)
            if again:
                if not interaction.undo:
                    raise SystemExit("%s happens only once in a process" % interaction.label)
                interaction.act(session)
                interaction.undo(session)
            pid = str(session.process.pid)
            subprocess.run(["callgrind_control", "--instr=on", pid], check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            ms = interaction.act(session)
            subprocess.run(["callgrind_control", "--instr=off", pid], check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            print("%s: %.1f ms under callgrind; profile in %s" % (interaction.label, ms, out))
            session.process.stdin.write("quit\n")
            session.process.stdin.flush()
            session.process.wait(60)
            time.sleep(0.5)
        finally:
            session.close()
    finally:
        desk.close()


if __name__ == "__main__":
    main()
