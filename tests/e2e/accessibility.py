#!/usr/bin/python3
"""Reads the running Tavrellix the way a screen reader does: through the AT-SPI accessibility tree.

Run inside its own D-Bus session (dbus-run-session -- accessibility.py PROGRAM). It starts the
accessibility bus, switches accessibility on as a screen reader does, starts the program under
Xvfb with openbox, finds every section button, topic button, list and link by its name, presses
two buttons through their accessible actions and reads the page and the picture's description.
"""
import json
import os
import subprocess
import sys
import time

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e import Desktop, Failure, check, MAIN  # noqa: E402

# The section table the program is built from; captions as they show (Qt's "&&" is one "&").
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "sections.json")) as table:
    _SECTION_TABLE = json.load(table)["sections"]
SECTIONS = [section["caption"].replace("&&", "&") for section in _SECTION_TABLE]
TOPICS = [topic["caption"].replace("&&", "&") for section in _SECTION_TABLE for topic in section["topics"]]
LISTS = [("combo box", "Asanas by name"), ("combo box", "Body parts"), ("combo box", "Therapeutic applications"),
         ("list", "Asanas for the body part"), ("list", "Asanas for the therapeutic application")]


def nodes(root):
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        yield node
        try:
            stack.extend(node[i] for i in range(node.childCount))
        except Exception:
            pass


def application():
    deadline = time.time() + 20
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Tavrello":
                return app
        time.sleep(0.2)
    raise Failure("Tavrello is not in the accessibility tree")


def find(app, role, name):
    for node in nodes(app):
        try:
            if node.getRoleName() == role and node.name == name:
                return node
        except Exception:
            continue
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            time.sleep(0.5)
            return
    raise Failure("no press action on %r" % node.name)


def page_text(app):
    box = find(app, "text", "Page")
    check(box is not None, "the page has no accessible name")
    text = box.queryText()
    return text.getText(0, text.characterCount)


def main():
    program = sys.argv[1]
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    # What a screen reader does when it starts: tell applications that accessibility is on.
    subprocess.run(["dbus-send", "--session", "--type=method_call", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                    "variant:boolean:true"], check=True)
    desk = Desktop(program)
    desk.env["DBUS_SESSION_BUS_ADDRESS"] = os.environ["DBUS_SESSION_BUS_ADDRESS"]
    try:
        process = desk.start()
        desk.wait_window(MAIN)
        app = application()
        missing = [name for name in SECTIONS + TOPICS + ["Donate", "Exit"] if find(app, "push button", name) is None]
        check(not missing, "buttons not found by name: %s" % missing)
        missing = [name for role, name in LISTS if find(app, role, name) is None]
        check(not missing, "lists not found by name: %s" % missing)
        links = [node for node in nodes(app) if node.getRoleName() == "label"
                 and node.name.startswith(("Join the Quorvane Yoga Forum", "Co-brand this software"))]
        check(len(links) == 2, "the banner and bottom links are not both named")
        picture = next((node for node in nodes(app) if node.name == "Asana picture"), None)
        check(picture is not None and picture.description == "Anjali Mudra", "the picture does not name its asana")

        press(find(app, "push button", "Meditation"))
        check(page_text(app).startswith("What Is Meditation ?"), "the page did not follow the button")
        press(find(app, "push button", "Yoga Asanas By Body Parts"))
        check(page_text(app).startswith("Ardhachandrasana"), "the asana page did not follow the button")
        check(picture.description == "Ardhachandrasana", "the picture's description did not follow the asana")
        check(process.poll() is None, "the program ended")
    except Failure as failure:
        print("FAIL accessibility: %s" % failure)
        return 1
    finally:
        desk.close()
        bus.kill()
    print("PASS accessibility")
    return 0


if __name__ == "__main__":
    sys.exit(main())
