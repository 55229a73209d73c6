#!/usr/bin/python3
"""Plays the running quiz as a screen reader would, over AT-SPI: reads every
control's role and name, performs press and toggle actions, and listens for
the notifications a reader speaks. Run it through screen-reader-check.sh,
which starts the quiz under a private display and D-Bus session."""

import sys
import time

import pyatspi
from gi.repository import GLib

APP = "zorelmina"
SPOKEN = []
FAILURES = []


def find_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == APP:
            return app
    return None


def walk(node, depth=0, out=None):
    out = [] if out is None else out
    for child in node:
        if child is None:
            continue
        out.append(child)
        print("  " * depth + f"{child.getRoleName()}: {child.name!r}"
              + (" [checked]" if child.getState().contains(pyatspi.STATE_CHECKED) else ""))
        walk(child, depth + 1, out)
    return out


def on_showing(event):
    if not event.type.startswith("object:state-changed:showing"):
        return
    if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        SPOKEN.append(event.source.name)
        print(f"announced: {event.source.name!r}")


def act(nodes, role, name, action):
    matches = [n for n in nodes if n.getRole() == role and n.name.strip() == name.strip()]
    if len(matches) != 1:
        FAILURES.append(f"no single {role} named {name!r}")
        return
    actions = matches[0].queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action not in names:
        FAILURES.append(f"{name!r} offers {names}, not {action!r}")
        return
    actions.doAction(names.index(action))


def main():
    app = None
    for _ in range(60):
        app = find_app()
        if app is not None and app.childCount > 0:
            break
        time.sleep(0.25)
    if app is None:
        print("the quiz is not on the accessibility bus", file=sys.stderr)
        return 1
    nodes = walk(app)
    roles = [n.getRole() for n in nodes]
    if roles.count(pyatspi.ROLE_RADIO_BUTTON) != 9 or roles.count(pyatspi.ROLE_CHECK_BOX) != 9:
        FAILURES.append("expected nine radio buttons and nine check boxes")
    if pyatspi.ROLE_LIST in roles or pyatspi.ROLE_LIST_BOX in roles:
        FAILURES.append("the hidden explanation list is exposed")
    for n in nodes:
        if n.getRole() in (pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_PUSH_BUTTON,
                           pyatspi.ROLE_TEXT, pyatspi.ROLE_LABEL) and not n.name:
            FAILURES.append(f"a {n.getRoleName()} without a name")

    expected = [
        (pyatspi.ROLE_RADIO_BUTTON, "Кристална нощ", "Toggle", None),
        (pyatspi.ROLE_CHECK_BOX, "9 - 10 XI.1938", "Toggle", "Правилно! Кристална нощ - 9 - 10 XI.1938"),
        (pyatspi.ROLE_CHECK_BOX, "9 - 10 XI.1938", "Toggle", "Грешка!"),
        (pyatspi.ROLE_PUSH_BUTTON, "Изчисти", "Press", "Изборът е изчистен."),
    ]
    steps = iter(expected)
    wanted = [e[3] for e in expected if e[3] is not None]

    def next_step():
        step = next(steps, None)
        if step is None:
            pyatspi.Registry.stop()
            return False
        act(nodes, step[0], step[1], step[2])
        return True

    # A reader listens to name changes too, which keeps its copy of each
    # object's name fresh.
    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing",
                                           "object:property-change:accessible-name")
    GLib.timeout_add(700, next_step)
    pyatspi.Registry.start()

    if SPOKEN != wanted:
        FAILURES.append(f"announced {SPOKEN}, expected {wanted}")
    for f in FAILURES:
        print("FAIL:", f, file=sys.stderr)
    print(f"screen reader: {1 if not FAILURES else 0} passed, {1 if FAILURES else 0} failed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
