#!/usr/bin/env python3
"""Takes the screenshots in docs/screens: the main window at start, with each of the seven
sections open, the about box and the closing screen. Runs the real program on the same desktop
as the end-to-end tests (Xvfb and openbox, 1280 x 800 at 96 dpi), and once more on a screen of
twice the pixels with the program at a device pixel ratio of 2 (hidpi-asana.png).

Usage: tools/screens.py [BUILD_DIR]   (default: build)
"""
import os
import subprocess
import sys
import time

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from e2e import CLOSING, MAIN, Desktop, close_main_window  # noqa: E402

OUT = os.path.join(ROOT, "docs", "screens")


def main():
    program = os.path.join(os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build"), "Tavrellix")
    os.makedirs(OUT, exist_ok=True)
    desk = Desktop(program)

    def shot(name):
        time.sleep(0.7)
        subprocess.run(["import", "-window", "root", os.path.join(OUT, name + ".png")], env=desk.env, check=True)

    def session(action):
        process = desk.start()
        window = desk.wait_window(MAIN)
        action(window)
        process.kill()
        process.wait()

    def open_section(k):
        def action(window):
            g = desk.geometry(window)
            # The section buttons sit 25 pixels apart under the menu bar and the two 60-pixel bars.
            desk.click(g["X"] + 130, g["Y"] + 22 + 120 + (k - 1) * 25 + 12)
            shot("section-%d" % k)
        return action

    def about_and_closing(window):
        desk.key(window, "alt+h")
        desk.key(window, "a")
        shot("about")
        desk.xdotool("key", "Escape")
        close_main_window(desk, window)
        desk.wait_window(CLOSING)
        shot("closing")

    try:
        session(lambda window: shot("main"))
        for k in range(1, 8):
            session(open_section(k))
        session(about_and_closing)
    finally:
        desk.close()

    # The same program at twice the device pixels: "Yoga Asanas By Name" shows its sharp picture.
    desk = Desktop(program, screen="2560x1600")
    try:
        process = desk.start(QT_SCALE_FACTOR="2")
        window = desk.wait_window(MAIN)
        g = desk.geometry(window)
        desk.click(g["X"] + 2 * 130, g["Y"] + 2 * (22 + 120 + 25 + 12))
        shot("hidpi-asana")
        process.kill()
        process.wait()
    finally:
        desk.close()
    print("Screenshots written to docs/screens")


if __name__ == "__main__":
    main()
