"""A panorama dragged full screen: while a hand drags it to and fro for two seconds the viewer
renders at least 50 views a second, each view counted by the line it writes to the file named
by QUINDEL_FRAME_LOG (the seconds of the monotonic clock, which time.monotonic reads too)."""

import ctypes
import ctypes.util
import time

from PIL import Image

from content import linked_copy
from desktop import SCREEN, check
from j_display import NEXT, PANEL_HEIGHT, PREVIOUS, STAGE_BACK, STATUS_HEIGHT, count, stage, still
from registry import journey
from viewer import SAMPLE

LEAST_FPS = 50
DRAG_SECONDS = 2.0
# A quick hand: a move every 8 ms, more often than the view follows the pointer (15 ms), so
# every turn the view could take has a new place to go.
MOVE_EVERY, SWING = 0.008, 240


def full_screen_panorama(folder, width, height):
    """The sample with its first panorama 8000 x 4000 pixels and its window width x height."""
    folder = linked_copy(folder, ["media/panoramy"])
    own, sample = folder / "media" / "panoramy", SAMPLE / "media" / "panoramy"
    own.mkdir()
    with Image.open(sample / "PANO01.JPG") as small:
        small.convert("RGB").resize((8000, 4000), Image.BILINEAR).save(own / "PANO01.JPG",
                                                                       quality=85)
    (own / "PANO02.JPG").symlink_to(sample / "PANO02.JPG")
    (own / "PosQTVR.bin").write_bytes(b"".join(
        b"%-12s%6d%5d\r\n" % (name, height, width) for name in (b"PANO01.JPG", b"PANO02.JPG")))
    return folder


def frames(log):
    """The moments views were rendered, in seconds."""
    if not log.exists():
        return []
    return [float(line) for line in log.read_text().split()]


class Hand:
    """The pointer moved through the X server's test extension: a move costs no process, so a
    quick hand keeps its pace on a busy machine."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst"))
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(display.encode())
        check(self.display, "cannot open the display %s" % display)

    def swing(self, x, y, seconds):
        """To and fro about (x, y), a move every MOVE_EVERY seconds, for the seconds given."""
        started, moves, dx, step = time.monotonic(), 0, 0, 12
        while time.monotonic() < started + seconds:
            if abs(dx + step) > SWING:
                step = -step
            dx += step
            self.xtst.XTestFakeMotionEvent(self.display, -1, x + dx, y, 0)
            self.x11.XFlush(self.display)
            moves += 1
            # The pace of the hand, not a wait for the viewer.
            time.sleep(max(0.0, started + moves * MOVE_EVERY - time.monotonic()))

    def close(self):
        self.x11.XCloseDisplay(self.display)


@journey("panorama-drag-full-screen")
def panorama_drag_full_screen(trip):
    """Dragging a panorama of 8000 x 4000 pixels over the whole stage of a viewer filling the
    screen keeps 50 frames a second."""
    log = trip.folder / "frames.log"
    # The stage of a viewer filling the screen, under its panel and over its status line.
    content = full_screen_panorama(trip.folder / "content", SCREEN[0],
                                   SCREEN[1] - PANEL_HEIGHT - STATUS_HEIGHT)
    v = trip.viewer(show="F3", env={"QUINDEL_FRAME_LOG": log}, content=content)
    d = trip.desktop
    d.run(["wmctrl", "-i", "-r", hex(v.main_window().wid), "-b", "add,fullscreen"],
          check_status=True)
    d.wait("the viewer to fill the screen", lambda: (
        v.main_window().width, v.main_window().height) == SCREEN)
    # Shown again on the larger stage: back a step and forward again.
    strip = trip.strip(v)
    for button in (PREVIOUS, NEXT):
        mark = v.mark()
        strip.click(button)
        v.wait_event(r"PulsantePremuto\(%d, 0\)" % button, mark)
    left, top, right, bottom = stage(v)
    shown, _ = still(trip, (left, top, right, bottom), "the panorama to show at full size",
                     timeout=20)
    uncovered = count(shown, lambda c: c[:3] == STAGE_BACK)
    check(uncovered < shown.size[0] * shown.size[1] // 100,
          "the panorama leaves %d pixels of the stage uncovered" % uncovered)
    check(frames(log), "the panorama rendered no view (is the object shown a panorama?)")
    centre = ((left + right) // 2, (top + bottom) // 2)
    hand = Hand(d.display)
    d.press(*centre)
    started, cpu = time.monotonic(), v.cpu_seconds()
    try:
        hand.swing(*centre, DRAG_SECONDS)
    finally:
        hand.close()
    ended, cpu = time.monotonic(), v.cpu_seconds() - cpu
    d.save_shot("dragged")
    d.release()
    seen = [t for t in frames(log) if started <= t <= ended]
    gaps = [b - a for a, b in zip(seen, seen[1:])]
    fps = len(seen) / (ended - started)
    (trip.folder / "fps.txt").write_text(
        "%.1f views a second, %d in %.2f s, %d x %d, the viewer's CPU %.1f ms a view\n" % (
            fps, len(seen), ended - started, right - left, bottom - top,
            1000 * cpu / max(len(seen), 1)))
    check(fps >= LEAST_FPS, "%d views in %.2f s of dragging over %d x %d: %.1f a second, the "
          "longest wait %.0f ms" % (len(seen), ended - started, right - left, bottom - top, fps,
                                    1000 * max(gaps, default=ended - started)))
