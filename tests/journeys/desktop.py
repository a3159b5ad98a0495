"""The desktop the journeys run on: an X server of their own (Xvfb, numbered by the server
itself through -displayfd, so parallel runs never clash), a window manager (openbox), the
pointer and the keyboard (xdotool), the windows the server has (xwininfo, xprop, wmctrl) and
the picture on screen (PIL's grab of the root window).

Nothing here knows the viewer. Every wait polls a condition against a deadline; a wait that
runs out raises JourneyFailed, after saving the screen into the journey's folder.
"""

import os
import re
import shutil
import subprocess
import time
from dataclasses import dataclass, field
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFont, ImageGrab

HERE = Path(__file__).resolve().parent
SCREEN = (1280, 1024)
# The toolkit's text: its default face at its default size on a 96 dpi screen.
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FONT_PIXELS = 12


class JourneyFailed(AssertionError):
    """A check or a wait of a journey failed; the message says what a person would have seen."""


def check(condition, message):
    if not condition:
        raise JourneyFailed(message)


class Desktop:
    """An X display with a window manager, and the tools that act on it and look at it."""

    REST = (SCREEN[0] - 8, SCREEN[1] - 8)  # where no window opens

    def __init__(self, display=None, window_manager=True):
        self.display = display
        self._server = None
        self._wm = None
        self._window_manager = window_manager
        self._shots = None
        self._shot_count = 0

    @property
    def shots(self):
        """Where a failed wait saves the screen; set per journey."""
        return self._shots

    @shots.setter
    def shots(self, folder):
        self._shots = folder
        self._shot_count = 0

    # --- life ---------------------------------------------------------------------------

    def start(self):
        if self.display is None:
            self._start_server()
        if self._window_manager:
            self._start_window_manager()
        return self

    def _start_server(self):
        read_end, write_end = os.pipe()
        self._server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             "%dx%dx24" % SCREEN, "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb ended before it named its display")
                number += chunk
        self.display = ":" + number.decode().strip()

    def _start_window_manager(self):
        self._wm = subprocess.Popen(
            ["openbox", "--config-file", str(HERE / "openbox-rc.xml")],
            env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until("the window manager to take the screen",
                   lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.run(
                       ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]), timeout=10)

    def stop(self):
        for proc in (self._wm, self._server):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()

    def env(self, **extra):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        env.pop("WAYLAND_DISPLAY", None)
        env.update({k: str(v) for k, v in extra.items()})
        return env

    def run(self, argv, check_status=False, timeout=10, input=None):
        """Runs a tool against this display; its standard output as text."""
        done = subprocess.run(argv, env=self.env(), capture_output=True, timeout=timeout,
                              input=input)
        if check_status and done.returncode != 0:
            raise JourneyFailed("%s failed: %s" % (" ".join(argv),
                                                   done.stderr.decode(errors="replace")))
        return done.stdout.decode(errors="replace")

    def wait(self, what, condition, timeout=5.0, interval=0.03):
        return wait_until(what, condition, timeout, interval, desktop=self)

    def appears(self, condition, timeout, interval=0.03):
        """Like wait, for something that may rightly never come: None when it did not."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(interval)
        return None

    # --- pointer and keyboard -----------------------------------------------------------

    def xdotool(self, *args):
        self.run(["xdotool"] + [str(a) for a in args], check_status=True)

    def move(self, x, y):
        # A synchronous move to where the pointer already is would wait for ever.
        if self.pointer() != (x, y):
            self.xdotool("mousemove", "--sync", x, y)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("click", button)

    def press(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("mousedown", button)

    def release(self, button=1):
        self.xdotool("mouseup", button)

    def drag(self, start, end, steps=8, on_step=None):
        """Presses at start, moves to end in steps (calling on_step(i, point) after each move)
        and releases there, as a hand does."""
        self.press(*start)
        for i in range(1, steps + 1):
            point = (start[0] + (end[0] - start[0]) * i // steps,
                     start[1] + (end[1] - start[1]) * i // steps)
            self.move(*point)
            if on_step:
                on_step(i, point)
        self.release()

    def wheel(self, x, y, down=True, turns=1):
        self.move(x, y)
        self.xdotool("click", "--repeat", turns, "--delay", 30, "5" if down else "4")

    def key(self, *keys, window=None):
        args = ["key"]
        if window is not None:
            args += ["--window", window]
        self.xdotool(*(args + list(keys)))

    def type_text(self, text):
        self.xdotool("type", "--delay", 5, text)

    def pointer(self):
        out = self.run(["xdotool", "getmouselocation", "--shell"])
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"])

    # --- windows ------------------------------------------------------------------------

    def windows_of(self, pid):
        """The viewable top-level windows of a process, in stacking order of creation."""
        out = self.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)])
        found = []
        for line in out.split():
            info = self.window(int(line))
            if info and info.viewable:
                found.append(info)
        return found

    def window(self, wid):
        """What the server and the window manager say of one window; None once it is gone."""
        info = parse_xwininfo(self.run(["xwininfo", "-id", str(wid)]))
        if info is None:
            return None
        props = parse_xprop(self.run(
            ["xprop", "-id", str(wid), "_NET_WM_NAME", "WM_TRANSIENT_FOR",
             "_NET_WM_WINDOW_TYPE", "_NET_FRAME_EXTENTS", "_NET_WM_STATE", "WM_NORMAL_HINTS"]))
        return Window(wid=wid, props=props, **info)

    def close_by_window_manager(self, window):
        """Asks the window manager to close the window, as its close box does."""
        self.run(["wmctrl", "-i", "-c", hex(window.wid)], check_status=True)

    def activate(self, window):
        self.run(["wmctrl", "-i", "-a", hex(window.wid)], check_status=True)

    def resize(self, window, width, height):
        """Asks the window manager for a new client size, as dragging a frame edge does."""
        self.run(["wmctrl", "-i", "-r", hex(window.wid), "-e",
                  "0,-1,-1,%d,%d" % (width, height)], check_status=True)

    def active_window(self):
        out = self.run(["xdotool", "getactivewindow"]).strip()
        return int(out) if out.isdigit() else None

    # --- the screen ---------------------------------------------------------------------

    def grab(self, box=None):
        """The picture on screen (the pointer is not in it), whole or the box's part."""
        img = ImageGrab.grab(xdisplay=self.display)
        return img.crop(box) if box else img

    def save_shot(self, name):
        """Saves the screen into the journey's folder; the file, or None without a folder."""
        if self.shots is None:
            return None
        self._shot_count += 1
        path = Path(self.shots) / ("%02d-%s.png" % (self._shot_count, name))
        try:
            self.grab().save(path)
        except OSError:
            return None
        return path


@dataclass
class Window:
    wid: int
    x: int
    y: int
    width: int
    height: int
    viewable: bool
    props: dict = field(default_factory=dict)

    @property
    def title(self):
        return self.props.get("_NET_WM_NAME", "")

    @property
    def rect(self):
        """The client area on the screen: left, top, right, bottom (right and bottom outside)."""
        return (self.x, self.y, self.x + self.width, self.y + self.height)

    @property
    def frame(self):
        """Frame widths the window manager added: left, right, top, bottom."""
        extents = self.props.get("_NET_FRAME_EXTENTS")
        return tuple(int(v) for v in extents.split(",")) if extents else (0, 0, 0, 0)

    @property
    def outer(self):
        left, right, top, bottom = self.frame
        return (self.x - left, self.y - top, self.x + self.width + right,
                self.y + self.height + bottom)

    @property
    def transient_for(self):
        value = self.props.get("WM_TRANSIENT_FOR", "")
        match = re.search(r"0x[0-9a-fA-F]+", value)
        return int(match.group(0), 16) if match else None

    @property
    def types(self):
        return [t.strip() for t in self.props.get("_NET_WM_WINDOW_TYPE", "").split(",") if t]

    def point(self, x, y):
        """A point given in the client area's pixels, on the screen."""
        return (self.x + x, self.y + y)


def parse_xwininfo(text):
    values = {}
    for key, pattern in (("x", r"Absolute upper-left X:\s+(-?\d+)"),
                         ("y", r"Absolute upper-left Y:\s+(-?\d+)"),
                         ("width", r"\bWidth:\s+(\d+)"), ("height", r"\bHeight:\s+(\d+)")):
        match = re.search(pattern, text)
        if not match:
            return None
        values[key] = int(match.group(1))
    values["viewable"] = "IsViewable" in text
    return values


def parse_xprop(text):
    """Property name to value text; the hint lines of WM_NORMAL_HINTS are kept as its value."""
    props = {}
    current = None
    for line in text.splitlines():
        if line.startswith(("\t", " ")) and current:
            props[current] += line.strip() + "\n"
            continue
        match = re.match(r"(\w+)(?:\([^)]*\))?(?::| =)\s*(.*)", line)
        if not match:
            continue
        name, value = match.groups()
        if "not found" in value or "no such atom" in value:
            continue
        current = name
        props[name] = value.strip().strip('"') if value.strip() else ""
    return props


def wait_until(what, condition, timeout=5.0, interval=0.03, desktop=None):
    """Polls condition until it gives a true value, which it returns. When the deadline
    passes the journey fails, saying what it waited for; the screen is saved then."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            shot = desktop.save_shot("timeout") if desktop else None
            raise JourneyFailed("waited %.1f s for %s%s" % (
                timeout, what, " (screen: %s)" % shot if shot else ""))
        time.sleep(interval)


def find_picture(picture, part):
    """Where part stands whole, pixel for pixel, in the picture: (x, y), or None."""
    picture, part = picture.convert("RGB"), part.convert("RGB")
    (width, height), (w, h) = picture.size, part.size
    data, rows = picture.tobytes(), [part.tobytes()[r * w * 3:(r + 1) * w * 3] for r in range(h)]
    stride = width * 3
    for y in range(height - h + 1):
        line = data[y * stride:(y + 1) * stride]
        at = line.find(rows[0])
        while at >= 0:
            if at % 3 == 0 and all(
                    data[(y + r) * stride + at:(y + r) * stride + at + w * 3] == rows[r]
                    for r in range(1, h)):
                return (at // 3, y)
            at = line.find(rows[0], at + 1)
    return None


def tools_missing():
    """The programs the journeys need that this machine lacks."""
    needed = ["Xvfb", "openbox", "xdotool", "wmctrl", "xwininfo", "xprop", "xclip",
              "pdftotext", "pdftoppm"]
    return [tool for tool in needed if shutil.which(tool) is None]


def difference(a, b):
    """The share of pixels that differ between two pictures of the same size."""
    if a.size != b.size:
        return 1.0
    diff = ImageChops.difference(a.convert("RGB"), b.convert("RGB")).convert("L")
    histogram = diff.histogram()
    return 1.0 - histogram[0] / (a.size[0] * a.size[1])


def text_score(picture, text, pixels=FONT_PIXELS):
    """How badly the text, drawn in the toolkit's face, matches its best place in the picture
    (dark text on a light ground): near 0 where it is written, 0.3 and more where it is not.
    Letters may stand a fraction of a pixel sideways from where they are drawn here, so ink
    is matched to ink within a pixel left or right."""
    font = ImageFont.truetype(FONT, pixels)
    left, top, right, bottom = font.getbbox(text)
    drawn = Image.new("L", (right - left + 2, bottom - top + 2), 0)
    ImageDraw.Draw(drawn).text((1 - left, 1 - top), text, font=font, fill=255)
    ink = picture.convert("L").point(lambda v: 255 - v)
    (width, height), (w, h) = ink.size, drawn.size
    rough = []
    for y in range(height - h + 1):
        for x in range(width - w + 1):
            diff = ImageChops.difference(ink.crop((x, y, x + w, y + h)), drawn)
            rough.append((sum(i * n for i, n in enumerate(diff.histogram())), x, y))
    rough.sort()
    mask = drawn.point(lambda v: 255 if v > 100 else 0)
    near_mask = _widened(mask)
    best = 1.0
    for _, x, y in rough[:12]:
        seen = ink.crop((x, y, x + w, y + h)).point(lambda v: 255 if v > 100 else 0)
        near_seen = _widened(seen)
        missing = _share(ImageChops.subtract(mask, near_seen), mask)
        extra = _share(ImageChops.subtract(seen, near_mask), seen)
        best = min(best, (missing + extra) / 2)
    return best


def _widened(mask):
    """The mask with each ink pixel spread one pixel left and right."""
    return ImageChops.lighter(mask, ImageChops.lighter(ImageChops.offset(mask, 1, 0),
                                                       ImageChops.offset(mask, -1, 0)))


def _share(part, whole):
    """The share of whole's ink that part keeps."""
    total = whole.histogram()[255]
    return part.histogram()[255] / total if total else 1.0


def shows_text(picture, text):
    """Whether the picture shows the text (a word or two; not told apart from a word that
    differs in one letter)."""
    return text_score(picture, text) < 0.08
