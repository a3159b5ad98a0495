"""Checks of the journeys' own eyes, on pictures and tool output made here: a journey that
misreads the screen would pass or fail for the wrong reason.

  /usr/bin/python3 tests/journeys/test_harness.py
"""

import sys
import tempfile
import unittest
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))

from PIL import Image, ImageDraw, ImageFont  # noqa: E402

from content import RECORD, record  # noqa: E402
from desktop import (FONT, FONT_PIXELS, Window, find_picture, parse_xprop,  # noqa: E402
                     parse_xwininfo, shows_text)
from j_display import shift  # noqa: E402
from panel import (CELL, STRIPS, bar_width, buttons_in, Cells, knob_x, scroll_thumb,  # noqa
                   selection_band)
from screen_reader import BUTTON_MESSAGES, descriptions, messages  # noqa: E402

GREY = (212, 208, 200)


def strip_picture(columns, scale=1, look_row=3, gap=0):
    """A strip drawn as the panel draws it: the cells of the given columns side by side, from
    the artwork drawn for the scale."""
    art = Image.open(STRIPS[scale]).convert("RGB")
    size = CELL * scale
    picture = Image.new("RGB", (8 + len(columns) * (size + gap) + 8, size + 8), GREY)
    for i, column in enumerate(columns):
        cell = art.crop((column * size, look_row * size, (column + 1) * size,
                         (look_row + 1) * size))
        picture.paste(cell, (8 + i * (size + gap), 4))
    return picture


class ButtonsOnTheStrip(unittest.TestCase):
    def test_buttons_are_named_by_picture_and_order(self):
        cases = [
            # (columns drawn, scale, expected button numbers left to right)
            ([0, 1, 2], 1, [1, 2, 3]),
            ([11, 12, 11], 1, [12, 13, 17]),  # 12 and 17 share a picture
            ([5, 16], 2, [6, 16]),
            ([14, 17], 1, [6, 16]),  # pause and zoom-out pictures still name 6 and 16
        ]
        for columns, scale, numbers in cases:
            with self.subTest(columns=columns, scale=scale):
                found = buttons_in(Cells(scale).find(strip_picture(columns, scale)), (100, 50))
                self.assertEqual(sorted(found, key=lambda n: found[n].x), numbers)
                first = found[numbers[0]]
                self.assertEqual((first.x, first.y), (108, 54))

    def test_looks_come_from_the_strip_rows(self):
        for row, look in [(2, "disabled"), (3, "up"), (4, "down"), (0, "lit-up")]:
            with self.subTest(look=look):
                found = buttons_in(Cells().find(strip_picture([8], look_row=row)))
                self.assertEqual(found[9].look, look)

    def test_a_cell_cut_by_an_edge_is_not_found(self):
        picture = strip_picture([0, 1]).crop((0, 0, 8 + CELL + CELL // 2, CELL + 8))
        self.assertEqual(list(buttons_in(Cells().find(picture))), [1])


class WindowFacts(unittest.TestCase):
    XWININFO = """xwininfo: Window id: 0x400011 "quindel-viewer"
  Absolute upper-left X:  333
  Absolute upper-left Y:  116
  Relative upper-left X:  1
  Width: 298
  Height: 182
  Map State: IsViewable
"""
    XPROP = """_NET_WM_NAME(UTF8_STRING) = "Wisła - Quindel viewer"
WM_TRANSIENT_FOR(WINDOW): window id # 0x400006
_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_UTILITY, _NET_WM_WINDOW_TYPE_NORMAL
_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 20, 5
_NET_WM_STATE:  not found.
WM_NORMAL_HINTS(WM_SIZE_HINTS):
\t\tuser specified location: 333, 116
\t\tprogram specified minimum size: 298 by 182
"""

    def test_a_window_as_the_tools_describe_it(self):
        w = Window(wid=0x400011, props=parse_xprop(self.XPROP),
                   **parse_xwininfo(self.XWININFO))
        self.assertEqual(w.rect, (333, 116, 631, 298))
        self.assertEqual(w.frame, (1, 1, 20, 5))
        self.assertEqual(w.outer, (332, 96, 632, 303))
        self.assertEqual(w.transient_for, 0x400006)
        self.assertEqual(w.title, "Wisła - Quindel viewer")
        self.assertIn("_NET_WM_WINDOW_TYPE_UTILITY", w.types)
        self.assertIn("minimum size: 298 by 182", w.props["WM_NORMAL_HINTS"])
        self.assertNotIn("_NET_WM_STATE", w.props)

    def test_a_window_gone_or_unmapped(self):
        self.assertIsNone(parse_xwininfo("xwininfo: error: No such window"))
        self.assertFalse(parse_xwininfo(self.XWININFO.replace("IsViewable", "IsUnMapped"))
                         ["viewable"])


class ListAndSliderPictures(unittest.TestCase):
    def list_window(self, bars, row=15, rows=14, width=300):
        picture = Image.new("RGB", (width, row * rows), (255, 255, 255))
        draw = ImageDraw.Draw(picture)
        draw.rectangle((0, 2 * row, width - 1 - 17 * bars, 3 * row - 1), fill=(10, 36, 106))
        for i in range(bars):
            right = width - 1 - 17 * i
            draw.rectangle((right - 16, 0, right, row * rows - 1), fill=(236, 233, 216))
        return picture

    def test_rows_and_bars_of_a_list(self):
        for bars in (0, 1, 2):
            with self.subTest(bars=bars):
                picture = self.list_window(bars)
                self.assertEqual(selection_band(picture, 2), (30, 45))
                self.assertEqual(bar_width(picture, range(60, 200, 15)), 17 * bars)

    def test_the_thumb_of_a_bar(self):
        for top, bottom in [(16, 40), (100, 130), (170, 194)]:
            with self.subTest(top=top):
                column = Image.new("RGB", (1, 210), (236, 233, 216))
                ImageDraw.Draw(column).rectangle((0, top, 0, bottom - 1), fill=GREY)
                self.assertEqual(scroll_thumb(column), (top, bottom))

    def test_the_knob_of_a_slider(self):
        # The knob over the start of the track, in its middle, over its end.
        for left in (0, 40, 157):
            with self.subTest(left=left):
                picture = Image.new("RGB", (180, 20), GREY)
                draw = ImageDraw.Draw(picture)
                draw.rectangle((0, 0, 179, 2), fill=(90, 130, 200))  # a caption's edge
                draw.line((10, 9, 165, 9), fill=(120, 120, 120))
                draw.rectangle((6 + left, 5, 14 + left, 12), outline=(255, 255, 255),
                               fill=GREY)
                self.assertEqual(knob_x(picture), (10 + left, 9))


class TextOnScreen(unittest.TestCase):
    def written(self, text):
        picture = Image.new("RGB", (220, 30), (240, 240, 240))
        ImageDraw.Draw(picture).text((6, 6), text, font=ImageFont.truetype(FONT, FONT_PIXELS),
                                     fill=(0, 0, 0))
        return picture

    def test_a_word_is_told_from_others(self):
        picture = self.written("Ponów   Anuluj")
        for word, shown in [("Anuluj", True), ("Ponów", True), ("Cancel", False),
                            ("Retry", False)]:
            with self.subTest(word=word):
                self.assertEqual(shows_text(picture, word), shown)


class Pictures(unittest.TestCase):
    def test_a_sideways_shift_is_measured(self):
        texture = Image.effect_noise((900, 200), 60).convert("RGB")
        for dx in (0, 7, 35, -20):
            with self.subTest(dx=dx):
                before = texture.crop((100, 0, 700, 200))
                after = texture.crop((100 + dx, 0, 700 + dx, 200))
                self.assertEqual(shift(before, after, 60), dx)


    def test_a_part_is_found_only_whole(self):
        texture = Image.effect_noise((200, 120), 60).convert("RGB")
        part = texture.crop((50, 30, 110, 70))
        moved = Image.new("RGB", (260, 160), GREY)
        moved.paste(texture, (30, 20))
        covered = moved.copy()
        covered.paste(GREY, (70, 40, 100, 60))  # a panel over a corner of the part
        for name, picture, where in [("moved", moved, (80, 50)), ("covered", covered, None)]:
            with self.subTest(name):
                self.assertEqual(find_picture(picture, part), where)


class ListRecords(unittest.TestCase):
    def test_fields_land_at_their_offsets(self):
        data = record(code="1001", description="Hasło", type="FO", caption="Ż" * 1100)
        self.assertEqual(len(data), RECORD)
        self.assertEqual(data[0:8], b"1001    ")
        self.assertEqual(data[287:289], b"FO")
        self.assertEqual(data[299:304].decode("cp1250"), "Hasło")
        self.assertEqual(data[554:].decode("cp1250"), "Ż" * 1024)  # cut to its width


class WhatAScreenReaderShouldFind(unittest.TestCase):
    def test_rows_are_the_records_descriptions(self):
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / "ListaMM.lst"
            path.write_bytes(record(code="A1", description="Źródła Wisły") +
                             record(code="A2", description="D" * 300) + record(code="A3"))
            self.assertEqual(descriptions(path, 2), ["Źródła Wisły", "D" * 255])
            self.assertEqual(descriptions(path, 9)[2:], [""])

    def test_every_button_is_named_from_the_catalogue(self):
        texts = messages()
        self.assertEqual(texts[687], "Lista obiektów multimedialnych")
        self.assertTrue(all(texts.get(code) for code in BUTTON_MESSAGES.values()))


if __name__ == "__main__":
    unittest.main()
