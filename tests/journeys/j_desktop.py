"""Journeys about the viewer as a desktop program: the CPU a resting pointer costs, the main
window on a screen of device pixel ratio 2 and its least size, compact mode and the button set,
and the frames of the panel's tool windows."""

import re
import time
from collections import namedtuple

from desktop import SCREEN, check, find_picture
from registry import journey, journeys

COMPACT, RESTORE, MULTIMEDIA, LINKED, VOLUME, CLOSE = 13, 1, 9, 3, 8, 14
STRIP_HEIGHT = 32
PANEL_GREY = (212, 208, 200)


# --- item 10: hovering costs no more than idling ----------------------------------------------

@journey("item10-hover-cpu", 10)
def hover_cpu(trip):
    """The pointer resting on a button (its tooltip shown) costs about what it costs resting
    off the window, measured over a few seconds each."""
    v = trip.viewer()
    strip = trip.strip(v)
    d = trip.desktop
    button = strip.button(CLOSE)

    def share(seconds):
        start = v.cpu_seconds()
        time.sleep(seconds)  # the span measured over, not a wait for a condition
        return (v.cpu_seconds() - start) / seconds * 100

    idle = share(4)
    before = v.others()
    d.move(*button.centre)
    v.wait_window("the tooltip", lambda w: True, before=before)
    hovering = share(4)
    (trip.folder / "cpu.txt").write_text("idle %.2f %%, hovering %.2f %%\n" % (idle, hovering))
    # Four seconds are 400 clock ticks: 0.6 % is a little over two ticks of noise.
    check(hovering <= idle + 0.6, "hovering costs %.2f %% of a core, idling "
          "%.2f %%" % (hovering, idle))


# --- item 11: the screen at a device pixel ratio of 2, the least size -------------------------

@journey("item11-fits-screen-dpr2", 11)
def fits_screen(trip):
    v = trip.viewer(env={"QT_SCALE_FACTOR": 2})
    m = v.main_window()
    left, top, right, bottom = m.outer
    check(left >= 0 and top >= 0 and right <= SCREEN[0] and bottom <= SCREEN[1],
          "the main window spans %d,%d to %d,%d on a %dx%d screen" % (
              left, top, right, bottom, SCREEN[0], SCREEN[1]))
    strip = trip.strip(v, scale=2)
    found = strip.buttons()
    check(len(found) >= 14, "the strip at ratio 2 shows %d buttons" % len(found))


@journey("item11-least-size", 11)
def least_size(trip):
    """Made as small as the window manager allows, the main window keeps the strip whole."""
    v = trip.viewer()
    strip = trip.strip(v)
    whole = strip.buttons()
    last = max(whole.values(), key=lambda b: b.x)
    m = v.main_window()
    least = re.search(r"minimum size: (\d+) by (\d+)", m.props.get("WM_NORMAL_HINTS", ""))
    width = max(200, int(least.group(1))) if least else 200
    trip.desktop.resize(m, 200, 150)
    small = trip.desktop.wait("the main window %d px wide" % width, lambda: (
        lambda w: w if w and w.width == width else None)(v.main_window()))
    check(small.x + small.width >= last.x + last.size,
          "the window shrank to %dx%d and cuts the strip at button %d" % (
              small.width, small.height, last.number))


# --- item 12: compact mode and button 1 -------------------------------------------------------

# The top left of the display area, where the article's title stands at start (main window
# pixels below the panel's band).
ARTICLE_CORNER = (4, 44, 124, 84)


@journey("item12-compact", 12)
def compact(trip):
    """Compact mode shows button 1 alone, without the full-width bar, and the display area
    stays whole beside the compact panel: what it showed at its top left still shows."""
    v = trip.viewer()
    strip = trip.strip(v)
    m = v.main_window()
    left, top, right, bottom = ARTICLE_CORNER
    corner = trip.desktop.grab((m.x + left, m.y + top, m.x + right, m.y + bottom))
    mark = v.mark()
    strip.click(COMPACT)
    v.wait_event(r"PulsantePremuto\(13, 0\)", mark)
    found = trip.desktop.wait("button 1 alone on the strip", lambda: (
        lambda b: b if list(b) == [RESTORE] else None)(strip.buttons()))
    one = found[RESTORE]
    m = v.main_window()
    screen = trip.desktop.grab()
    y = one.y + one.size // 2
    bar = [x for x in range(one.x + one.size + 40, m.x + m.width - 2)
           if screen.getpixel((x, y))[:3] == PANEL_GREY]
    check(len(bar) < 20, "the strip's grey bar stays across %d px beside button 1" % len(bar))
    check(find_picture(screen.crop(m.rect), corner) is not None,
          "the compact panel covers the top left of the display area")


@journey("item12-restore", 12)
def restore(trip):
    """Button 1 is hidden while the panel is full; after compact and restore every button is
    back where it was."""
    v = trip.viewer()
    strip = trip.strip(v)
    start = strip.buttons()
    check(RESTORE not in start, "button 1 (restore the full panel) shows on the full panel")
    strip.click(COMPACT)
    trip.desktop.wait("button 1 alone", lambda: list(strip.buttons()) == [RESTORE])
    strip.click(RESTORE)
    after = trip.desktop.wait("the full strip again", lambda: (
        lambda b: b if len(b) >= len(start) else None)(strip.buttons()))
    moved = {n: (start[n].x, after[n].x) for n in start if n in after and
             start[n].x != after[n].x}
    check(not moved and set(after) == set(start), "after compact and restore the buttons "
          "moved (button: before, after): %s; shown before %s, after %s" % (
              moved, sorted(start), sorted(after)))


# --- item 13: the tool windows' frames --------------------------------------------------------

Tool = namedtuple("Tool", "name button show")
TOOLS = [Tool("multimedia-list", MULTIMEDIA, None), Tool("linked-list", LINKED, None),
         Tool("volume", VOLUME, "DI")]


def tool_window(trip, case):
    v = trip.viewer(show=case.show)
    strip = trip.strip(v)
    button = strip.button(case.button)
    before = v.windows()
    strip.click(case.button)
    w = v.wait_window("the window of button %d" % case.button, lambda w: True, before=before)
    m = v.main_window()
    problems = []
    if w.frame[2] > 2:
        problems.append("the window manager gives it a %d px title bar" % w.frame[2])
    if w.title in ("quindel-viewer", "Volume", ""):
        problems.append("it is titled %r" % w.title)
    if w.transient_for != m.wid:
        problems.append("the main window does not own it")
    strip_bottom = m.y + STRIP_HEIGHT
    if w.outer[1] < strip_bottom and w.outer[0] < m.x + m.width:
        problems.append("it covers the strip's lower %d px" % (strip_bottom - w.outer[1]))
    # The panel's rule: 60 twips right of its button, just under the strip; the frame's
    # border may stand either side of that line.
    if abs(w.outer[0] - (button.x + 4)) > 5 or abs(w.outer[1] - strip_bottom) > 2:
        problems.append("it stands at %d,%d, not under its button at %d,%d" % (
            w.outer[0], w.outer[1], button.x + 4, strip_bottom))
    check(not problems, "; ".join(problems))


journeys("item13-frame", 13, TOOLS, tool_window)


@journey("close-main-window")
def close_main_window(trip):
    """The close box on the main window's frame ends the viewer, which tidies up after itself."""
    v = trip.viewer()
    m = v.main_window()
    work = v.work_folder()
    left, right, top, _ = m.frame
    check(top > 0, "the main window has no frame to close it from")
    trip.desktop.click(m.x + m.width + right - 10, m.y - top // 2)
    status = v.wait_exit()
    check(status == 0, "the viewer ended with status %d" % status)
    check(not work.exists(), "the work folder %s stays behind" % work)
