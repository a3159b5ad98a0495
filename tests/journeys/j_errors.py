"""Journeys through what goes wrong: asking for help, a content folder that is not there, no
folder given away from the repository, the viewer ended by a signal, a broken packed text, a
missing catalogue, a print that fails. Each must leave a person something to act on."""

import signal
from collections import namedtuple

from content import broken_packed_texts
from desktop import check, shows_text
from j_display import answer, message_box
from panel import PRINT, PRINT_WIDTH, dialog_point
from registry import journey, journeys
from viewer import run_once


@journey("item14-help", 14)
def help_exits_zero(trip):
    status, out, err = run_once(trip.desktop, trip.binary, trip.folder, ["--help"])
    check(status == 0, "--help exits with %d" % status)
    check("usage" in (out + err).lower() and "--shots" in out,
          "--help prints no usage on standard output: %r" % (out or err)[:200])


@journey("item14-no-content-folder", 14)
def no_content_folder(trip):
    """A folder that is not there: a message on screen as well as on standard error."""
    v = trip.viewer(content=trip.folder / "nowhere", wait=False)
    box = trip.desktop.wait("a message saying what is wrong", lambda: message_box(v) or (
        not v.running() and "exited"), timeout=10)
    check(box != "exited", "the viewer ended without a window: %s" % " ".join(v.stderr()))
    check(shows_text(trip.desktop.grab(box.rect), "nowhere"), "the message does not name "
          "the folder")
    answer(trip, box)
    status = v.wait_exit()
    check(status != 0, "the viewer ended with status 0 after failing to start")
    check(any("nowhere" in line for line in v.stderr()), "nothing on standard error")


@journey("item14-default-content", 14)
def default_content(trip):
    """Started without a folder, away from the repository, the viewer opens its sample."""
    v = trip.viewer(content=None, cwd=trip.folder, wait=False)
    trip.desktop.wait("the sample's article in the main window", lambda: (
        lambda m: m and m.title.startswith("Wisła"))(v.main_window()) or (
        not v.running() and "exited"), timeout=10)
    check(v.running(), "the viewer ended: %s" % " ".join(v.stderr()))


Ending = namedtuple("Ending", "name signal")
ENDINGS = [Ending("sigterm", signal.SIGTERM), Ending("sigint", signal.SIGINT)]


def ended_by_signal(trip, case):
    """A viewer ended by a signal removes its work folder."""
    v = trip.viewer()
    work = v.work_folder()
    trip.desktop.wait("the work folder", work.exists)
    v.signal(case.signal)
    v.wait_exit()
    check(not work.exists(), "%s left the work folder %s behind" % (case.name.upper(), work))


journeys("item14-ended-by", 14, ENDINGS, ended_by_signal)


@journey("item14-broken-packed-text", 14)
def broken_packed_text(trip):
    """A text packed in a broken file: the message names the file."""
    content = broken_packed_texts(trip.folder / "content")
    v = trip.viewer(content=content, args=["--show", "TA"])
    box = trip.desktop.wait("the message about the text", lambda: message_box(v), timeout=10)
    picture = trip.desktop.grab(box.rect)
    check(shows_text(picture, "TEKSTY.BLB") or shows_text(picture, "TEKST01.RTF"),
          "the message names neither the text nor its packed file")


@journey("item14-missing-catalogue", 14)
def missing_catalogue(trip):
    """Without its catalogue the viewer says so once, logs it, and shows no empty tooltip."""
    v = trip.viewer(catalogue=False, wait=False)
    box = trip.desktop.wait("a message about the missing catalogue", lambda: message_box(v),
                            timeout=6)
    answer(trip, box)
    v.wait_ready()
    check(v.log().strip(), "the missing catalogue is not in the log")
    strip = trip.strip(v)
    before = v.others()
    trip.desktop.move(*strip.button(14).centre)
    # A tooltip comes half a second after the pointer rests, or not at all without a text.
    tip = trip.desktop.appears(lambda: next(
        (w for w in v.others() if w.wid not in {b.wid for b in before}), None), 1.5)
    if tip:
        picture = trip.desktop.grab(tip.rect)
        check(picture.getextrema()[0][0] < 128, "the tooltip is an empty square")


@journey("item7-error-box-language", 7)
def error_box_language(trip):
    """A print that cannot be written: the error box's buttons speak the catalogue's Polish."""
    v = trip.viewer(env={"QUINDEL_PRINT_PDF": trip.folder / "nowhere" / "wydruk.pdf"})
    before = v.windows()
    trip.strip(v).click(4)
    dialog = v.wait_window("the print dialog", lambda w: w.width == PRINT_WIDTH, before=before)
    trip.desktop.click(*dialog_point(dialog, PRINT["Drukuj"]))
    box = trip.desktop.wait("the print error", lambda: message_box(v, before + [dialog]),
                            timeout=10)
    picture = trip.desktop.grab(box.rect)
    picture = picture.crop((0, picture.size[1] - 50, picture.size[0], picture.size[1]))
    english = [w for w in ("Retry", "Cancel") if shows_text(picture, w)]
    check(not english, "the error box's buttons say %s" % " and ".join(english))
    check(shows_text(picture, "Anuluj"), "the error box has no Polish cancel button")
