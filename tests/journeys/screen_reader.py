#!/usr/bin/python3
"""The viewer as a screen reader finds it: the real viewer on the journeys' desktop (Xvfb under
openbox), reached through the desktop's accessibility bus (AT-SPI, read with pyatspi) on a
session bus of its own, and checked against what a person sees and the content it shows.

  dbus-run-session -- /usr/bin/python3 tests/journeys/screen_reader.py \
      --viewer build/bin/quindel-viewer [--keep] [--out DIR]

One line per group of checks: its name, passed or failed, seconds. The groups:
  buttons   every button on the strip: a push button named by its tip, where it is drawn,
            enabled as drawn, a toggle checked while drawn down
  slider    the progress slider's value and range
  article   the article's text, the same the primary selection gets from Ctrl+A in it
  list      the multimedia list opened through the button's accessible action: its rows, the
            selection, the button now checked
  keyboard  Tab into the strip, the arrows along it (the focus follows), Space pressing the
            focused button as a click does
  focus back  Enter on the linked entries' button opens its list with the keyboard in it;
            Escape closes it and the keyboard is back on that button; with the list open again,
            the main window activated by the window manager takes the keyboard back to the strip
Exits 0 when every group passed, 1 when one failed, 2 when the desktop tools, pyatspi or the
session bus are missing.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

sys.dont_write_bytecode = True  # the source tree stays as checked out
HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

from content import FIELDS, RECORD  # noqa: E402
from desktop import Desktop, JourneyFailed, check, tools_missing  # noqa: E402
from panel import Strip  # noqa: E402
from viewer import SAMPLE, Viewer  # noqa: E402

REPO = HERE.parents[1]
CATALOGUE = REPO / "resources" / "catalogue.txt"
# The message that names each button; 17 has a fixed name.
BUTTON_MESSAGES = {1: 679, 2: 680, 3: 681, 4: 682, 5: 683, 6: 684, 7: 685, 8: 686, 9: 687,
                   10: 688, 11: 689, 12: 690, 13: 691, 14: 692, 15: 695, 16: 697}
BUTTON_17 = "Pulsante 16"
TOGGLES = {2, 3, 8, 9, 15}  # the buttons that stay down
MULTIMEDIA_LIST = 9
LINKED_ENTRIES = 3
ROWS_SHOWN = 14


def messages():
    """The catalogue's texts by code, as its source holds them."""
    texts = {}
    for line in CATALOGUE.read_text(encoding="utf-8").splitlines():
        parts = line.split("\t")
        if len(parts) == 3 and parts[0].isdigit():
            texts[int(parts[0])] = parts[2]
    return texts


def descriptions(list_file, count):
    """The descriptions of a list file's first records, as the list window shows them."""
    data = list_file.read_bytes()
    offset, width = FIELDS["description"]
    return [data[i * RECORD + offset:i * RECORD + offset + width].decode("cp1250").rstrip()
            for i in range(min(count, len(data) // RECORD))]


def words(text):
    return " ".join(text.split())


class Access:
    """The viewer's accessible tree, read through AT-SPI."""

    def __init__(self, desktop, viewer):
        import pyatspi
        self.pyatspi = pyatspi
        self.desktop = desktop
        self.app = desktop.wait("the viewer on the accessibility bus",
                                lambda: self._app(viewer.pid), timeout=15)

    def _app(self, pid):
        for app in self.pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid:
                return app
        return None

    def fresh(self):
        """Forgets what was read, so the next reads ask the viewer again."""
        self.app.clear_cache()

    def all(self, role, root=None):
        found = []

        def walk(acc):
            if acc.getRoleName() == role:
                found.append(acc)
            for i in range(acc.childCount):
                child = acc.getChildAtIndex(i)
                if child is not None:
                    walk(child)

        walk(root or self.app)
        return found

    def states(self, acc):
        return {self.pyatspi.stateToString(s) for s in acc.getState().getStates()}

    def showing(self, role):
        return [a for a in self.all(role) if "showing" in self.states(a)]

    def extents(self, acc):
        e = acc.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return (e.x, e.y, e.width, e.height)

    def children(self, acc):
        return [acc.getChildAtIndex(i) for i in range(acc.childCount)]

    def act(self, acc):
        action = acc.queryAction()
        check(action.nActions > 0, "%r offers no action" % acc.name)
        action.doAction(0)

    def strip(self):
        bars = self.showing("tool bar")
        check(len(bars) == 1, "%d tool bars are showing" % len(bars))
        return bars[0]


# --- the groups of checks ---------------------------------------------------------------------

def check_buttons(run):
    """Each button drawn is a child of the tool bar at the same place, named and enabled as a
    person sees it; hidden buttons are no children."""
    names = messages()
    drawn = run.strip.buttons()
    run.access.fresh()
    children = [c for c in run.access.children(run.access.strip())
                if c.getRoleName() == "push button"]
    check(len(children) == len(drawn), "the tool bar has %d buttons, the strip shows %d (%s)" % (
        len(children), len(drawn), sorted(drawn)))
    for child, number in zip(children, sorted(drawn, key=lambda n: drawn[n].x)):
        button = drawn[number]
        expected = names.get(BUTTON_MESSAGES.get(number), BUTTON_17)
        states = run.access.states(child)
        x, y, w, h = run.access.extents(child)
        what = "button %d (%r)" % (number, child.name)
        check(child.name == expected, "%s should be named %r" % (what, expected))
        check((x, y, w, h) == (button.x, button.y, button.size, button.size),
              "%s is at %s, drawn at %s" % (what, (x, y, w, h), (button.x, button.y)))
        check(("enabled" in states) == (button.look != "disabled"),
              "%s drawn %s has the states %s" % (what, button.look, sorted(states)))
        check(("checked" in states) == (number in TOGGLES and button.look == "down"),
              "%s drawn %s has the states %s" % (what, button.look, sorted(states)))
        check("focusable" in states, "%s cannot take the focus" % what)


def check_slider(run):
    sliders = run.access.showing("slider")
    check(len(sliders) == 1, "%d sliders are showing" % len(sliders))
    value = sliders[0].queryValue()
    got = (value.currentValue, value.minimumValue, value.maximumValue)
    check(got == (0.0, 0.0, 10.0), "the progress slider stands at %s of %s..%s" % got)
    check(sliders[0].getRoleName() == "slider", "the slider is a %s" % sliders[0].getRoleName())


def check_article(run):
    """The article is a document whose text is the article's; Ctrl+A in it offers that same text
    as the primary selection, where another program reads it."""
    documents = run.access.showing("document frame")
    check(len(documents) == 1, "%d documents are showing" % len(documents))
    read = documents[0].queryText().getText(0, -1)
    title = run.viewer.main_window().title
    check(read.strip() and title.startswith(read.strip().split("\n")[0].strip()),
          "the article begins %r, the window is titled %r" % (read[:30], title))
    x, y, width, height = run.access.extents(documents[0])
    run.desktop.click(x + width // 2, y + height // 2)
    run.desktop.key("ctrl+a")

    def selected():
        text = run.desktop.run(["xclip", "-o", "-selection", "primary"])
        return text if words(text) == words(read) else None

    run.desktop.wait("the article's text as the primary selection (it reads %r...)" % (
        words(read)[:60]), selected)


def check_list(run):
    run.access.fresh()
    button = _button(run, MULTIMEDIA_LIST)
    before = run.viewer.others()
    run.access.act(button)
    run.viewer.wait_window("the multimedia list", lambda w: True, before=before)
    run.strip.wait_look(MULTIMEDIA_LIST, "down")
    expected = descriptions(SAMPLE / "ListaMM.lst", ROWS_SHOWN)

    def rows():
        run.access.fresh()
        lists = run.access.showing("list")
        return lists[0] if len(lists) == 1 else None

    shown = run.desktop.wait("one list showing", rows)
    items = [c for c in run.access.children(shown) if c.getRoleName() == "list item"]
    check([i.name for i in items] == expected, "the list's rows are %s, the list file's %s" % (
        [i.name for i in items][:3], expected[:3]))
    selected = [i.name for i in items if "selected" in run.access.states(i)]
    check(len(selected) == 1, "the list has %d rows selected" % len(selected))
    check("checked" in run.access.states(_button(run, MULTIMEDIA_LIST)),
          "the open list's button is not checked")


def check_keyboard(run):
    run.desktop.activate(run.viewer.main_window())
    run.desktop.key("Escape")  # the list window, if open, closes as its button would
    mark = run.viewer.mark()

    def focused():
        return _focused(run)

    # The window gives the keyboard back to the control that last had it (the article, after
    # its group): Tab walks on from there to the strip, as a person tabs until it is reached.
    first = None
    for _ in range(4):
        run.desktop.key("Tab", window=str(run.viewer.main_window().wid))
        first = run.desktop.appears(focused, 1.5)
        if first:
            break
    check(first, "Tab never brought the keyboard to a button of the strip")
    check("enabled" in run.access.states(first), "the focus came to a disabled button")
    run.desktop.key("Right")
    second = _wait_focus(run, "the focus to move right", lambda f: f.name != first.name)
    check(run.access.extents(second)[0] > run.access.extents(first)[0],
          "Right moved the focus from %r to %r, leftwards" % (first.name, second.name))
    numbers = {v: k for k, v in messages().items()}
    number = next((b for b, m in BUTTON_MESSAGES.items() if numbers.get(second.name) == m), 0)
    check(number, "no button is named %r" % second.name)
    run.desktop.key("space")
    run.viewer.wait_event(r"PulsantePremuto\(%d, " % number, since=mark)


def check_focus_back(run):
    """Enter on the linked entries' button opens its list with the keyboard on the rows; Escape
    closes it and the keyboard is back on that button, not lost."""
    run.desktop.key("Escape")  # what the keyboard group's Space opened closes, from within
    linked = messages()[BUTTON_MESSAGES[LINKED_ENTRIES]]
    if _focused(run) is None:
        run.desktop.key("Tab", window=str(run.viewer.main_window().wid))
        run.desktop.wait("a button of the strip to take the focus", lambda: _focused(run))
    run.desktop.key("Home")
    for _ in range(len(BUTTON_MESSAGES)):
        if _focused(run) and _focused(run).name == linked:
            break
        run.desktop.key("Right")
    _wait_focus(run, "the focus on %r" % linked, lambda f: f.name == linked)
    _open_list(run, "the linked entries' list")
    run.desktop.key("Escape")
    _wait_focus(run, "the keyboard back on %r after Escape" % linked, lambda f: f.name == linked)
    # The list again, then the main window activated by the window manager (Alt+Tab, a click on
    # its frame): the next key moves along the strip, where the keyboard was, not in the list.
    _open_list(run, "the linked entries' list again")
    main = run.viewer.main_window()
    run.desktop.activate(main)
    run.desktop.wait("the main window active", lambda: run.desktop.active_window() == main.wid)
    run.desktop.key("Right")
    _wait_focus(run, "the keyboard on the strip again, one button on from %r" % linked,
                lambda f: f.name != linked)
    run.desktop.key("Escape")  # the list closes, from the strip


def _open_list(run, what):
    """Enter on the focused button opens a list window, which takes the keyboard."""
    before = run.viewer.others()
    run.desktop.key("Return")
    run.viewer.wait_window(what, lambda w: True, before=before)
    run.desktop.wait("the keyboard on the list's rows", lambda: _focused(run) is None)


def _wait_focus(run, what, accept):
    """Until a button of the strip has the keyboard and `accept`s it; gives it."""
    return run.desktop.wait(what, lambda: (lambda f: f if f and accept(f) else None)(
        _focused(run)))


def _focused(run):
    run.access.fresh()
    hits = [c for c in run.access.children(run.access.strip())
            if "focused" in run.access.states(c)]
    return hits[0] if len(hits) == 1 else None


def _button(run, number):
    name = messages()[BUTTON_MESSAGES[number]]
    for child in run.access.children(run.access.strip()):
        if child.name == name:
            return child
    raise JourneyFailed("no button named %r on the tool bar" % name)


GROUPS = [("buttons", check_buttons), ("slider", check_slider), ("article", check_article),
          ("list", check_list), ("keyboard", check_keyboard), ("focus back", check_focus_back)]


class Run:
    def __init__(self, desktop, viewer):
        self.desktop = desktop
        self.viewer = viewer
        self.strip = Strip(viewer)
        self.access = Access(desktop, viewer)


def parse():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--viewer", required=True, help="the quindel-viewer program")
    p.add_argument("--keep", action="store_true", help="keep the output when everything passed")
    p.add_argument("--out", help="folder for the output (default: a new one in /tmp)")
    return p.parse_args()


def missing():
    """What is missing to run at all, or an empty list."""
    gone = tools_missing()
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        gone.append("a session bus (run under dbus-run-session)")
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        gone.append("pyatspi (python3-pyatspi)")
    return gone


def start_accessibility_bus():
    """The desktop's accessibility bus, started before the viewer so the viewer finds it."""
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                    "/org/a11y/bus", "org.a11y.Bus.GetAddress"], check=True,
                   capture_output=True, timeout=10)


def main():
    args = parse()
    gone = missing()
    if gone:
        print("missing: %s" % ", ".join(gone))
        return 2
    out = Path(args.out) if args.out else Path(tempfile.mkdtemp(prefix="quindel-reader-"))
    out.mkdir(parents=True, exist_ok=True)
    start_accessibility_bus()
    desktop = Desktop().start()
    desktop.shots = out
    desktop.move(*desktop.REST)
    viewer = Viewer(desktop, args.viewer, out / "viewer",
                    env={"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": 1})
    failed = []
    total = time.monotonic()
    try:
        viewer.start()
        run = Run(desktop, viewer)
        desktop.wait("the button strip", lambda: len(run.strip.buttons()) >= 10)
        for name, group in GROUPS:
            started = time.monotonic()
            try:
                group(run)
                failure = None
            except JourneyFailed as e:
                failure = str(e)
            except Exception:  # a broken check or tool: its trace, and the others go on
                failure = traceback.format_exc().strip().splitlines()[-1]
                (out / ("%s-trace.txt" % name)).write_text(traceback.format_exc())
            print("%-12s %s %6.1f s" % (name, "failed" if failure else "passed",
                                        time.monotonic() - started), flush=True)
            if failure:
                failed.append(name)
                desktop.save_shot(name)
                print("    %s" % failure, flush=True)
    finally:
        viewer.stop()
        desktop.stop()
    print("%d groups, %d failed, %.1f s%s" % (len(GROUPS), len(failed),
                                             time.monotonic() - total,
                                             " (output in %s)" % out if failed else ""))
    if not failed and not args.keep and not args.out:
        shutil.rmtree(out, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
