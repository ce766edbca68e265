"""Reads the dialogs of quorlan-host and Brenhold over the AT-SPI bus as a
screen reader does, and prints what it would get wrong: a control that takes
the focus without a name, radio buttons that are not announced as such, a
combo box named by its row, address fields without names, dots spoken as
text. Works in any language: it compares what it finds with itself, never
with English texts. Exits 1 when it found a fault, 2 when it found no dialog.

    screen_reader_tree.py quorlan-host|Brenhold PID
"""
import sys
import time

import pyatspi

faults = []


def fault(where, what):
    faults.append(f"{where}: {what}")


def wait_for(what, find, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    print(f"no {what} within {seconds} seconds", file=sys.stderr)
    sys.exit(2)


def application(name, pid):
    """The program's application, by its process: one that ended a moment ago
    may still be listed under the same name."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name and app.get_process_id() == pid:
            return app
    return None


def children(accessible):
    return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]


def dialogs(app):
    return [window for window in children(app)
            if window is not None and window.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)]


def showing(accessible):
    """What a user can see, the accessible itself first."""
    state = accessible.getState()
    if not state.contains(pyatspi.STATE_SHOWING):
        return []
    found = [accessible]
    for child in children(accessible):
        if child is not None:
            found += showing(child)
    return found


def press(accessible):
    action = accessible.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click"):
            action.doAction(i)
            return
    fault(accessible.name, "cannot be pressed")


def check(where, window):
    """The faults of what a window shows, in the words of a bug report."""
    seen = showing(window)
    labels = {item.name for item in seen if item.getRole() == pyatspi.ROLE_LABEL}
    for item in seen:
        role = item.getRole()
        name = item.name.strip()
        focusable = item.getState().contains(pyatspi.STATE_FOCUSABLE)
        if focusable and not name:
            fault(where, f"a {item.getRoleName()} without a name")
        if role == pyatspi.ROLE_LABEL and name == ".":
            fault(where, "a dot of an address spoken as text")
        if role == pyatspi.ROLE_COMBO_BOX:
            if name not in labels:
                fault(where, f"combo box named '{name}', not by a label")
        if role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_PASSWORD_TEXT) and name.endswith("/4"):
            label = name.rsplit(" ", 1)[0]
            if label not in labels:
                fault(where, f"address field '{name}' not named after a label")
    return seen


def buttons(seen):
    return [item for item in seen if item.getRole() == pyatspi.ROLE_PUSH_BUTTON]


def main_dialog(app):
    dialog = wait_for("main dialog", lambda: next(iter(dialogs(app)), None))
    tabs = wait_for("tabs", lambda: next(
        (item for item in showing(dialog) if item.getRole() == pyatspi.ROLE_PAGE_TAB_LIST), None))
    pages = [tab for tab in children(tabs) if tab.getRole() == pyatspi.ROLE_PAGE_TAB]
    if len(pages) != 3:
        fault("main dialog", f"{len(pages)} tabs")
    always = None
    def shown_names():
        return sorted(item.name for item in showing(dialog))

    for number, page in enumerate(pages):
        before = shown_names()
        press(page)
        # Another page shows other controls; the first is shown already.
        wait_for(f"page '{page.name}'",
                 lambda: True if number == 0 or shown_names() != before else None)
        time.sleep(0.3)
        seen = check(f"main dialog, page '{page.name}'", dialog)
        if number == 0:
            radios = [item for item in seen if item.getRole() == pyatspi.ROLE_RADIO_BUTTON]
            if len(radios) != 2:
                fault("network folder page", f"{len(radios)} radio buttons, not 2")
            always = {item.name for item in buttons(seen)}
        if number == 1:
            # The page's own buttons, in the template's order: Priority Up and
            # Down, Add, Delete, Property. Add opens the property dialog.
            own = [item for item in buttons(seen) if item.name not in always]
            if len(own) != 5:
                fault("wireless page", f"{len(own)} buttons of its own, not 5")
            press(own[2])
            prop = wait_for("property dialog", lambda: next(
                (d for d in dialogs(app) if d.name != dialog.name), None))
            time.sleep(0.5)
            seen = check("property dialog", prop)
            radios = [item for item in seen if item.getRole() == pyatspi.ROLE_RADIO_BUTTON]
            if len(radios) != 2:
                fault("property dialog", f"{len(radios)} radio buttons, not 2")
            combos = [item for item in seen if item.getRole() == pyatspi.ROLE_COMBO_BOX]
            if len(combos) != 1:
                fault("property dialog", f"{len(combos)} combo boxes, not 1")
            fields = [item for item in seen if item.name.endswith("/4")]
            if len(fields) != 20:
                fault("property dialog", f"{len(fields)} named address fields, not 20")
            press(buttons(seen)[-1])  # Cancel
            wait_for("property dialog to close",
                     lambda: None if any(d.name == prop.name for d in dialogs(app)) else True)
    # Create Setting file, the second of the three buttons under every page,
    # asks where to: the target choice.
    press([item for item in buttons(showing(dialog)) if item.name in always][1])
    choice = wait_for("target choice", lambda: next(
        (d for d in dialogs(app) if d.name != dialog.name), None))
    time.sleep(0.5)
    seen = check("target choice", choice)
    press(buttons(seen)[-1])


def brenhold(app):
    dialog = wait_for("Brenhold's dialog", lambda: next(iter(dialogs(app)), None))
    time.sleep(0.5)
    seen = check("Brenhold", dialog)
    combos = [item for item in seen if item.getRole() == pyatspi.ROLE_COMBO_BOX]
    if len(combos) != 1:
        fault("Brenhold", f"{len(combos)} combo boxes, not 1")


program = sys.argv[1]
pid = int(sys.argv[2])
app = wait_for(program, lambda: application(program, pid))
if program == "quorlan-host":
    check("host window", next(window for window in children(app)
                              if window.getRole() not in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)))
    main_dialog(app)
else:
    brenhold(app)
for line in faults:
    print("FAULT:", line)
print(f"{program}: {len(faults)} faults")
sys.exit(1 if faults else 0)
