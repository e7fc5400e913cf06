#!/usr/bin/python3
"""What a screen reader finds in the main window, read through AT-SPI as Orca reads it.

accessible_tree.py CORVALA: starts the program with Qt's AT-SPI bridge on, on the display and
session bus it is given (accessible_tree.sh provides them), and checks that the editing area, the
toolbar and each of its buttons have a name to speak. Exit 0 when they do, 1 with the unnamed
ones listed when not.
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi

# What is spoken for each, by its role as AT-SPI names it.
EXPECTED = [("tool bar", "Toolbar")] + [("push button", name) for name in (
    "New", "Open", "Save As", "Print", "Cut", "Copy", "Paste", "Undo", "Redo")]
EDITING_AREA = "Document"
# Roles whose nodes a screen reader speaks by their name when they take the focus or the
# pointer; a separator or a filler says nothing.
SPOKEN_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_TOOL_BAR,
                pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_DOCUMENT_TEXT}
TIMEOUT = 60


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def unnamed(nodes):
    """What a screen reader would miss in the tree: each expected node without its name, and
    every spoken node on the screen without any."""
    found = [(node.getRoleName(), node.name) for node in nodes]
    failures = [f"no {role} named '{name}'" for role, name in EXPECTED if (role, name) not in found]
    texts = [node.name for node in nodes if node.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_DOCUMENT_TEXT)]
    if EDITING_AREA not in texts:
        failures.append(f"the editing area is not named '{EDITING_AREA}' (text nodes: {texts})")
    # Only what is on the screen is spoken: a hidden node (the toolbar's overflow button) may go
    # unnamed.
    for node in nodes:
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
        if node.getRole() in SPOKEN_ROLES and showing and not node.name:
            failures.append(f"an unnamed {node.getRoleName()} in {node.parent.getRoleName()} '{node.parent.name}'")
    return failures


def main():
    program = sys.argv[1]
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_STATE_HOME=os.path.join(home, "state"), XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_DATA_HOME=os.path.join(home, "data"))
        corvala = subprocess.Popen([program], env=env)
        try:
            deadline = time.monotonic() + TIMEOUT
            # The tree grows as the window is built and shown, and a busy machine shows it late:
            # it is read again until everything is named or the time is up.
            while True:
                if corvala.poll() is not None:
                    print(f"corvala ended with {corvala.returncode} before its window showed")
                    return 1
                app = application(corvala.pid)
                nodes = list(walk(app)) if app is not None else []
                failures = unnamed(nodes) if nodes else ["corvala's window never showed in the AT-SPI tree"]
                if not failures or time.monotonic() >= deadline:
                    break
                time.sleep(0.2)
            found = [(node.getRoleName(), node.name) for node in nodes]
            print("tree:", ", ".join(f"{role} '{name}'" for role, name in found))
            for failure in failures:
                print("FAIL:", failure)
            return 1 if failures else 0
        finally:
            corvala.terminate()
            corvala.wait(timeout=30)


if __name__ == "__main__":
    sys.exit(main())
