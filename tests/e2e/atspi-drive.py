#!/usr/bin/python3
# Runs inside a private D-Bus session and Xvfb (run-atspi.sh): drives the real
# program through AT-SPI, as a screen reader or a switch device would, and
# studies one node by keyboard, checked from screenshots.
#   atspi-drive.py PROGRAM WORKDIR
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

PROGRAM, WORK = sys.argv[1], sys.argv[2]
JOURNAL = os.path.join(WORK, "Тест_кварнел.txt")
BUTTONS = ["TEST", "EXIT", "QUESTION?", "ВВОД", "Study mode"]


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


# --- events -----------------------------------------------------------------

# (type, source): no call back to the program from inside the listener, which
# would wait on the program while the program waits on the bus.
events = []
pyatspi.Registry.registerEventListener(
    lambda e: events.append((e.type, e.source)),
    "object:property-change:accessible-name", "object:state-changed:showing",
    "object:state-changed:focused", "object:property-change:accessible-value")


def announced(kind, source_name=None):
    """An event of the kind came, from an element that is now named `source_name`."""
    return any(e[0] == kind and (source_name is None or (e[1] is not None and e[1].name == source_name))
               for e in events)


def pump(seconds=0.0, until=None):
    """Delivers the bus's messages for up to `seconds`, or until `until()` holds."""
    context = GLib.MainContext.default()
    deadline = time.time() + seconds
    while True:
        while context.iteration(False):
            pass
        if until and until():
            return True
        if time.time() >= deadline:
            return bool(until and until())
        time.sleep(0.02)


# --- the program and its tree ------------------------------------------------

def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


class Program:
    def __init__(self):
        self.log = open(os.path.join(WORK, "program.log"), "a")
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([PROGRAM], cwd=WORK, env=env, stdout=self.log, stderr=self.log)
        self.app = None
        pump(15, until=self.find_app)
        check(self.app is not None, "the program did not appear in the accessibility tree")
        self.wid = self.window_id()
        geometry = dict(line.split("=") for line in subprocess.check_output(
            ["xdotool", "getwindowgeometry", "--shell", self.wid], text=True).split())
        self.origin = (int(geometry["X"]), int(geometry["Y"]))
        self.refresh()

    def find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == self.process.pid:
                self.app = app
                return True
        return False

    def window_id(self):
        for _ in range(100):
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "^kvarnel$"],
                                   capture_output=True, text=True).stdout.split()
            if found:
                return found[0]
            time.sleep(0.1)
        raise Failure("no window of class kvarnel")

    def refresh(self):
        """Reads every element of the window once: push buttons, labels, edit boxes, progress bar."""
        self.buttons, self.hotspots, self.labels, self.edits = {}, [], [], {}
        self.progress = None

        def visit(acc):
            role = acc.getRole()
            if role == pyatspi.ROLE_PUSH_BUTTON:
                if acc.name in BUTTONS:
                    self.buttons[acc.name] = acc
                else:
                    self.hotspots.append(acc)
            elif role in (pyatspi.ROLE_LABEL, pyatspi.ROLE_NOTIFICATION):
                self.labels.append(acc)
            elif role == pyatspi.ROLE_TEXT and acc.name:
                self.edits[acc.name] = acc
            elif role == pyatspi.ROLE_PROGRESS_BAR:
                self.progress = acc
            for i in range(acc.childCount):
                visit(acc.getChildAtIndex(i))
        visit(self.app)

    def press(self, acc):
        action = acc.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check(names == ["Press"], f"{acc.name!r} offers the actions {names}")
        check(action.getKeyBinding(0) == "", f"{acc.name!r} has a keyboard shortcut")
        action.doAction(0)

    def hotspot(self, name):
        return next(h for h in self.hotspots if h.name == name)

    def shown_label(self, test):
        return next((label for label in self.labels if showing(label) and test(label.name)), None)

    def key(self, *args):
        subprocess.check_call(["xdotool"] + list(args))

    def focus_window(self):
        self.key("windowfocus", "--sync", self.wid)
        pump(0.3)

    def screenshot(self):
        """The client area as rows of (r, g, b), at client coordinates."""
        x, y = self.origin
        raw = subprocess.check_output(["/usr/bin/import-im6.q16", "-window", "root", "-crop", f"1026x727+{x}+{y}", "+repage",
                                       "-depth", "8", "rgb:-"])
        check(len(raw) == 1026 * 727 * 3, "screenshot has the wrong size")
        return raw

    def end(self, timeout=10):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return None


def pixel(shot, x, y):
    i = (y * 1026 + x) * 3
    return tuple(shot[i:i + 3])


def client_centre(program, acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x - program.origin[0] + e.width // 2, e.y - program.origin[1] + e.height // 2


# --- case 1: a test taken through accessible actions ------------------------

def whole_test_through_actions():
    p = Program()
    try:
        window = p.app.getChildAtIndex(0)
        check(window.getRole() == pyatspi.ROLE_FRAME and window.name == "Кварнел",
              f"the window is a {window.getRoleName()} named {window.name!r}")
        check(set(p.buttons) == set(BUTTONS), f"push buttons found: {sorted(p.buttons)}")
        check(len(p.hotspots) == 50, f"{len(p.hotspots)} hotspots found, not 50")
        names = [h.name for h in p.hotspots]
        check(len(set(names)) == 39, f"{len(set(names))} distinct hotspot names, not 39")
        check(all(n and n == n.rstrip() for n in names), "a hotspot's name is empty or ends in a blank")
        check(all(showing(h) for h in p.hotspots), "a hotspot is not showing in study mode")
        study = p.hotspot("Control stage").description
        check(study.startswith("Press and hold") and "nozzle" in study,
              f"study-mode description of Control stage: {study!r}")
        check(showing(p.buttons["TEST"]) and not showing(p.buttons["QUESTION?"]), "study mode's buttons")

        p.focus_window()
        events.clear()
        p.press(p.buttons["TEST"])
        check(pump(10, until=lambda: showing(p.edits["Group"])), "TEST's press did not open the registration")
        check(announced("object:state-changed:showing", source_name="ВВОД"), "ВВОД's appearance was not announced")
        p.key("type", "--delay", "30", "41-TE")
        p.key("key", "Tab")
        p.key("type", "--delay", "30", "Petrov")
        typed = lambda: [p.edits[n].queryText().getText(0, -1) for n in ("Group", "Surname")]
        check(pump(5, until=lambda: typed() == ["41-TE", "Petrov"]), f"the edit boxes hold {typed()}")
        p.press(p.buttons["ВВОД"])
        check(pump(10, until=lambda: showing(p.buttons["QUESTION?"])), "ВВОД's press did not start the test")
        check(p.hotspot("Control stage").description.startswith("Press to answer"),
              "test-mode description of a hotspot")

        verdicts = []
        for attempt in ("right", "wrong"):
            events.clear()
            p.press(p.buttons["QUESTION?"])
            check(pump(10, until=lambda: p.shown_label(lambda n: n.rstrip().endswith("?"))),
                  "no question appeared")
            question = p.shown_label(lambda n: n.rstrip().endswith("?")).name
            node = question.rstrip().rstrip("?")
            # The answer timer's ticks move the progress bar, and each move is announced.
            check(pump(5, until=lambda: p.progress.queryValue().currentValue > 0), "the progress bar did not move")
            check(announced("object:property-change:accessible-value"),
                  "the progress bar's movement was not announced")
            if attempt == "right" and node in names:
                answer, expected = node, "CORRECT !"
            else:
                answer, expected = next(n for n in names if n != node), "MISTAKE !"
            events.clear()
            p.press(p.hotspot(answer))
            check(pump(10, until=lambda: p.shown_label(lambda n: n in ("CORRECT !", "MISTAKE !"))),
                  f"no verdict after answering {question!r} with {answer!r}")
            verdict = p.shown_label(lambda n: n in ("CORRECT !", "MISTAKE !")).name
            check(verdict == expected, f"{question!r} answered with {answer!r}: {verdict!r}")
            # A screen reader speaks a notification when it shows.
            verdict_label = p.shown_label(lambda n: n == verdict)
            check(verdict_label.getRole() == pyatspi.ROLE_NOTIFICATION and
                  announced("object:state-changed:showing", source_name=verdict) and
                  announced("object:property-change:accessible-name", source_name=verdict),
                  f"the verdict {verdict!r} was not announced as a notification")
            verdicts.append(verdict)
        print("ok: a test through accessible actions:", ", ".join(verdicts))

        p.press(p.buttons["EXIT"])
        code = p.end()
        check(code == 0, f"EXIT's press ended the program with code {code}")
        line = open(JOURNAL, "rb").read().decode("cp1251")
        check(line.endswith(" / 41-TE / Petrov / Тест прерван\r\n"), f"journal: {line!r}")
        print("ok: EXIT through its action wrote the abandoned test and ended the program")
    finally:
        p.end(0)


# --- case 2: one node studied by keyboard -----------------------------------

def study_by_keyboard():
    p = Program()
    try:
        p.focus_window()
        p.key("mousemove", "0", "0")  # the pointer off the window: no hover, no ring taken
        pump(0.3)
        target = p.hotspot("Control stage")   # the fourth hotspot of the group
        first = p.hotspot("High-pressure part")
        tx, ty = client_centre(p, target)
        fx, fy = client_centre(p, first)
        events.clear()
        for _ in range(4):
            p.key("key", "Tab")
        check(pump(5, until=lambda: target.getState().contains(pyatspi.STATE_FOCUSED)),
              "four Tabs did not bring the focus to Control stage")
        check(announced("object:state-changed:focused", source_name="Control stage"),
              "the focus moving to Control stage was not announced")
        pump(0.5)
        shot = p.screenshot()
        lime = sum(pixel(shot, x, y) == (0, 255, 0) for x in range(tx - 5, tx + 120) for y in range(ty + 18, ty + 45))
        check(lime > 200, f"no hint below the focused hotspot ({lime} lime pixels)")
        ring = [pixel(shot, tx, ty - 7 - 4), pixel(shot, tx - 7 - 4, ty), pixel(shot, tx + 7 + 4, ty)]
        check(all(max(c) < 90 for c in ring), f"no dark focus ring around the hotspot: {ring}")
        print(f"ok: Tab x4 focuses Control stage with its ring and hint ({lime} lime pixels)")

        p.key("keydown", "space")
        check(pump(5, until=lambda: not showing(first)), "Space did not hold Control stage")
        events.clear()
        pump(1.5)  # past the keyboard's repeat delay: its repeats must not let go
        check(not announced("object:state-changed:showing"), "the close-up flickered while Space was held")
        held = p.screenshot()
        check(not showing(first), "High-pressure part still showing while Space holds Control stage")
        check(pixel(held, fx, fy) != (0, 255, 0), "the overview's hotspots are drawn during the close-up")
        inside = pixel(held, 427, 328)  # inside Control stage's marker
        check(inside[0] < 40, f"the marker's inside is not tinted while Space is held: {inside}")
        p.key("keyup", "space")
        check(pump(5, until=lambda: showing(first)), "the overview did not come back at Space's release")
        pump(0.3)
        check(pixel(p.screenshot(), fx, fy) == (0, 255, 0), "no hotspot drawn after Space's release")
        print("ok: Space held shows the front close-up, its release the overview")

        # The same node held with the mouse looks exactly the same.
        p.key("mousemove", str(p.origin[0] + tx), str(p.origin[1] + ty))
        pump(0.2)
        p.key("mousedown", "1")
        pump(0.5)
        by_mouse = p.screenshot()
        p.key("mouseup", "1")
        differ = sum(held[i:i + 3] != by_mouse[i:i + 3] for i in range(0, len(held), 3))
        check(differ == 0, f"the close-up by Space and by the mouse differ in {differ} pixels")
        print("ok: the close-up held by Space is the one held by the mouse, pixel for pixel")
        p.key("mousemove", "0", "0")
        p.press(p.buttons["EXIT"])
        check(p.end() == 0, "EXIT's press did not end the program")
    finally:
        p.end(0)


try:
    whole_test_through_actions()
    study_by_keyboard()
except Failure as failure:
    print("FAIL:", failure)
    log = os.path.join(WORK, "program.log")
    if os.path.exists(log):
        sys.stdout.write("".join("program: " + line for line in open(log)))
    sys.exit(1)
