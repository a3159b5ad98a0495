"""Journeys through the list windows and the volume window: opening and closing them (with
their buttons, from the window manager, with Alt+F4), what a page of a list shows, scrolling,
dragging the paging thumb and the volume knob."""

from collections import namedtuple

from content import long_linked_list
from desktop import check
from panel import (bar_width, inner, knob_x, list_area, own_close_box, scroll_thumb,
                   selection_band, text_reaches)
from registry import journey, journeys

MULTIMEDIA, LINKED, VOLUME = 9, 3, 8
NEXT = 11
PAGE = 14
UP_LOOKS = ("up", "lit-up")
DOWN_LOOKS = ("down", "lit-down")


def open_window(trip, v, strip, button, what):
    before = v.windows()
    strip.click(button)
    w = v.wait_window(what, lambda w: True, before=before)
    strip.wait_look(button, DOWN_LOOKS)
    return w


def list_rows(picture, band):
    """Rows of pixels in the middle of each list row below the first (the selected one)."""
    top, bottom = band
    height = bottom - top
    rows = []
    y = bottom + height // 2
    while y < picture.size[1] - 2:
        rows.append(y)
        y += height
    return rows


# --- opening each list ------------------------------------------------------------------------

Lista = namedtuple("Lista", "name button")
LISTS = [Lista("multimedia", MULTIMEDIA), Lista("linked", LINKED)]


def open_and_close(trip, case):
    """The button opens its list window beside it and closes it again; the host hears both."""
    v = trip.viewer()
    strip = trip.strip(v)
    mark = v.mark()
    w = open_window(trip, v, strip, case.button, "the %s list window" % case.name)
    v.wait_event(r"PulsantePremuto\(%d, -1\)" % case.button, mark)
    shot = trip.desktop.grab(inner(w).rect)
    check(shot.getextrema()[0][0] < 100, "the %s list window shows no text" % case.name)
    strip.click(case.button)
    v.wait_gone("the %s list window to close" % case.name, w)
    strip.wait_look(case.button, UP_LOOKS)
    v.wait_event(r"PulsantePremuto\(%d, 0\)" % case.button, mark)


journeys("open-list", 0, LISTS, open_and_close)


# --- item 1: a window closed from outside comes back -----------------------------------------

Close = namedtuple("Close", "name button show how")
CLOSES = [Close("multimedia-window-manager", MULTIMEDIA, None, "wm"),
          Close("linked-alt-f4", LINKED, None, "alt-f4"),
          Close("volume-close-box", VOLUME, "DI", "box")]


def close_from_outside(trip, w, how):
    d = trip.desktop
    if how == "wm":
        d.close_by_window_manager(w)
    elif how == "alt-f4":
        d.activate(w)
        d.wait("the window to take the focus", lambda: d.active_window() == w.wid)
        d.key("alt+F4")
    else:
        left, right, top, _ = w.frame
        if top:  # the window manager's frame: its close box ends the title bar
            d.click(w.x + w.width + right - 10, w.y - top // 2)
        else:  # a caption of the window's own
            d.click(*own_close_box(w))


def closed_window_comes_back(trip, case):
    v = trip.viewer(show=case.show)
    strip = trip.strip(v)
    w = open_window(trip, v, strip, case.button, "window %d" % case.button)
    mark = v.mark()
    close_from_outside(trip, w, case.how)
    v.wait_gone("the window to close", w)
    strip.wait_look(case.button, UP_LOOKS)
    v.wait_event(r"PulsantePremuto\(%d, 0\)" % case.button, mark)
    again = open_window(trip, v, strip, case.button, "the window again, after one press")
    if case.button != MULTIMEDIA:
        return
    # Next still steps through the list: the selection moves down one row.
    again = inner(again)
    before = selection_band(trip.desktop.grab(again.rect), 5)
    mark = v.mark()
    strip.click(NEXT)
    v.wait_event(r"PulsantePremuto\(%d, 0\)" % NEXT, mark)
    trip.desktop.wait("the selection to move to the next row", lambda: (
        selection_band(trip.desktop.grab(again.rect), 5) or (0, 0))[0] > before[0])


journeys("item1-close", 1, CLOSES, closed_window_comes_back)


# --- item 2: a full page, one scroll bar, a stable size ---------------------------------------

def page_shown_whole(trip, v, w, what, bars):
    picture = trip.desktop.grab(inner(w).rect)
    band = selection_band(picture, 5)
    check(band is not None, "%s: no row is selected" % what)
    row = band[1] - band[0]
    top, bottom = list_area(picture)
    check(bottom - top >= PAGE * row, "%s shows %d rows of %d px, not a page of %d" % (
        what, (bottom - top) // row, row, PAGE))
    rows = [y for y in list_rows(picture, band) if y < bottom]
    width = bar_width(picture, rows)
    # A bar is about 17 px wide; a frame the window draws itself may add a few.
    check(width <= 6 + 18 * bars, "%s: %d px of scroll bars at the right, more than %d "
          "bar%s" % (what, width, bars, "" if bars == 1 else "s"))
    check(not text_reaches(picture, picture.size[0] - width, rows),
          "%s: descriptions run into the right edge" % what)
    return picture


@journey("item2-multimedia-page", 2)
def multimedia_page(trip):
    """The first page and the last page of the multimedia list: 14 rows each, one bar, the
    same window."""
    v = trip.viewer()
    strip = trip.strip(v)
    w = open_window(trip, v, strip, MULTIMEDIA, "the multimedia list")
    page_shown_whole(trip, v, w, "the first page", 1)
    mark = v.mark()
    trip.desktop.key("End")
    v.wait_event(r"GetChunk\(1, \S+, 1[23]\d\)", mark)
    last = v.wait_window("the list window after paging", lambda x: x.wid == w.wid)
    check((last.width, last.height) == (w.width, w.height),
          "the window is %dx%d for the first page, %dx%d for the last" % (
              w.width, w.height, last.width, last.height))
    page_shown_whole(trip, v, last, "the last page", 1)


@journey("item2-linked-page", 2)
def linked_page(trip):
    """The 14 linked entries, loaded whole, show whole without any scroll bar."""
    v = trip.viewer()
    strip = trip.strip(v)
    w = inner(open_window(trip, v, strip, LINKED, "the linked list"))
    if selection_band(trip.desktop.grab(w.rect), 5) is None:  # nothing chosen: the first row
        trip.desktop.click(w.x + 20, w.y + 4)
        trip.desktop.wait("a selected row", lambda: selection_band(
            trip.desktop.grab(w.rect), 2))
    page_shown_whole(trip, v, w, "the linked list", 0)


# --- item 3: a click on the list box's own strip scrolls -------------------------------------

@journey("item3-strip-click", 3)
def strip_click_scrolls(trip):
    """A linked list longer than the window can show (80 entries, the window capped at two
    thirds of the screen) has the list box's own strip; a click on it scrolls, opens nothing."""
    content = long_linked_list(trip.folder / "content", 80)
    v = trip.viewer(content=content)
    strip = trip.strip(v)
    w = inner(open_window(trip, v, strip, LINKED, "the linked list"))
    before = trip.desktop.grab(w.rect)
    mark = v.mark()
    # Low on the strip, above its bottom arrow: the track below the thumb.
    trip.desktop.click(w.x + w.width - 6, w.y + w.height - 30)
    trip.desktop.wait("the list to scroll", lambda: trip.desktop.grab(w.rect) != before)
    v.no_event(r"ClickListaLemmi", mark)


# --- item 4: dragging the thumb and the knob --------------------------------------------------

@journey("item4-drag-thumb", 4)
def drag_thumb(trip):
    """The paging thumb follows the pointer and the list asks for one chunk, at the drop."""
    v = trip.viewer()
    strip = trip.strip(v)
    w = inner(open_window(trip, v, strip, MULTIMEDIA, "the multimedia list"))
    d = trip.desktop
    x = w.x + w.width - 8
    top, bottom = (w.y + y for y in list_area(d.grab(w.rect)))
    thumb = scroll_thumb(d.grab((x, top, x + 1, bottom)))
    check(thumb is not None, "no thumb on the paging bar")
    start = (x, top + (thumb[0] + thumb[1]) // 2)
    end = (x, bottom - 4)
    mark = v.mark()
    followed = []

    def look(step, point):
        if step != 4:
            return

        # Half way: the thumb comes under the pointer once the window has repainted.
        def under():
            now = scroll_thumb(d.grab((x, top, x + 1, bottom)))
            return now is not None and now[0] - 3 <= point[1] - top <= now[1] + 3

        followed.append(bool(d.appears(under, timeout=3.0)))

    d.drag(start, end, steps=8, on_step=look)
    v.wait_event(r"GetChunk\(1, \S+, 13\d\)", mark)
    chunks = [e for e in v.events(mark) if e.startswith("GetChunk")]
    check(len(chunks) == 1, "one drag asked for %d chunks: %s" % (len(chunks), chunks[:5]))
    check(followed == [True], "the thumb did not follow the pointer half way")


@journey("item4-drag-knob", 4)
def drag_knob(trip):
    """The volume knob follows a drag, and Home and End move it to its ends."""
    v = trip.viewer(show="DI")
    strip = trip.strip(v)
    w = inner(open_window(trip, v, strip, VOLUME, "the volume window"))
    d = trip.desktop
    knob = knob_x(d.grab(w.rect))
    check(knob is not None, "no knob on the volume slider")
    y = w.y + knob[1]
    target = w.x + w.width * 3 // 4

    def at():
        found = knob_x(d.grab(w.rect))
        return found[0] if found else None

    d.drag((w.x + knob[0], y), (target, y), steps=6)
    d.wait("the knob to follow the drag", lambda: abs((at() or -99) + w.x - target) <= 8)
    d.key("Home")
    d.wait("Home to move the knob to its start", lambda: (at() or 999) < w.width // 4)
    d.key("End")
    d.wait("End to move the knob to its end", lambda: (at() or -1) > w.width * 3 // 4)


@journey("list-wheel")
def list_wheel(trip):
    """The wheel over the multimedia list moves through the whole list: past the first page
    the host is asked for the next chunk."""
    v = trip.viewer()
    strip = trip.strip(v)
    w = open_window(trip, v, strip, MULTIMEDIA, "the multimedia list")
    mark = v.mark()
    x, y = w.x + w.width // 3, w.y + w.height // 2
    trip.desktop.wheel(x, y, down=True, turns=8)
    v.wait_event(r"GetChunk\(1, \S+, \d+\)", mark)
    mark = v.mark()
    trip.desktop.wheel(x, y, down=False, turns=12)
    v.wait_event(r"GetChunk\(1, \S+, 1\)", mark)
