#!/usr/bin/python3
"""Reads the program's main window as a screen reader does, over the desktop's
accessibility bus (AT-SPI), and acts through it.

  tree                  every object outside the web pages: role, name, states, value
  press NAME            the default action of the object with this name
  set-value NAME V      sets the value of the slider with this name
  focus KEY COUNT       presses KEY (an xdotool key name) COUNT times and
                        prints which object has the focus after each press
  listen SECONDS        prints the name changes and focus moves heard meanwhile
  focus-moves SECONDS   prints where the focus goes meanwhile; a page as
                        "page" and the name of the pane that holds it
  dialogs               every object of the program's other windows that show

Lines are tab-separated; a web page's own objects show as "page".
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WINDOW_TITLE = "Ruvo电影影视盒"
WEB_ROLES = {"document web", "document frame"}
STATES = ("focusable", "focused", "checkable", "checked", "selectable", "selected", "showing", "editable")


def main_window():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is None or app.name != "ruvo-box":
                continue
            for frame in app:
                if frame is not None and frame.name == WINDOW_TITLE:
                    return frame
        time.sleep(0.1)
    sys.exit("no main window on the accessibility bus")


def objects(node):
    """The window's objects depth first, web pages left out."""
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRoleName() not in WEB_ROLES:
            yield from objects(child)


def states_of(node):
    held = node.getState()
    return ",".join(s for s in STATES if held.contains(getattr(pyatspi, "STATE_" + s.upper())))


def value_of(node):
    try:
        value = node.queryValue()
    except NotImplementedError:
        return ""
    return "%g/%g..%g" % (value.currentValue, value.minimumValue, value.maximumValue)


def line(node):
    return "\t".join((node.getRoleName(), node.name, states_of(node), value_of(node), node.description))


def find(name):
    for node in objects(main_window()):
        if node.name == name:
            return node
    sys.exit("nothing is named " + name)


def described(node):
    """An object as the focus lists show it: "page" for a web page's own
    (the engine's view of a page is an unnamed filler)."""
    if node.getRoleName() == "filler" and not node.name:
        return "page"
    parent = node
    for _ in range(60):
        if parent is None:
            break
        if parent.getRoleName() in WEB_ROLES:
            return "page"
        parent = parent.parent
    return node.getRoleName() + "\t" + node.name


def tree():
    for node in objects(main_window()):
        print(line(node))


def dialogs():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "ruvo-box":
            continue
        for window in app:
            if window is None or window.name == WINDOW_TITLE or not window.getState().contains(pyatspi.STATE_SHOWING):
                continue
            print(line(window))
            for node in objects(window):
                print(line(node))


def press(name):
    node = find(name)
    action = node.queryAction()
    action.doAction(0)
    print("pressed\t" + action.getName(0))


def set_value(name, value):
    find(name).queryValue().currentValue = float(value)
    print("set\t" + value)


def every_object(node):
    """The window's objects depth first, the web pages' own too."""
    for child in node:
        if child is not None:
            yield child
            yield from every_object(child)


def holder_name(node):
    """The name of the nearest named object around a page's own."""
    for _ in range(60):
        node = node.parent
        if node is None or node.name:
            break
    return node.name if node is not None else ""


def focus_moves(seconds):
    """Says where the focus goes, each time it goes somewhere, for a while."""
    def moved(event):
        if event.detail1 == 1 and event.source is not None:
            said = described(event.source)
            print(said + "\t" + holder_name(event.source) if said == "page" else said)
            sys.stdout.flush()

    pyatspi.Registry.registerEventListener(moved, "object:state-changed:focused")
    GLib.timeout_add(int(float(seconds) * 1000), pyatspi.Registry.stop)
    print("listening")
    sys.stdout.flush()
    pyatspi.Registry.start()


def focus_steps(key, count):
    """Presses the key and, once the focus has settled, says where it is."""
    main_window()
    last = {"focus": "none"}
    left = [int(count)]

    def moved(event):
        if event.detail1 == 1 and event.source is not None:
            last["focus"] = described(event.source)

    def step():
        if left[0] < int(count):
            print(last["focus"])
            sys.stdout.flush()
        if left[0] == 0:
            pyatspi.Registry.stop()
            return False
        left[0] -= 1
        subprocess.run(["xdotool", "key", key], check=True)
        return True

    pyatspi.Registry.registerEventListener(moved, "object:state-changed:focused")
    GLib.timeout_add(500, step)
    pyatspi.Registry.start()


def listen(seconds):
    def heard(event):
        source = event.source
        role = source.getRoleName() if source else ""
        name = source.name if source else ""
        print("\t".join((event.type, role, name, str(event.any_data))))
        sys.stdout.flush()

    for kind in ("object:property-change:accessible-name", "object:state-changed:focused",
                 "object:state-changed:checked", "object:state-changed:selected", "object:property-change:accessible-value"):
        pyatspi.Registry.registerEventListener(heard, kind)
    GLib.timeout_add(int(float(seconds) * 1000), pyatspi.Registry.stop)
    print("listening")
    sys.stdout.flush()
    pyatspi.Registry.start()


COMMANDS = {"tree": tree, "dialogs": dialogs, "press": press, "set-value": set_value, "focus": focus_steps, "listen": listen,
            "focus-moves": focus_moves}

if __name__ == "__main__":
    if len(sys.argv) < 2 or sys.argv[1] not in COMMANDS:
        sys.exit(__doc__)
    COMMANDS[sys.argv[1]](*sys.argv[2:])
