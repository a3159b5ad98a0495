"""Journeys through the copy and print dialogs: each target copied and read back by another
program (xclip), each choice printed into a PDF and read back (pdftotext, pdftoppm), the copy
dialog's choices as drawn, the print's credit line and caption on the page, and where a print
goes when no printer and no PDF file were set."""

import re
import subprocess
from collections import namedtuple
from pathlib import Path

from PIL import Image

from content import FIELDS, RECORD
from desktop import check, shows_text
from panel import (COPY, COPY_OPTIONS, COPY_WIDTH, PRINT, PRINT_WIDTH, dialog_point, region)
from registry import journey, journeys
from viewer import SAMPLE

PRINT_BUTTON, COPY_BUTTON, CAPTION_BUTTON = 4, 5, 2
CREDIT = "przeglądarka multimediów"
ARTICLE = "Wisła jest najdłuższą rzeką Polski"


def caption_of(number):
    """The caption of a record of the sample's multimedia list."""
    data = (SAMPLE / "ListaMM.lst").read_bytes()[(number - 1) * RECORD:number * RECORD]
    offset, width = FIELDS["caption"]
    return data[offset:offset + width].decode("cp1250").strip()


FIRST_PHOTOGRAPH = 8  # the record --show FO opens on


def words(text):
    return " ".join(text.split())


# --- the dialogs ------------------------------------------------------------------------------

def open_dialog(trip, v, button, width):
    before = v.windows()
    trip.strip(v).click(button)
    return v.wait_window("the dialog of button %d" % button, lambda w: w.width == width,
                         before=before)


def choose(trip, dialog, places, *labels):
    for label in labels:
        trip.desktop.click(*dialog_point(dialog, places[label]))


def show_caption(trip, v):
    strip = trip.strip(v)
    if strip.button(CAPTION_BUTTON).look not in ("down", "lit-down"):
        strip.click(CAPTION_BUTTON)
        strip.wait_look(CAPTION_BUTTON, ("down", "lit-down"))


def clipboard(trip, target):
    """What another program reads from the clipboard as that target (bytes, or None)."""
    done = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", target],
                          env=trip.desktop.env(), capture_output=True, timeout=10)
    return done.stdout if done.returncode == 0 and done.stdout else None


def wait_clipboard(trip, target, test, what):
    return trip.desktop.wait(what, lambda: (lambda data: data if data and test(data) else None)(
        clipboard(trip, target)))


# --- copying each target ----------------------------------------------------------------------

Copy = namedtuple("Copy", "name show caption choice target test")
COPIES = [
    Copy("text", None, False, None, "text/rtf",
         lambda data: data.startswith(b"{\\rtf1") and b"Wis\\u322" in data),
    Copy("caption", "FO", True, "Podpis", "UTF8_STRING",
         lambda data: words(caption_of(FIRST_PHOTOGRAPH))[:40] in words(data.decode())),
    Copy("picture", "FO", False, "Obraz", "image/png",
         lambda data: data.startswith(b"\x89PNG")),
]


def copy_target(trip, case):
    v = trip.viewer(show=case.show)
    if case.caption:
        show_caption(trip, v)
    dialog = open_dialog(trip, v, COPY_BUTTON, COPY_WIDTH)
    if case.choice:
        choose(trip, dialog, COPY, case.choice)
    choose(trip, dialog, COPY, "OK")
    v.wait_gone("the copy dialog to close", dialog)
    wait_clipboard(trip, case.target, case.test,
                   "the %s on the clipboard as %s" % (case.name, case.target))


journeys("copy", 0, COPIES, copy_target)


# --- item 8: one choice of a group, the shown object by default -------------------------------

@journey("item8-one-choice-drawn", 8)
def one_choice_drawn(trip):
    """With the article shown, the two option pictures of the content group differ: one is
    chosen, the other not."""
    v = trip.viewer()
    dialog = open_dialog(trip, v, COPY_BUTTON, COPY_WIDTH)
    first, second = (trip.desktop.grab(region(dialog, place)) for place in COPY_OPTIONS)
    check(first.tobytes() != second.tobytes(),
          "both option pictures of the content group look the same: both chosen")


@journey("item8-picture-by-default", 8)
def picture_by_default(trip):
    """With a photograph shown, Enter in the copy dialog copies the photograph."""
    v = trip.viewer(show="FO")
    dialog = open_dialog(trip, v, COPY_BUTTON, COPY_WIDTH)
    trip.desktop.key("Return")
    v.wait_gone("the copy dialog to close", dialog)
    wait_clipboard(trip, "TARGETS", lambda data: True, "something on the clipboard")
    targets = clipboard(trip, "TARGETS").decode()
    check("image/png" in targets, "the default copy put no picture on the clipboard, only: %s"
          % ", ".join(targets.split()))


# --- printing each choice ---------------------------------------------------------------------

def pdf_words(pdf):
    """Words of the first page with their boxes, and the page's width and height (points)."""
    html = subprocess.run(["pdftotext", "-f", "1", "-l", "1", "-bbox", str(pdf), "-"],
                          capture_output=True, timeout=20).stdout.decode(errors="replace")
    page = re.search(r'<page width="([\d.]+)" height="([\d.]+)"', html)
    found = [(float(a), float(b), float(c), float(e), w) for a, b, c, e, w in re.findall(
        r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>',
        html)]
    return found, (float(page.group(1)), float(page.group(2))) if page else (0, 0)


def pdf_text(pdf):
    return subprocess.run(["pdftotext", str(pdf), "-"], capture_output=True,
                          timeout=20).stdout.decode(errors="replace")


def page_picture(pdf, folder, dpi=40):
    prefix = Path(folder) / "page"
    subprocess.run(["pdftoppm", "-png", "-r", str(dpi), "-f", "1", "-l", "1", "-singlefile",
                    str(pdf), str(prefix)], capture_output=True, timeout=20)
    return Image.open(str(prefix) + ".png").convert("RGB")


def printed(trip, pdf):
    """Until the PDF is written whole; its text."""
    return trip.desktop.wait("the printed PDF", lambda: pdf.exists() and pdf_text(pdf).strip(),
                             timeout=15)


def credit_line(found):
    """The words of the first printed line, the credit line."""
    top = min(w[1] for w in found)
    return [w for w in found if abs(w[1] - top) < 2]


def inked_rows(page):
    """The rows of the page's middle column that are not paper."""
    x = page.size[0] // 2
    return [y for y in range(page.size[1]) if sum(page.getpixel((x, y))) < 720]


Print = namedtuple("Print", "name show caption choice expect")
PRINTS = [
    Print("text", None, False, None, ARTICLE),  # the text is chosen when it is shown
    Print("picture", "FO", False, "Obraz z podpisem", CREDIT),
    Print("picture-with-caption", "FO", True, "Obraz z podpisem", CREDIT),
]


def start_print(trip, case, pdf):
    v = trip.viewer(show=case.show, env={"QUINDEL_PRINT_PDF": pdf})
    if case.caption:
        show_caption(trip, v)
    dialog = open_dialog(trip, v, PRINT_BUTTON, PRINT_WIDTH)
    choose(trip, dialog, PRINT, *([case.choice] if case.choice else []), "Drukuj")
    return v, dialog


def print_choice(trip, case):
    pdf = trip.folder / "wydruk.pdf"
    v, dialog = start_print(trip, case, pdf)
    text = words(printed(trip, pdf))
    check(case.expect in text, "the PDF lacks %r: %s" % (case.expect, text[:200]))
    if case.show:
        page = page_picture(pdf, trip.folder)
        rows = inked_rows(page)
        middle = page.size[1] // 2
        check(rows and rows[0] < middle < rows[-1], "no picture in the middle of the page")


journeys("print", 0, PRINTS, print_choice)


# --- item 6: the caption printed below the picture, the credit line centred -------------------

@journey("item6-caption-printed", 6)
def caption_printed(trip):
    pdf = trip.folder / "wydruk.pdf"
    v, dialog = start_print(trip, PRINTS[2], pdf)
    printed(trip, pdf)
    found, (width, height) = pdf_words(pdf)
    caption = words(caption_of(FIRST_PHOTOGRAPH)).split()[:4]
    text = [w[4] for w in found]
    at = next((i for i in range(len(text)) if text[i:i + 4] == caption), None)
    check(at is not None, "the caption %r is not on the page" % " ".join(caption))
    page = page_picture(pdf, trip.folder)
    picture_bottom = max(y for y in inked_rows(page) if y < page.size[1] * 3 // 4)
    caption_top = found[at][1] * page.size[1] / height
    check(caption_top > picture_bottom, "the caption stands above the picture's bottom")


Credit = namedtuple("Credit", "name show choice")
CREDITS = [Credit("text", None, None), Credit("picture", "FO", "Obraz z podpisem")]


def credit_centred(trip, case):
    pdf = trip.folder / "wydruk.pdf"
    v, dialog = start_print(trip, Print(case.name, case.show, False, case.choice, ""), pdf)
    printed(trip, pdf)
    found, (width, _) = pdf_words(pdf)
    line = credit_line(found)
    centre = (min(w[0] for w in line) + max(w[2] for w in line)) / 2
    check(abs(centre - width / 2) <= 3, "the credit line %r is centred %.1f pt %s of the page's "
          "centre" % (" ".join(w[4] for w in line), abs(centre - width / 2),
                      "left" if centre < width / 2 else "right"))


journeys("item6-credit-centred", 6, CREDITS, credit_centred)


# --- item 7: where a print goes without a printer ---------------------------------------------

@journey("item7-print-asks-for-file", 7)
def print_asks_for_file(trip):
    """No printer and no PDF file set: printing asks for a PDF file's name, prints there and
    closes the dialog."""
    v = trip.viewer(env={"HOME": trip.folder})
    dialog = open_dialog(trip, v, PRINT_BUTTON, PRINT_WIDTH)
    before = v.windows()
    choose(trip, dialog, PRINT, "Drukuj")
    chooser = v.wait_window("a file chooser, or a message naming the file",
                            lambda w: w.width != PRINT_WIDTH, before=before)
    pdf = trip.folder / "wybrany.pdf"
    trip.desktop.activate(chooser)
    trip.desktop.wait("the chooser to take the focus",
                      lambda: trip.desktop.active_window() == chooser.wid)
    trip.desktop.key("ctrl+a")
    trip.desktop.type_text(str(pdf))
    trip.desktop.key("Return")
    text = words(printed(trip, pdf))
    check(ARTICLE in text, "the chosen PDF lacks the article: %s" % text[:200])
    v.wait_gone("the print dialog to close after printing", dialog)


@journey("item7-chooser-language", 7)
def chooser_language(trip):
    """The file chooser speaks Polish, as the catalogue does."""
    v = trip.viewer(env={"HOME": trip.folder})
    dialog = open_dialog(trip, v, PRINT_BUTTON, PRINT_WIDTH)
    before = v.windows()
    choose(trip, dialog, PRINT, "Drukuj")
    chooser = v.wait_window("a file chooser", lambda w: w.width != PRINT_WIDTH, before=before)
    picture = trip.desktop.grab(chooser.rect)
    buttons = picture.crop((max(picture.size[0] - 260, 0), picture.size[1] - 70) +
                           picture.size)
    check(shows_text(buttons, "Anuluj") and not shows_text(buttons, "Cancel"),
          "the file chooser's buttons are not in Polish")


@journey("item7-chooser-cancelled", 7)
def chooser_cancelled(trip):
    """Cancelling the file chooser prints nothing and leaves the dialog usable."""
    v = trip.viewer(env={"HOME": trip.folder})
    dialog = open_dialog(trip, v, PRINT_BUTTON, PRINT_WIDTH)
    before = v.windows()
    choose(trip, dialog, PRINT, "Drukuj")
    chooser = v.wait_window("a file chooser", lambda w: w.width != PRINT_WIDTH, before=before)
    trip.desktop.activate(chooser)
    trip.desktop.wait("the chooser to take the focus",
                      lambda: trip.desktop.active_window() == chooser.wid)
    trip.desktop.key("Escape")
    v.wait_gone("the chooser to close", chooser)
    check(dialog.wid in {w.wid for w in v.windows()}, "the print dialog went with the chooser")
    choose(trip, dialog, PRINT, "Drukuj")
    v.wait_window("the chooser again: the print button still works",
                  lambda w: w.width != PRINT_WIDTH, before=before)
