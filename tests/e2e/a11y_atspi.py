"""Reads the viewer's accessibility tree as a screen reader does and checks
that every control has a name and role, that the list's selected line and the
detail text can be read, and that the reader can follow a lookup."""
import os
import subprocess
import sys
import time

import pyatspi

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def wait_for(predicate, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.2)
    return None


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and "zarn" in (app.name or "").lower():
            return app
    return None


def walk(node, out):
    out.append(node)
    # A list's lines are its children: hundreds of them, one bus call each.
    if node.getRole() == pyatspi.ROLE_LIST:
        return out
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, out)
    return out


def by_name(nodes, name, role=None):
    return [n for n in nodes if n.name == name and (role is None or n.getRole() == role)]


# Bring the accessibility bus up first: the program looks for it when it starts.
pyatspi.Registry.getDesktop(0)
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", LANG="C.UTF-8")
app_dir = os.environ["APP_DIR"]
proc = subprocess.Popen([os.path.join(app_dir, "zarn-win32api")], env=env,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    app = wait_for(find_app)
    if app is None:
        print("FAIL: the viewer never appeared on the accessibility bus")
        sys.exit(1)
    nodes = wait_for(lambda: (lambda ns: ns if any(n.getRole() == pyatspi.ROLE_LIST for n in ns) else None)(
        walk(app, [])))
    if nodes is None:
        print("FAIL: the window's controls never appeared on the accessibility bus")
        sys.exit(1)

    expected = [
        ("键入要查找的关键字", pyatspi.ROLE_TEXT),
        ("函数列表", pyatspi.ROLE_LIST),
        ("声明", pyatspi.ROLE_TEXT),
        ("函数说明", pyatspi.ROLE_TEXT),
        ("函数名", pyatspi.ROLE_LABEL),
        ("库  名", pyatspi.ROLE_LABEL),
        ("Window95/98", pyatspi.ROLE_CHECK_BOX),
        ("WindowNT", pyatspi.ROLE_CHECK_BOX),
        ("复制", pyatspi.ROLE_PUSH_BUTTON),
        ("实 例", pyatspi.ROLE_PUSH_BUTTON),
        ("Public", pyatspi.ROLE_RADIO_BUTTON),
        ("Private", pyatspi.ROLE_RADIO_BUTTON),
        ("①区", pyatspi.ROLE_RADIO_BUTTON),
        ("浅黄色", pyatspi.ROLE_LABEL),
        ("信息", None),
        ("选项", None),
    ]
    for name, role in expected:
        check(by_name(nodes, name, role), "no %s named %r" % (pyatspi.Role(role) if role is not None else "control", name))

    # A lookup, driven from outside: type a prefix, read the selected line,
    # double-click it where the reader says it is, read the details.
    # No window manager gives the window the focus: the test does.
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Zarn_Win32API", "windowfocus", "--sync"],
                   check=True, timeout=30)
    subprocess.run(["xdotool", "type", "--delay", "30", "GetWindowTex"], check=True)
    listbox = by_name(nodes, "函数列表", pyatspi.ROLE_LIST)[0]

    def selected_line():
        # Qt offers the list as a one-column table: its selected row is the line.
        table = listbox.queryTable()
        rows = table.getSelectedRows()
        if not rows:
            return None
        return table.getAccessibleAt(rows[0], 0)

    line = wait_for(lambda: (lambda c: c if c is not None and c.name == "GetWindowText" else None)(selected_line()))
    check(line is not None, "the list's selected line does not read GetWindowText")
    if line is not None:
        x, y, w, h = line.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "--repeat", "2",
                        "--delay", "80", "1"], check=True)
        detail = by_name(walk(app, []), "函数说明", pyatspi.ROLE_TEXT)[0].queryText()
        text = wait_for(lambda: (lambda t: t if "GetWindowTextA" in t else None)(
            detail.getText(0, detail.characterCount)))
        check(text is not None and text.startswith("【VB声明】"), "the detail text cannot be read after the lookup")
finally:
    proc.terminate()
    proc.wait(timeout=10)

for f in failures:
    print("FAIL:", f)
print("%d passed, %d failed" % (1 if not failures else 0, 1 if failures else 0))
sys.exit(1 if failures else 0)
