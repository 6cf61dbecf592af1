#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A client of the accessibility (AT-SPI) bus, as a screen reader is one, driven by a test:
# each line read is a JSON array (a command and its arguments), each answer one JSON line.
#   ["tree"]                     the showing objects of the window: depth, role, name, actions, states
#   ["focused"]                  the objects in the focused state, outermost first
#   ["act", role, name, action]  does `action` (any case) on the first showing such object
#   ["selected", role, name]     the names of that object's children in the selected state
#   ["events"]                   the events received since the last call, oldest first
# The window is found by its name, the first argument.

import json
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# The action names are read by the one call Debian 12's client offers, deprecated since.
warnings.filterwarnings("ignore", category=DeprecationWarning)

STATES = {Atspi.StateType.FOCUSED: "focused", Atspi.StateType.SELECTED: "selected"}
received = []


def safe(call, default=None):
    try:
        return call()
    except Exception:  # an object gone while it was read
        return default


def describe(obj):
    return {"role": safe(obj.get_role_name, ""), "name": safe(obj.get_name, "")}


def on_event(event):
    data = event.any_data
    entry = {"type": event.type, "detail1": event.detail1}
    entry.update(describe(event.source))
    if isinstance(data, Atspi.Accessible):
        entry["data"] = describe(data)
    received.append(entry)


def pump(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not GLib.MainContext.default().iteration(False):
            time.sleep(0.01)


def find_window(title):
    desktop = Atspi.get_desktop(0)
    for app in [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]:
        safe(app.clear_cache)
        for window in [safe(lambda: app.get_child_at_index(j)) for j in range(safe(app.get_child_count, 0))]:
            if window is not None and safe(window.get_name) == title:
                return window
    return None


def actions_of(obj):
    if "Action" not in safe(obj.get_interfaces, []):
        return []
    return [Atspi.Action.get_action_name(obj, i) for i in range(Atspi.Action.get_n_actions(obj))]


def walk(obj, depth, out):
    state_set = safe(obj.get_state_set)
    if state_set is None or not state_set.contains(Atspi.StateType.SHOWING):
        return
    out.append((depth, obj, [name for s, name in STATES.items() if state_set.contains(s)]))
    for i in range(safe(obj.get_child_count, 0)):
        child = safe(lambda: obj.get_child_at_index(i))
        if child is not None:
            walk(child, depth + 1, out)


def showing(root):
    root.clear_cache()
    out = []
    walk(root, 0, out)
    return out


def find(window, role, name):
    return next((o for _, o, _ in showing(window) if describe(o) == {"role": role, "name": name}), None)


def answer(command, window):
    what = command[0]
    if what == "tree":
        return [dict(describe(o), depth=d, actions=actions_of(o), states=s) for d, o, s in showing(window)]
    if what == "focused":
        return [describe(o) for _, o, s in showing(window) if "focused" in s]
    if what == "act":
        obj = find(window, command[1], command[2])
        names = [n.lower() for n in actions_of(obj)] if obj else []
        return command[3].lower() in names and Atspi.Action.do_action(obj, names.index(command[3].lower()))
    if what == "selected":
        obj = find(window, command[1], command[2])
        return [describe(o)["name"] for d, o, s in showing(obj) if d == 1 and "selected" in s] if obj else []
    if what == "events":
        drained = list(received)
        received.clear()
        return drained
    return None


def main():
    Atspi.init()
    listener = Atspi.EventListener.new(on_event)
    for event in ["object:state-changed:showing", "object:state-changed:focused",
                  "object:state-changed:selected"]:
        listener.register(event)
    window = None
    deadline = time.monotonic() + 30
    while window is None and time.monotonic() < deadline:
        window = find_window(sys.argv[1])
        pump(0.2)
    print(json.dumps(window is not None), flush=True)
    for line in sys.stdin:
        pump(0.05)  # events already on their way come before the answer
        print(json.dumps(answer(json.loads(line), window), ensure_ascii=False), flush=True)
    return 0 if window else 1


if __name__ == "__main__":
    sys.exit(main())
