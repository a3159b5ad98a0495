"""Journeys through the display area: objects shown, a film played and paused, autoplay run to
the end, an animation followed by objects that show nothing, a photograph panned at actual
size, the stage's words for what it cannot show, the sound's speaker."""

import re
import time
from collections import namedtuple

from PIL import ImageChops

from desktop import check
from panel import PAUSE, PLAY
from registry import journey, journeys

PLAY_PAUSE, NEXT, PREVIOUS, MULTIMEDIA, AUTOPLAY, ZOOM = 6, 11, 10, 9, 15, 16
PANEL_HEIGHT, STATUS_HEIGHT = 40, 22  # the panel's form over the stage, the status line under
STAGE_BACK = (32, 36, 44)


def stage(v):
    """The display area on the screen: left, top, right, bottom."""
    m = v.main_window()
    return (m.x, m.y + PANEL_HEIGHT, m.x + m.width, m.y + m.height - STATUS_HEIGHT)


def choose_in_list(trip, v, keys, described):
    """Opens the multimedia list, moves with the keys, chooses with Enter, closes the list."""
    strip = trip.strip(v)
    before = v.windows()
    strip.click(MULTIMEDIA)
    w = v.wait_window("the multimedia list", lambda w: True, before=before)
    mark = v.mark()
    for key in keys:
        trip.desktop.key(key)
    before = v.windows()
    trip.desktop.key("Return")
    chosen = r"ClickListaOggettiMM\(\d+\): %s" % described
    box = trip.desktop.wait("the object to show, or a message", lambda: any(
        re.search(chosen, e) for e in v.events(mark)) or message_box(v, before))
    if box is not True:  # a missing file is reported first: read, and answered
        answer(trip, box)
    v.wait_event(chosen, mark)
    strip.click(MULTIMEDIA)
    v.wait_gone("the list to close", w)


def message_box(v, before=()):
    """A message box of the viewer's that was not among before's windows."""
    known = {w.wid for w in before}
    for w in v.windows():
        if w.wid not in known and "_NET_WM_WINDOW_TYPE_DIALOG" in w.types:
            return w
    return None


def answer(trip, box, key="Return"):
    trip.desktop.activate(box)
    trip.desktop.wait("the message to take the focus",
                      lambda: trip.desktop.active_window() == box.wid)
    trip.desktop.key(key)


def still(trip, box, what, timeout=5, steady=0.3):
    """Until the picture has not changed for steady seconds; gives it and the moment it last
    changed (time.monotonic)."""
    seen = {"picture": trip.desktop.grab(box), "changed": time.monotonic()}

    def settled():
        now = trip.desktop.grab(box)
        if ImageChops.difference(now, seen["picture"]).getbbox() is not None:
            seen.update(picture=now, changed=time.monotonic())
        return time.monotonic() - seen["changed"] >= steady

    trip.desktop.wait(what, settled, timeout)
    return seen["picture"], seen["changed"]


def count(picture, test):
    return sum(n for n, c in picture.getcolors(picture.size[0] * picture.size[1]) if test(c))


# --- happy paths ------------------------------------------------------------------------------

@journey("film-play-pause")
def film_play_pause(trip):
    """The film plays (its pictures change), pauses on button 6 (they stop, the button shows
    play) and plays on again."""
    v = trip.viewer(show="VI")
    strip = trip.strip(v)
    d = trip.desktop
    box = stage(v)
    first = d.grab(box)
    d.wait("the film's pictures to change", lambda: ImageChops.difference(
        d.grab(box), first).getbbox() is not None)
    strip.wait_column(PLAY_PAUSE, PAUSE)
    mark = v.mark()
    strip.click(PLAY_PAUSE)
    v.wait_event(r"PulsantePremuto\(6, 0\)", mark)
    paused, _ = still(trip, box, "the film to stand still")
    strip.wait_column(PLAY_PAUSE, PLAY)
    strip.click(PLAY_PAUSE)
    d.wait("the film to play on", lambda: ImageChops.difference(
        d.grab(box), paused).getbbox() is not None)


@journey("autoplay-to-end")
def autoplay_to_end(trip):
    """Autoplay from the interactive movies runs through the last objects and lets its button
    up when the list ends."""
    v = trip.viewer(show="AI")
    strip = trip.strip(v)
    mark = v.mark()
    strip.click(AUTOPLAY)
    v.wait_event(r"ClickListaOggettiMM\(\d+\): Indeks", mark, timeout=30)
    v.wait_event(r"PulsantePremuto\(15, 0\)", mark, timeout=30)
    strip.wait_look(AUTOPLAY, ("up", "lit-up"))


# --- item 5: no black box after an animation --------------------------------------------------

Nothing = namedtuple("Nothing", "name keys described")
# From the first animation (record 136), through the list, to objects that show nothing.
NOTHINGS = [Nothing("index", ["End"], "Indeks"),
            Nothing("missing-film", ["Up"] * 4, "Ruszanie lodów"),
            Nothing("quiz", ["Up"] * 10, "Sprawdź się")]


def no_black_box(trip, case):
    v = trip.viewer(show="AN")
    choose_in_list(trip, v, case.keys, case.described)
    picture, _ = still(trip, stage(v), "the stage to settle")
    black = count(picture, lambda c: c[:3] == (0, 0, 0))
    check(black < 2000, "%d black pixels stay on the stage after the animation (a box of "
          "320 x 240 has 76800)" % black)


journeys("item5-after-animation", 5, NOTHINGS, no_black_box)


# --- item 9: auto-pan at a pace a person can follow -------------------------------------------

ZONE = 4000 // 15  # the edge zone, in pixels
CROSSING = 6000 - 960  # the photograph's width less the stage's
# One step every 40 ms, whatever the machine; a step is (depth in the zone, twips) / 50
# pixels, so resting 40 px inside the zone moves 12 px a step.
STEPS_A_SECOND = 25
INNER_DEPTH = 40


def zoomed_photograph(trip):
    """The 6000 x 4000 photograph (record 135, before the first animation) at actual size."""
    v = trip.viewer(show="AN")
    strip = trip.strip(v)
    mark = v.mark()
    strip.click(PREVIOUS)
    v.wait_event(r"PulsantePremuto\(10, 0\)", mark)
    still(trip, stage(v), "the photograph to show", timeout=10)
    strip.click(ZOOM)
    strip.wait_column(ZOOM, 17)
    return v, still(trip, stage(v), "the photograph at actual size", timeout=10)[0]


def shift(before, after, limit):
    """How far the picture moved sideways (after = before moved left by the result); None when
    no shift up to limit explains it."""
    width, height = before.size
    band = (limit, height // 2 - 40, width - limit, height // 2 + 40)
    target = after.crop((limit, band[1], width - limit, band[3])).convert("L")
    best = None
    for dx in range(-limit, limit + 1):
        moved = before.crop((band[0] + dx, band[1], band[2] + dx, band[3])).convert("L")
        diff = ImageChops.difference(moved, target)
        score = sum(i * n for i, n in enumerate(diff.histogram()))
        if best is None or score < best[1]:
            best = (dx, score)
    return best[0] if best and best[1] < target.size[0] * target.size[1] * 8 else None


@journey("item9-pan-at-edge", 9)
def pan_at_edge(trip):
    """Resting at the right edge crosses the photograph in more than a second."""
    v, picture = zoomed_photograph(trip)
    left, top, right, bottom = stage(v)
    d = trip.desktop
    d.move(right - 4, (top + bottom) // 2)
    started = time.monotonic()
    d.wait("the picture to start moving", lambda: ImageChops.difference(
        d.grab((left, top, right, bottom)), picture).getbbox() is not None)
    _, ended = still(trip, (left, top, right, bottom), "the picture to reach its end",
                     timeout=20, steady=0.5)
    seconds = ended - started
    least = CROSSING / (80 * STEPS_A_SECOND) * 0.8  # at most 80 px a step at the edge
    check(seconds >= least, "the picture crossed %d px in %.2f s (%.0f px/s)" % (
        CROSSING, seconds, CROSSING / seconds))


@journey("item9-pan-at-inner-border", 9)
def pan_at_inner_border(trip):
    """Resting just inside the edge zone pans slowly enough to stop where one wants."""
    v, picture = zoomed_photograph(trip)
    left, top, right, bottom = stage(v)
    d = trip.desktop
    d.move(right - ZONE + INNER_DEPTH, (top + bottom) // 2)
    d.wait("the picture to start moving", lambda: ImageChops.difference(
        d.grab((left, top, right, bottom)), picture).getbbox() is not None)
    first, t0 = d.grab((left, top, right, bottom)), time.monotonic()
    time.sleep(0.5)  # the span the speed is measured over, not a wait for a condition
    second, t1 = d.grab((left, top, right, bottom)), time.monotonic()
    moved = shift(first, second, 450)
    speed = moved / (t1 - t0) if moved is not None else None
    bound = round(INNER_DEPTH * 15 / 50) * STEPS_A_SECOND * 1.2
    check(speed is not None and speed <= bound, "at the zone's inner border the picture "
          "moves %s, more than %.0f px/s" % (
              "%.0f px/s" % speed if speed is not None else "over 450 px in 0.5 s", bound))


# --- item 14: what the stage cannot show, the speaker -----------------------------------------

Unshown = namedtuple("Unshown", "name keys described")
UNSHOWN = [Unshown("index", ["End"], "Indeks"), Unshown("quiz", ["Up"] * 10, "Sprawdź się")]


def stage_says(trip, case):
    v = trip.viewer(show="AN")
    choose_in_list(trip, v, case.keys, case.described)
    picture, _ = still(trip, stage(v), "the stage to settle")
    words = count(picture, lambda c: sum(c[:3]) > 450)
    check(words > 40, "the stage shows nothing for the %s (%d light pixels)" % (
        case.name, words))


journeys("item14-stage-says", 14, UNSHOWN, stage_says)


@journey("item14-speaker-visible", 14)
def speaker_visible(trip):
    """While the sound plays its speaker picture stands out from the dark stage."""
    v = trip.viewer(show="AU")
    picture, _ = still(trip, stage(v), "the stage to settle")
    light = count(picture, lambda c: sum(c[:3]) > 300 and c[:3] != STAGE_BACK)
    check(light > 100, "the speaker hardly shows on the stage (%d light pixels)" % light)


@journey("item14-play-picture-after-film", 14)
def play_picture_after_film(trip):
    """After the film, on the next still picture, button 6 shows its play picture."""
    v = trip.viewer(show="VI")
    strip = trip.strip(v)
    strip.wait_column(PLAY_PAUSE, PAUSE)
    mark = v.mark()
    strip.click(PREVIOUS)  # record 130, a photograph
    v.wait_event(r"PulsantePremuto\(10, 0\)", mark)
    b = strip.buttons().get(PLAY_PAUSE)
    still(trip, stage(v), "the photograph to show")
    b = strip.buttons().get(PLAY_PAUSE)
    check(b is not None and b.column == PLAY, "button 6 shows %s after the film" % (
        "the pause picture" if b and b.column == PAUSE else "nothing"))
