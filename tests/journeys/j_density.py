"""Journeys on a dense screen (a device pixel ratio of 2): the strip shows the artwork drawn at
twice the size (found by its cells, see panel.py), and the custom pointer the X server shows is
that artwork too, transparent around the shape, its hot spot at its centre."""

import ctypes

from desktop import check
from panel import COPY, COPY_WIDTH, dialog_point
from registry import journey

COPY_BUTTON = 5


class _CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def shown_pointer(display):
    """The pointer the X server shows: (width, height, hot x, hot y, ARGB words), by XFixes."""
    x11, xfixes = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXfixes.so.3")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        raise RuntimeError("cannot open display %s" % display)
    try:
        image = xfixes.XFixesGetCursorImage(dpy)
        c = image.contents
        pixels = [c.pixels[i] & 0xFFFFFFFF for i in range(c.width * c.height)]
        shown = (c.width, c.height, c.xhot, c.yhot, pixels)
        x11.XFree(image)
        return shown
    finally:
        x11.XCloseDisplay(dpy)


@journey("dense-screen-pointer")
def dense_pointer(trip):
    v = trip.viewer(env={"QT_SCALE_FACTOR": 2})  # waits for the strip's 2x cells
    before = v.windows()
    trip.strip(v, scale=2).click(COPY_BUTTON)
    dialog = v.wait_window("the copy dialog", lambda w: w.width == 2 * COPY_WIDTH, before=before)
    # The dialog's labels take the zoom pointer.
    trip.desktop.move(*dialog_point(dialog, COPY["Inne:"], scale=2))
    width, height, hx, hy, pixels = trip.desktop.wait(
        "the zoom pointer over a label",
        lambda: (lambda p: p if p[0] == 64 else None)(shown_pointer(trip.desktop.display)))
    check(height == 64, "the pointer is %dx%d, not the 32-pixel art doubled" % (width, height))
    check((hx, hy) == (32, 32), "the pointer's hot spot is at %d,%d of its %dx%d pixels" % (
        hx, hy, width, height))
    check(pixels[0] >> 24 == 0, "the pointer's corner shows %08x, not the screen below it" %
          pixels[0])
    check(pixels[32 * 64 + 32] >> 24 == 0xFF, "the pointer's centre is not drawn")
