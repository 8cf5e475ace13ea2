#!/usr/bin/python3
"""Reads Vitrina's lists over AT-SPI the way a screen reader does.

Usage: atspi_lists.py VITRINA DISC RESULT

Run inside a session bus and an X server (dbus-run-session, xvfb-run). Starts VITRINA
in the folder DISC with Qt's AT-SPI bridge on, waits for its lists to appear on the
accessibility bus, presses Down in the list that has the focus and waits for the
screen reader's focus event. Writes one line of JSON to RESULT (the daemons the bus
starts share our standard output):
{"lists": {NAME: [[item, [states]], ...]}, "focusAfterDown": [role, name]}
"""

import json
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

DEADLINE_SECONDS = 20
WATCHED_STATES = ("focused", "selected", "showing")


def fail(message, process=None):
    if process:
        process.kill()
    print(message, file=sys.stderr)
    sys.exit(1)


def find_lists(node, found, depth=0):
    if depth > 12:
        return
    try:
        role = node.get_role()
        count = node.get_child_count()
    except GLib.Error:
        return
    if role == Atspi.Role.LIST and node.get_name():
        found[node.get_name()] = node
        return
    for i in range(count):
        child = node.get_child_at_index(i)
        if child is not None:
            find_lists(child, found, depth + 1)


def vitrina_application(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except GLib.Error:
            continue
    return None


def items_of(list_node):
    items = []
    for i in range(list_node.get_child_count()):
        item = list_node.get_child_at_index(i)
        states = item.get_state_set()
        names = [s for s in WATCHED_STATES if states.contains(getattr(Atspi.StateType, s.upper()))]
        items.append([item.get_name(), names])
    return items


def pump_until(condition):
    """Runs the main loop for the bus's signals until condition() holds or time is up."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + DEADLINE_SECONDS
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        while context.pending():
            context.iteration(False)
        time.sleep(0.05)
    return None


def main():
    vitrina, disc, result_path = sys.argv[1], sys.argv[2], sys.argv[3]
    # Brings up the accessibility bus, which Qt only joins once it is there.
    Atspi.init()
    focus_events = []

    def on_focus(event):
        if event.detail1 == 1:
            focus_events.append((event.source.get_role_name(), event.source.get_name()))

    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")

    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([vitrina], cwd=disc, env=env)

    def lists_filled():
        app = vitrina_application(process.pid)
        if app is None:
            return None
        found = {}
        find_lists(app, found)
        if len(found) == 2 and all(node.get_child_count() > 0 for node in found.values()):
            return found
        return None

    lists = pump_until(lists_filled)
    if lists is None:
        fail("Vitrina's lists did not appear on the accessibility bus", process)
    result = {"lists": {name: items_of(node) for name, node in lists.items()}}

    focus_events.clear()
    Atspi.generate_keyboard_event(0xFF54, None, Atspi.KeySynthType.SYM)  # XK_Down
    moved = pump_until(lambda: next((e for e in focus_events if e[0] == "list item"), None))
    result["focusAfterDown"] = list(moved) if moved else None

    process.terminate()
    process.wait(timeout=DEADLINE_SECONDS)
    with open(result_path, "w", encoding="utf-8") as out:
        out.write(json.dumps(result, ensure_ascii=False) + "\n")


if __name__ == "__main__":
    main()
