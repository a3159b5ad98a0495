"""What a person knows of the panel by looking at it: the buttons of the strip found by their
pictures (the cells of resources/toolbar.bmp drawn pixel for pixel, of toolbar@2x.bmp at a device
pixel ratio of 2), the look each button has (up, down, disabled, lit), the rows and scroll bars of a
list window, and the places of the choices on the copy and print dialogs.
"""

from dataclasses import dataclass, replace
from pathlib import Path

from PIL import Image

from desktop import JourneyFailed

RESOURCES = Path(__file__).resolve().parents[2] / "resources"
# The artwork drawn for each device pixel ratio the journeys use.
STRIPS = {1: RESOURCES / "toolbar.bmp", 2: RESOURCES / "toolbar@2x.bmp"}
CELL = 24
COLUMNS = 18
# Rows of the picture strip: how a button looks.
LOOKS = {0: "lit-up", 1: "lit-down", 2: "disabled", 3: "up", 4: "down"}
# The picture column each button shows; 6 and 16 change picture with their state, 12 and 17
# share one and are told apart by their order on the strip.
COLUMN_BUTTONS = {0: [1], 1: [2], 2: [3], 3: [4], 4: [5], 5: [6], 14: [6], 6: [7], 7: [8],
                  8: [9], 9: [10], 10: [11], 11: [12, 17], 12: [13], 13: [14], 15: [15],
                  16: [16], 17: [16]}
PLAY, PAUSE, ZOOM_IN, ZOOM_OUT = 5, 14, 16, 17

# The dialogs' choices, in their own pixels: (left, top, width, height).
COPY_WIDTH, PRINT_WIDTH = 330, 300
COPY = {"Tekst": (42, 59, 90, 15), "Inne:": (42, 83, 90, 15), "Podpis": (56, 107, 76, 15),
        "Obraz": (56, 129, 76, 15), "Schowek": (184, 59, 90, 15), "Plik": (184, 83, 60, 15),
        "OK": (70, 170, 80, 17), "Anuluj": (180, 170, 80, 17)}
COPY_OPTIONS = [(20, 58), (20, 82)]  # the two option pictures: text, other
COPY_MARKS = {"Tekst": (140, 58), "Inne:": (140, 82), "Schowek": (290, 58), "Plik": (290, 82),
              "Podpis": (140, 106), "Obraz": (140, 128)}
PRINT = {"Tekst": (42, 59, 150, 15), "Obraz z podpisem": (42, 83, 150, 15),
         "Drukuj": (50, 120, 80, 17), "Anuluj": (170, 120, 80, 17)}
PRINT_OPTIONS = [(20, 58), (20, 82)]


@dataclass
class Button:
    number: int
    x: int  # top-left on the screen
    y: int
    size: int
    column: int
    look: str

    @property
    def centre(self):
        return (self.x + self.size // 2, self.y + self.size // 2)


class Cells:
    """The strip's cells as byte rows, as the screen shows them at a device pixel ratio of 1 or
    2."""

    def __init__(self, scale=1):
        strip = Image.open(STRIPS[scale]).convert("RGB")
        self.scale = scale
        self.size = size = CELL * scale
        self.cells = []
        for row in LOOKS:
            for column in range(COLUMNS):
                cell = strip.crop((column * size, row * size, (column + 1) * size,
                                   (row + 1) * size))
                self.cells.append((column, row, cell.tobytes()))

    def find(self, picture):
        """Every cell drawn whole in the picture: (x, y, column, row), left to right."""
        picture = picture.convert("RGB")
        width, height = picture.size
        data = picture.tobytes()
        stride = width * 3
        line = self.size * 3
        middle = self.size // 2
        hits = set()
        for column, row, cell in self.cells:
            key = cell[middle * line:(middle + 1) * line]
            for y in range(middle, height - (self.size - middle) + 1):
                row_bytes = data[y * stride:(y + 1) * stride]
                at = row_bytes.find(key)
                while at >= 0:
                    if at % 3 == 0 and self._whole(data, stride, at // 3, y - middle, cell):
                        hits.add((at // 3, y - middle, column, row))
                    at = row_bytes.find(key, at + 1)
        return sorted(hits)

    def _whole(self, data, stride, x, top, cell):
        line = self.size * 3
        return all(data[(top + r) * stride + x * 3:(top + r) * stride + x * 3 + line] ==
                   cell[r * line:(r + 1) * line] for r in range(self.size))


def buttons_in(hits, origin=(0, 0)):
    """Names the cells found: button number to Button, positions moved by origin."""
    found = {}
    seen_shared = 0
    for x, y, column, row in sorted(hits):
        candidates = COLUMN_BUTTONS.get(column, [])
        if not candidates:
            continue
        if len(candidates) > 1:
            number = candidates[min(seen_shared, len(candidates) - 1)]
            seen_shared += 1
        else:
            number = candidates[0]
        found[number] = Button(number, origin[0] + x, origin[1] + y, 0, column, LOOKS[row])
    return found


class Strip:
    """The button strip of a viewer, found on its main window."""

    def __init__(self, viewer, scale=1):
        self.viewer = viewer
        self.desktop = viewer.desktop
        self.cells = Cells(scale)

    def buttons(self):
        # A window made or destroyed meanwhile (a film's own) can hide it from one search.
        main = self.desktop.wait("the viewer's main window", self.viewer.main_window, 2)
        band = (main.x, main.y, main.x + main.width,
                main.y + min(main.height, 60 * self.cells.scale))
        found = buttons_in(self.cells.find(self.desktop.grab(band)), band[:2])
        for b in found.values():
            b.size = self.cells.size
        return found

    def button(self, number, timeout=3):
        """The button as shown; it may take a moment to be drawn after the strip changes."""
        last = {}

        def shown():
            last["found"] = self.buttons()
            return last["found"].get(number)

        try:
            return self.desktop.wait("button %d" % number, shown, timeout)
        except JourneyFailed:
            raise JourneyFailed("button %d is not on the strip (found %s)" % (
                number, sorted(last.get("found", {}))))

    def click(self, number):
        self.desktop.click(*self.button(number).centre)

    def wait_look(self, number, looks, timeout=5):
        """Until the button shows one of the looks; gives the button."""
        looks = [looks] if isinstance(looks, str) else looks

        def shown():
            b = self.buttons().get(number)
            return b if b and b.look in looks else None

        return self.desktop.wait("button %d to look %s" % (number, "/".join(looks)), shown,
                                 timeout)

    def wait_column(self, number, column, timeout=5):
        def shown():
            b = self.buttons().get(number)
            return b if b and b.column == column else None

        return self.desktop.wait("button %d to show picture %d" % (number, column), shown,
                                 timeout)


# --- tool windows ---------------------------------------------------------------------------

# A tool window the window manager leaves bare draws its own frame and caption, as the panel's
# window model reckons them: a 4-pixel border and a 16-pixel caption.
TOOL_BORDER, TOOL_CAPTION = 4, 16


def inner(window):
    """The window's content: inside the frame and caption it draws itself, when the window
    manager draws none."""
    if window.frame[2] > 0 or window.props.get("inner"):
        return window
    return replace(window, x=window.x + TOOL_BORDER, y=window.y + TOOL_BORDER + TOOL_CAPTION,
                   width=window.width - 2 * TOOL_BORDER,
                   height=window.height - 2 * TOOL_BORDER - TOOL_CAPTION,
                   props=dict(window.props, inner="yes"))


def own_close_box(window):
    """Where the close box of a caption the window draws itself is: at the caption's end."""
    return (window.x + window.width - TOOL_BORDER - 8, window.y + TOOL_BORDER + TOOL_CAPTION // 2)


# --- list windows ---------------------------------------------------------------------------

WHITE = (255, 255, 255)


def is_selection(pixel):
    """The selected row's band: a dark, saturated blue."""
    r, g, b = pixel[:3]
    return b > 80 and r < 60 and g < 80


def selection_band(picture, x):
    """The rows (top, bottom) of the selected row's band, looked for in the five columns from
    x on (one of them is clear of the row's letters)."""
    rows = [y for y in range(picture.size[1])
            if any(is_selection(picture.getpixel((x + i, y))) for i in range(5))]
    return (rows[0], rows[-1] + 1) if rows else None


def list_area(picture, x=10):
    """The rows (top, bottom) of a list window's list box: white or the selection, in column
    x; a frame or caption the window may draw around it is left out."""
    rows = [y for y in range(picture.size[1])
            if picture.getpixel((x, y))[:3] == WHITE or is_selection(picture.getpixel((x, y)))]
    return (rows[0], rows[-1] + 1) if rows else None


def bar_width(picture, rows):
    """How far from the right edge the first white pixel lies, the median over the rows:
    the width of whatever scroll bars stand at the right of a list (0: none)."""
    widths = []
    width = picture.size[0]
    for y in rows:
        run = 0
        for x in range(width - 1, -1, -1):
            if picture.getpixel((x, y))[:3] == WHITE:
                break
            run += 1
        widths.append(run)
    widths.sort()
    return widths[len(widths) // 2] if widths else 0


def text_reaches(picture, right, rows):
    """Whether any row's ink (dark pixels) reaches into the two columns before x = right."""
    for y in rows:
        for x in (right - 2, right - 1):
            r, g, b = picture.getpixel((x, y))[:3]
            if r + g + b < 384:
                return True
    return False


def scroll_thumb(column, arrow=16):
    """The thumb of a vertical scroll bar, from a picture one pixel wide down its middle:
    (top, bottom) of the longest run not of the track's colour between the arrows."""
    colours = [column.getpixel((0, y))[:3] for y in range(column.size[1])]
    inner = colours[arrow:len(colours) - arrow]
    if not inner:
        return None
    track = max(set(inner), key=inner.count)
    best, run_start = None, None
    for y, c in enumerate(inner + [track]):
        if c != track and run_start is None:
            run_start = y
        elif c == track and run_start is not None:
            if best is None or y - run_start > best[1] - best[0]:
                best = (run_start, y)
            run_start = None
    return (best[0] + arrow, best[1] + arrow) if best else None


def knob_x(picture):
    """The middle of a horizontal slider's knob, (x, y) in the picture: the columns where the
    track line is covered. The track is the longest thin line (rows two above and below are of
    another colour, unlike a caption bar) of one colour other than the background."""
    width, height = picture.size
    background = max(picture.getcolors(width * height))[1][:3]
    rows = [[picture.getpixel((x, y))[:3] for x in range(width)] for y in range(height)]
    dominant = [max(set(row), key=row.count) for row in rows]
    best = None
    for y in range(2, height - 2):
        row, colour = rows[y], dominant[y]
        if colour in (background, dominant[y - 2], dominant[y + 2]):
            continue
        span = [x for x, c in enumerate(row) if c == colour]
        if best is None or len(span) > len(best[1]):
            best = (y, span, row, colour)
    if best is None:
        return None
    y, span, row, colour = best
    covered = [x for x in range(span[0], span[-1] + 1) if row[x] != colour]
    if not covered:  # the knob stands over one end of the track: the end with more of it
        before = [x for x in range(0, span[0]) if row[x] != background]
        after = [x for x in range(span[-1] + 1, width) if row[x] != background]
        covered = before if len(before) > len(after) else after
    return (sum(covered) // len(covered), y) if covered else None


# --- dialogs --------------------------------------------------------------------------------

def dialog_point(window, place, scale=1):
    left, top, width, height = place
    return window.point((left + width // 2) * scale, (top + height // 2) * scale)


def region(window, place, size=(16, 16), scale=1):
    left, top = place
    return (window.x + left * scale, window.y + top * scale,
            window.x + (left + size[0]) * scale, window.y + (top + size[1]) * scale)
