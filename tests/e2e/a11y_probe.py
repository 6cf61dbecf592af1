#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader learns of the running program through the accessibility (AT-SPI)
# bus: a client of the bus, as Orca is one, driven by a test over standard input.
#
# Each line read is a JSON array, a command and its arguments; each answer is one JSON
# line. Commands:
#   ["tree"]                      every object of the program's window that is showing:
#                                 depth, role, name, description, actions, states
#   ["focused"]                   the objects in the focused state, outermost first
#   ["act", role, name, action]   performs `action` (by name, any case) on the first showing
#                                 object of that role and name; {"ok": true|false}
#   ["selected", role, name]      the names of the children of that object in the selected state
#   ["events"]                    the events received since the last call, oldest first
#   ["wait", ms]                  runs the bus for `ms` milliseconds, then answers {}
# The program is found by its window's name, given as the first argument.

import json
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

EVENTS = [
    "object:state-changed:showing",
    "object:state-changed:focused",
    "object:state-changed:selected",
    "object:selection-changed",
    "object:active-descendant-changed",
    "object:property-change:accessible-name",
    "object:property-change:accessible-description",
]

STATES = {
    Atspi.StateType.FOCUSED: "focused",
    Atspi.StateType.FOCUSABLE: "focusable",
    Atspi.StateType.SELECTED: "selected",
    Atspi.StateType.SHOWING: "showing",
}

received = []


def pump(ms):
    context = GLib.MainContext.default()
    end = time.monotonic() + ms / 1000.0
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.01)


def safe(call, default=None):
    try:
        return call()
    except Exception:  # an object gone while it was read
        return default


def describe(obj):
    if obj is None:
        return None
    return {"role": safe(obj.get_role_name, ""), "name": safe(obj.get_name, "")}


def on_event(event):
    data = event.any_data
    if isinstance(data, Atspi.Accessible):
        data = describe(data)
    elif data is not None and not isinstance(data, (str, int, float, bool)):
        data = str(data)
    entry = {"type": event.type, "detail1": event.detail1, "data": data}
    entry.update(describe(event.source) or {})
    received.append(entry)


def find_window(title):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = safe(lambda: desktop.get_child_at_index(i))
        if app is None:
            continue
        app.clear_cache()
        for j in range(safe(app.get_child_count, 0)):
            window = safe(lambda: app.get_child_at_index(j))
            if window is not None and safe(window.get_name) == title:
                return window
    return None


def states_of(obj):
    state_set = obj.get_state_set()
    return [name for state, name in STATES.items() if state_set.contains(state)]


def actions_of(obj):
    action = safe(obj.get_action_iface)
    if action is None:
        return []
    return [action.get_action_name(i) for i in range(action.get_n_actions())]


def walk(obj, depth, out):
    states = safe(lambda: states_of(obj), [])
    if "showing" not in states:
        return
    out.append((depth, obj, states))
    for i in range(safe(obj.get_child_count, 0)):
        child = safe(lambda: obj.get_child_at_index(i))
        if child is not None:
            walk(child, depth + 1, out)


def showing(window):
    window.clear_cache()
    out = []
    walk(window, 0, out)
    return out


def find(window, role, name):
    for _, obj, _ in showing(window):
        if safe(obj.get_role_name) == role and safe(obj.get_name) == name:
            return obj
    return None


def answer(command, window):
    what = command[0]
    if what == "tree":
        return {
            "nodes": [
                {
                    "depth": depth,
                    "role": safe(obj.get_role_name, ""),
                    "name": safe(obj.get_name, ""),
                    "description": safe(obj.get_description, ""),
                    "actions": safe(lambda: actions_of(obj), []),
                    "states": states,
                }
                for depth, obj, states in showing(window)
            ]
        }
    if what == "focused":
        # Outermost first: a control whose focus goes to a part of it reports it too.
        return [describe(obj) for _, obj, states in showing(window) if "focused" in states]
    if what == "act":
        obj = find(window, command[1], command[2])
        names = [n.lower() for n in (safe(lambda: actions_of(obj), []) if obj else [])]
        if command[3].lower() not in names:
            return {"ok": False}
        return {"ok": bool(obj.get_action_iface().do_action(names.index(command[3].lower())))}
    if what == "selected":
        obj = find(window, command[1], command[2])
        if obj is None:
            return None
        out = []
        walk(obj, 0, out)
        return [safe(child.get_name, "") for depth, child, states in out if depth == 1 and "selected" in states]
    if what == "events":
        drained = list(received)
        received.clear()
        return drained
    if what == "wait":
        pump(command[1])
        return {}
    return {"error": "unknown command " + what}


def main():
    Atspi.init()
    listener = Atspi.EventListener.new(on_event)
    for event in EVENTS:
        listener.register(event)
    window = None
    deadline = time.monotonic() + 30
    while window is None and time.monotonic() < deadline:
        window = find_window(sys.argv[1])
        if window is None:
            pump(200)
    print(json.dumps({"ready": window is not None}), flush=True)
    if window is None:
        return 1
    for line in sys.stdin:
        if not line.strip():
            continue
        pump(50)  # events already on their way belong before the answer
        print(json.dumps(answer(json.loads(line), window), ensure_ascii=False), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
