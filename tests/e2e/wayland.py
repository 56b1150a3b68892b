#!/usr/bin/python3
"""End-to-end tests of the real Tavrellix as a native Wayland client.

Each case starts its own headless weston (pixman renderer, so screenshots hold real pixels) with a
private XDG_RUNTIME_DIR and socket, the AT-SPI accessibility bus on the D-Bus session that
dbus-run-session gives this script, and the program with QT_QPA_PLATFORM=wayland, a fresh home and
a recording xdg-open. Wayland lets no client inject input into another, so the cases press buttons
and menu items through their accessible actions and read windows and text from the same tree.

What Wayland does not allow and the program therefore cannot do there: keep the closing screen
above other windows (no client may restack itself) and place the restored main window in the
centre of the screen (no client may position its own toplevel). Both requests are accepted
without an error; the compositor decides.

Usage: dbus-run-session -- wayland.py PROGRAM CASE     (CASE is one of the functions named case_*)
       TAVRELLO_SCREENSHOT=FILE also saves the screen of case first_start to FILE (a PNG).
Exit code 77 with one line saying why when a tool the cases need is not installed.
"""
import datetime
import glob
import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e import CLOSING, MAIN, SHIFT, Failure, check, ini_key, private_folders, scramble  # noqa: E402

SKIP = 77
SOCKET = "tavrello-wayland"


def missing_tool():
    for tool in ("weston", "dbus-send", "weston-screenshooter"):
        if shutil.which(tool) is None:
            return "%s is not installed" % tool
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        return "at-spi2-core is not installed"
    if not glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"):
        return "Qt's Wayland platform plugin (qt6-wayland) is not installed"
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        return "no D-Bus session: run under dbus-run-session"
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        return "pyatspi (python3-pyatspi) is not installed"
    return None


def wait_for(what, probe, timeout=20):
    """Polls probe() until it returns something true, and returns that."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    raise Failure("timed out waiting for %s" % what)


class Compositor:
    """A headless weston with its own runtime folder, the accessibility bus, a fresh home."""

    def __init__(self, program):
        self.program = os.path.realpath(program)
        self.root, self.home, bin_folder, self.runtime, self.opened_log = private_folders("tavrello-wayland-")
        self.env = {
            "PATH": bin_folder + os.pathsep + os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "XDG_RUNTIME_DIR": self.runtime,
            "DBUS_SESSION_BUS_ADDRESS": os.environ["DBUS_SESSION_BUS_ADDRESS"],
            "TAVRELLO_OPENED": self.opened_log,
            "LANG": "C.UTF-8",
        }
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if name in os.environ:
                self.env[name] = os.environ[name]
        self.processes = []
        # The accessibility bus's socket goes to the private runtime folder, not the shared home.
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        wait_for("the accessibility bus", lambda: subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], env=self.env, capture_output=True).returncode == 0)
        # What a screen reader does when it starts: tell applications that accessibility is on.
        subprocess.run(["dbus-send", "--session", "--type=method_call", "--dest=org.a11y.Bus", "/org/a11y/bus",
                        "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                        "variant:boolean:true"], env=self.env, check=True)
        self.weston_log = os.path.join(self.root, "weston.log")
        # --debug exposes the screenshooter; the pixman renderer gives it pixels to read.
        self.weston = self.spawn(["weston", "--backend=headless-backend.so", "--use-pixman", "--socket=" + SOCKET,
                                  "--width=1280", "--height=800", "--idle-time=0", "--debug",
                                  "--log=" + self.weston_log])
        wait_for("weston's socket", lambda: os.path.exists(os.path.join(self.runtime, SOCKET)))

    def spawn(self, command):
        # A process group of its own: the accessibility bus launcher leaves its bus daemon behind
        # when only the launcher is killed.
        process = subprocess.Popen(command, env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(process)
        return process

    def start(self):
        """The program as a Wayland client; its error output goes to a file read at the end."""
        self.stderr_path = os.path.join(self.root, "program.err")
        env = dict(self.env, WAYLAND_DISPLAY=SOCKET, QT_QPA_PLATFORM="wayland")
        with open(self.stderr_path, "wb") as stderr:
            process = subprocess.Popen([self.program], env=env, stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=stderr, start_new_session=True)
        self.processes.append(process)
        return process

    def error_output(self):
        with open(self.stderr_path, errors="replace") as stderr:
            return stderr.read()

    def close(self):
        # The program first, then weston (which ends its own helper clients on SIGTERM), then the bus.
        for process in reversed(self.processes):
            for sig in (signal.SIGTERM, signal.SIGKILL):
                try:
                    os.killpg(process.pid, sig)
                except (ProcessLookupError, PermissionError):
                    pass
                try:
                    process.wait(5)
                    break
                except subprocess.TimeoutExpired:
                    continue
        shutil.rmtree(self.root, ignore_errors=True)

    def opened(self):
        if not os.path.exists(self.opened_log):
            return []
        with open(self.opened_log) as log:
            return log.read().split()

    def stored_date(self):
        path = os.path.join(self.env["XDG_CONFIG_HOME"], "Tavrellix", "Tavrellix.conf")
        if not os.path.exists(path):
            return None
        with open(path, encoding="latin-1") as conf:
            text = conf.read()
        key = ini_key(scramble("Duration")) + "="
        if key not in text:
            return None
        return "".join(chr(ord(c) - SHIFT) for c in text.split(key, 1)[1].split("\n", 1)[0].strip())

    def screenshot(self, target):
        shots = os.path.join(self.root, "shots")
        os.makedirs(shots)
        subprocess.run(["weston-screenshooter"], env=dict(self.env, WAYLAND_DISPLAY=SOCKET), cwd=shots,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20, check=True)
        taken = wait_for("the screenshot", lambda: glob.glob(os.path.join(shots, "*.png")))
        shutil.copyfile(taken[0], target)


# The accessibility tree, read and driven as a screen reader does.

def children(node):
    try:
        return [node[i] for i in range(node.childCount)]
    except Exception:
        return []


def nodes(root):
    stack = [root]
    while stack:
        node = stack.pop()
        if node is not None:
            yield node
            stack.extend(children(node))


def application():
    import pyatspi

    def probe():
        return next((app for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == "Tavrello"),
                    None)
    return wait_for("Tavrello in the accessibility tree", probe)


def showing(node):
    import pyatspi
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


# Qt gives a top-level window the role of its class: the main window a frame, the about box a
# dialog, the closing screen (a plain widget) a filler.
WINDOW_ROLES = ("frame", "dialog", "filler", "window")


def window(app, name, role=None):
    """A shown top-level window of the program, or None."""
    for node in children(app):
        try:
            if node.name == name and node.getRoleName() in ((role,) if role else WINDOW_ROLES) and showing(node):
                return node
        except Exception:
            continue
    return None


def windows(app):
    shown = []
    for node in children(app):
        try:
            if showing(node):
                shown.append((node.getRoleName(), node.name))
        except Exception:
            continue
    return shown


def find(root, role, name):
    for node in nodes(root):
        try:
            if node.getRoleName() == role and node.name == name:
                return node
        except Exception:
            continue
    raise Failure("no %s named %r" % (role, name))


def press(node):
    """The accessible 'Press' action: a button's click, a menu item's trigger.

    Sent without waiting for the reply: an action that opens a modal box answers only when the box
    closes, and a blocking call would stall the test until the bus gives up. The caller then polls
    for what the press should change."""
    action = node.queryAction()
    index = next((i for i in range(action.nActions) if action.getName(i) == "Press"), None)
    if index is None:
        raise Failure("%r cannot be pressed" % node.name)
    subprocess.run(["dbus-send", "--bus=" + accessibility_bus(), "--dest=" + node.app.bus_name,
                    "--type=method_call", node.path, "org.a11y.atspi.Action.DoAction", "int32:%d" % index],
                   check=True, timeout=10)


def accessibility_bus():
    reply = subprocess.run(["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus", "/org/a11y/bus",
                            "org.a11y.Bus.GetAddress"], capture_output=True, text=True, check=True, timeout=10)
    return reply.stdout.strip()


def page_text(app):
    text = find(app, "text", "Page").queryText()
    return text.getText(0, text.characterCount)


def wait_page(app, start):
    return wait_for("a page starting with %r" % start, lambda: page_text(app).startswith(start))


def main_window(app):
    return wait_for("the main window", lambda: window(app, MAIN, "frame"))


def exit_from_closing_screen(desk, closing, process, forbidden):
    """Leaves the closing screen by its Exit button: the process ends cleanly, and its error
    output holds none of the forbidden texts."""
    press(find(closing, "push button", "Exit"))
    try:
        code = process.wait(20)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end after the closing screen was left")
    check(code == 0, "exit code %s" % code)
    errors = desk.error_output()
    check(not any(text in errors for text in forbidden), "error output: %s" % errors)


def leave(desk, app, process):
    """Closes the main window by its Exit button, then leaves the closing screen by its own."""
    press(find(main_window(app), "push button", "Exit"))
    closing = wait_for("the closing screen", lambda: window(app, CLOSING))
    wait_for("the main window to close", lambda: window(app, MAIN, "frame") is None)
    check(process.poll() is None, "the process ended before the closing screen was left")
    check(windows(app) == [("filler", CLOSING)], "shown besides the closing screen: %s" % windows(app))
    exit_from_closing_screen(desk, closing, process, ("ERROR", "runtime error", "Could not"))


# The cases.

def case_first_start(desk):
    process = desk.start()
    app = application()
    main_window(app)
    wait_page(app, "Introduction")
    check(windows(app) == [("frame", MAIN)], "shown at start: %s" % windows(app))
    check(desk.stored_date() == datetime.date.today().isoformat(), "today's date is not stored")
    target = os.environ.get("TAVRELLO_SCREENSHOT")
    if target:
        time.sleep(1)  # the last frame reaches the compositor after the tree says the page is there
        desk.screenshot(target)
    leave(desk, app, process)


def case_section(desk):
    process = desk.start()
    app = application()
    frame = main_window(app)
    wait_page(app, "Introduction")
    press(find(frame, "push button", "Meditation"))
    wait_page(app, "What Is Meditation ?")
    press(find(frame, "push button", "Yoga Asanas By Body Parts"))
    wait_page(app, "Ardhachandrasana")
    picture = next((node for node in nodes(frame) if node.name == "Asana picture"), None)
    check(picture is not None and picture.description == "Ardhachandrasana",
          "the picture does not show the asana of the page")
    leave(desk, app, process)


def open_and_close_about(app, frame, time_text, caption=None):
    """Opens the about box from the Help menu, reads its caption if asked, and leaves it by OK."""
    press(find(frame, "menu item", "About Software"))
    about = wait_for("the about box" + time_text, lambda: window(app, MAIN, "dialog"))
    if caption:
        find(about, "label", caption)
    press(find(about, "push button", "OK"))
    wait_for("the about box to close" + time_text, lambda: window(app, MAIN, "dialog") is None)


def case_about(desk):
    process = desk.start()
    app = application()
    frame = main_window(app)
    open_and_close_about(app, frame, "", caption="Tavrello v1.80")
    check(window(app, MAIN, "frame") is not None, "the main window went with the about box")
    # Unloaded by OK, so the menu item opens it afresh. (Its modality is invisible here: the
    # accessibility tree reports no modal state and its presses bypass input blocking.)
    open_and_close_about(app, frame, " again")
    check(desk.opened() == [], "opened: %s" % desk.opened())
    leave(desk, app, process)


def case_closing(desk):
    """File, Exit closes the main window like its Exit button; leaving the closing screen ends it."""
    process = desk.start()
    app = application()
    frame = main_window(app)
    press(find(frame, "menu item", "Exit"))
    closing = wait_for("the closing screen", lambda: window(app, CLOSING))
    wait_for("the main window to close", lambda: window(app, MAIN, "frame") is None)
    time.sleep(1)  # the process must still be there a moment later, with the closing screen alone
    check(process.poll() is None, "the process ended with the main window")
    check(windows(app) == [("filler", CLOSING)], "shown besides the closing screen: %s" % windows(app))
    find(closing, "push button", "Refer A Friend Now")
    exit_from_closing_screen(desk, closing, process, ("ERROR", "runtime error"))


def main():
    program, name = sys.argv[1], sys.argv[2]
    case = globals().get("case_" + name)
    if case is None:
        print("unknown case %s" % name)
        return 2
    why = missing_tool()
    if why:
        print("SKIP wayland_%s: %s" % (name, why))
        return SKIP
    desk = Compositor(program)
    try:
        case(desk)
    except Failure as failure:
        print("FAIL wayland_%s: %s" % (name, failure))
        if os.path.exists(desk.weston_log):
            with open(desk.weston_log, errors="replace") as log:
                print("weston's log ends:\n" + "".join(log.readlines()[-15:]))
        return 1
    finally:
        desk.close()
    print("PASS wayland_%s" % name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
