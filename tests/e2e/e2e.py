#!/usr/bin/env python3
"""End-to-end tests of the real Tavrellix program.

Each case starts its own Xvfb display with the openbox window manager, a fresh HOME and XDG
folders, and a recording xdg-open first on PATH; it drives the program with real keyboard and
mouse input through xdotool and reads what reached xdg-open, the settings file and the screen.

Usage: e2e.py PROGRAM CASE     (CASE is one of the functions named case_*)
"""
import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

SITE = "https://www.quorvane.com/tavrello/ssd.php?page="
SHIFT = 61


def scramble(text):
    return "".join(chr(ord(c) + SHIFT) for c in text if ord(c) + SHIFT <= 255)


def ini_key(text):
    """A key as the settings file writes it: codes above 127 as %XX."""
    return "".join(c if ord(c) < 128 else "%%%02X" % ord(c) for c in text)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def private_folders(prefix):
    """A fresh root with a home, a private runtime folder and a bin folder whose xdg-open only
    records the address it was given. Returns root, home, bin, runtime and the record's path."""
    root = tempfile.mkdtemp(prefix=prefix)
    home, bin_folder, runtime = (os.path.join(root, name) for name in ("home", "bin", "runtime"))
    for folder in (home, bin_folder, runtime):
        os.makedirs(folder)
    os.chmod(runtime, 0o700)
    opener = os.path.join(bin_folder, "xdg-open")
    with open(opener, "w") as script:
        script.write('#!/bin/sh\nprintf "%s\\n" "$1" >> "$TAVRELLO_OPENED"\n')
    os.chmod(opener, 0o755)
    return root, home, bin_folder, runtime, os.path.join(root, "opened.txt")


class Desktop:
    """An X server with a window manager, a private home and a recording browser opener."""

    def __init__(self, program, screen="1280x800"):
        self.program = os.path.realpath(program)
        self.root, self.home, self.bin, runtime, self.opened_log = private_folders("tavrello-e2e-")
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", screen + "x24", "-dpi", "96", "-nolisten", "tcp"],
            pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read, 16)
            if not chunk:
                raise Failure("Xvfb did not start")
            number += chunk
        os.close(read)
        self.env = {
            "PATH": self.bin + os.pathsep + os.environ.get("PATH", "/usr/bin:/bin"),
            "DISPLAY": ":" + number.decode().strip(),
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "XDG_RUNTIME_DIR": runtime,
            "TAVRELLO_OPENED": self.opened_log,
            "LANG": "C.UTF-8",
        }
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if name in os.environ:
                self.env[name] = os.environ[name]
        self.wm = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.5)
        self.processes = []

    def close(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()
        self.wm.kill()
        self.xvfb.kill()
        self.wm.wait()
        self.xvfb.wait()
        shutil.rmtree(self.root, ignore_errors=True)

    @property
    def settings_file(self):
        return os.path.join(self.env["XDG_CONFIG_HOME"], "Tavrellix", "Tavrellix.conf")

    def start(self, **extra_env):
        env = dict(self.env, **extra_env)
        process = subprocess.Popen([self.program], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.processes.append(process)
        return process

    def xdotool(self, *args, check_result=True):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True, timeout=30)
        if check_result and result.returncode != 0:
            raise Failure("xdotool %s: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout.strip()

    def windows(self, title):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title], env=self.env,
                                capture_output=True, text=True, timeout=30)
        return result.stdout.split()

    def wait_window(self, title, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = self.windows(title)
            if found:
                time.sleep(0.4)  # let it paint and take focus
                return found[0]
            time.sleep(0.1)
        raise Failure("no window titled %r appeared" % title)

    def wait_gone(self, title, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if not self.windows(title):
                return
            time.sleep(0.1)
        raise Failure("window %r did not go away" % title)

    def geometry(self, window):
        """The window's inside, on the screen: X, Y, WIDTH, HEIGHT."""
        info = subprocess.run(["xwininfo", "-id", window], env=self.env, capture_output=True, text=True,
                              timeout=10).stdout
        fields = {"Absolute upper-left X": "X", "Absolute upper-left Y": "Y", "Width": "WIDTH", "Height": "HEIGHT"}
        values = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            if key in fields:
                values[fields[key]] = int(value)
        return values

    def key(self, window, *keys):
        self.xdotool("windowactivate", "--sync", window, check_result=False)
        self.xdotool("key", "--clearmodifiers", *keys)
        time.sleep(0.3)

    def type(self, text):
        self.xdotool("type", "--delay", "20", text)
        time.sleep(0.2)

    def click(self, x, y):
        self.xdotool("mousemove", "--sync", str(x), str(y))
        self.xdotool("click", "1")
        time.sleep(0.4)

    def opened(self):
        if not os.path.exists(self.opened_log):
            return []
        with open(self.opened_log) as log:
            return log.read().split()

    def clipboard(self):
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env, capture_output=True,
                                text=True, timeout=10)
        return result.stdout if result.returncode == 0 else ""

    def wait_exit(self, process, timeout=20):
        try:
            return process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end")

    def write_date(self, date):
        os.makedirs(os.path.dirname(self.settings_file), exist_ok=True)
        with open(self.settings_file, "w", encoding="latin-1") as conf:
            conf.write("[Settings]\n%s=%s\n" % (ini_key(scramble("Duration")), scramble(date.isoformat())))

    def stored_date(self):
        with open(self.settings_file, encoding="latin-1") as conf:
            text = conf.read()
        check(ini_key(scramble("Duration")) + "=" in text, "the reminder key is not stored: %r" % text)
        return "".join(chr(ord(c) - SHIFT) for c in text.split("=", 1)[1].strip())


MAIN = "Tavrello v1.80"
CLOSING = "Tavrello v1.15"


def close_main_window(desk, window):
    """Asks the window manager to close the main window, as its close box does."""
    for attempt in range(3):
        desk.key(window, "alt+F4")
        try:
            return desk.wait_window(CLOSING, timeout=8)
        except Failure:
            if attempt == 2:
                raise


def leave_through_closing_screen(desk, process, window):
    """Closes the main window by the window manager's close request, then leaves the closing screen."""
    closing = close_main_window(desk, window)
    check(process.poll() is None, "the process ended before the closing screen was left")
    desk.wait_gone(MAIN)
    state = subprocess.run(["xprop", "-id", closing, "_NET_WM_STATE"], env=desk.env, capture_output=True,
                           text=True, timeout=10).stdout
    check("_NET_WM_STATE_ABOVE" in state, "the closing screen is not kept above other windows")
    check(desk.xdotool("getactivewindow") == closing, "the closing screen did not get the focus")
    desk.xdotool("key", "space")  # straight to it: the focus starts on its Exit button
    code = desk.wait_exit(process)
    check(code == 0, "exit code %s" % code)
    stderr = process.stderr.read().decode(errors="replace")
    check("ERROR" not in stderr and "runtime error" not in stderr, "error output: %s" % stderr)


def case_first_start(desk):
    process = desk.start()
    window = desk.wait_window(MAIN)
    check(not desk.windows("Tavrello"), "a question was asked on the first start")
    check(desk.stored_date() == datetime.date.today().isoformat(), "today's date is not stored")
    leave_through_closing_screen(desk, process, window)


def case_reminder_yes(desk):
    desk.write_date(datetime.date.today() - datetime.timedelta(days=15))
    process = desk.start()
    box = desk.wait_window("Tavrello")
    check(not desk.windows(MAIN), "the main window appeared before the question was answered")
    desk.key(box, "Return")  # Yes is the default
    window = desk.wait_window(MAIN)
    check(desk.opened() == [SITE + "download-web-page"], "opened: %s" % desk.opened())
    check(desk.stored_date() == datetime.date.today().isoformat(), "the date was not renewed")
    leave_through_closing_screen(desk, process, window)


def case_reminder_quiet_at_14_days(desk):
    date = datetime.date.today() - datetime.timedelta(days=14)
    desk.write_date(date)
    process = desk.start()
    window = desk.wait_window(MAIN)
    check(not desk.windows("Tavrello"), "asked after 14 days")
    check(desk.stored_date() == date.isoformat(), "the stored date changed")
    leave_through_closing_screen(desk, process, window)


def case_second_instance(desk):
    first = desk.start()
    window = desk.wait_window(MAIN)
    second = desk.start()
    box = desk.wait_window("Tavrello")
    check(len(desk.windows(MAIN)) == 1, "the second instance showed a main window")
    desk.key(box, "Return")
    code = desk.wait_exit(second)
    check(code == 0, "the second instance ended with %s" % code)
    check(first.poll() is None, "the first instance did not survive")
    leave_through_closing_screen(desk, first, window)


def case_links(desk):
    process = desk.start()
    window = desk.wait_window(MAIN)
    desk.key(window, "alt+h")
    desk.key(window, "v")  # Help, Visit Us Online
    g = desk.geometry(window)
    # The Donate button's right edge is 300 twips (20 px) inside the window; its bar lies under the
    # menu bar and the 60-pixel banner, its top 18 px down that bar.
    desk.click(g["X"] + g["WIDTH"] - 63, g["Y"] + 22 + 60 + 18 + 12)
    deadline = time.time() + 10
    while len(desk.opened()) < 2 and time.time() < deadline:
        time.sleep(0.1)
    check(desk.opened() == [SITE + "home-page", SITE + "donate"], "opened: %s" % desk.opened())
    leave_through_closing_screen(desk, process, window)


def case_closing_close_box(desk):
    process = desk.start()
    window = desk.wait_window(MAIN)
    closing = close_main_window(desk, window)
    desk.key(closing, "alt+F4")  # the closing screen's own close box
    code = desk.wait_exit(process)
    check(code == 0, "exit code %s" % code)


def case_referral(desk):
    process = desk.start()
    window = desk.wait_window(MAIN)
    closing = close_main_window(desk, window)
    # From Exit: the check box, then the name box.
    desk.key(closing, "Tab", "Tab")
    desk.type("Asha & Co")
    desk.key(closing, "Tab", "Tab")  # past the submit button to the e-mail box
    desk.type("asha@example.in")
    desk.key(closing, "Tab")
    desk.type("ravi@example.in")
    desk.key(closing, "Tab")
    desk.type("Ravi")
    desk.key(closing, "shift+Tab", "shift+Tab", "shift+Tab")  # back to the submit button
    desk.key(closing, "space")
    deadline = time.time() + 10
    while not desk.opened() and time.time() < deadline:
        time.sleep(0.1)
    opened = desk.opened()
    check(len(opened) == 1 and opened[0].startswith(SITE + "qvms-refer-a-friend&taf1=Asha%20%26%20Co&taf2=asha%40"),
          "opened: %s" % opened)
    check(process.poll() is None, "the program ended after the referral")
    desk.key(closing, "alt+x")
    check(desk.wait_exit(process) == 0, "non-zero exit")


def case_clipboard(desk):
    process = desk.start()
    window = desk.wait_window(MAIN)
    g = desk.geometry(window)
    page_x, page_y = g["X"] + 700, g["Y"] + 300
    desk.click(page_x, page_y)
    desk.key(window, "ctrl+a", "ctrl+c")
    check("Introduction" in desk.clipboard(), "copying from the page did not reach the clipboard")
    desk.xdotool("mousemove", "--sync", str(page_x + 30), str(page_y + 20))
    time.sleep(0.5)
    check(desk.clipboard() == "", "copied page text survived a pointer movement over the page")

    other = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard"], stdin=subprocess.PIPE,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, text=True, env=desk.env)
    desk.processes.append(other)
    other.stdin.write("from another program")
    other.stdin.close()
    time.sleep(0.5)
    desk.xdotool("mousemove", "--sync", str(page_x - 30), str(page_y - 20))
    time.sleep(0.5)
    check(desk.clipboard() == "from another program", "another program's clipboard was emptied")
    leave_through_closing_screen(desk, process, window)


def case_corrupt_settings(desk):
    os.makedirs(os.path.dirname(desk.settings_file), exist_ok=True)
    with open(desk.settings_file, "wb") as conf:
        conf.write(b"\x00\xff[Settings\n=====\n\x81\xb2=\xff\xfe\n")
    process = desk.start()
    window = desk.wait_window(MAIN)
    check(not desk.windows("Tavrello"), "a question was asked")
    leave_through_closing_screen(desk, process, window)


def case_unwritable_settings(desk):
    os.makedirs(desk.settings_file)  # a folder where the file should be: nothing can be written
    process = desk.start()
    window = desk.wait_window(MAIN)
    check(not desk.windows("Tavrello"), "a question was asked")
    leave_through_closing_screen(desk, process, window)


def case_no_runtime_folder(desk):
    process = desk.start(XDG_RUNTIME_DIR=os.path.join(desk.root, "missing"))
    window = desk.wait_window(MAIN)
    leave_through_closing_screen(desk, process, window)


def main():
    program, name = sys.argv[1], sys.argv[2]
    case = globals().get("case_" + name)
    if case is None:
        print("unknown case %s" % name)
        return 2
    desk = Desktop(program)
    try:
        case(desk)
    except Failure as failure:
        print("FAIL %s: %s" % (name, failure))
        return 1
    finally:
        desk.close()
    print("PASS %s" % name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
