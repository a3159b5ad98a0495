"""The journeys by name, and what each gets to run with: the desktop, its own output folder,
and viewers started for it that end with it."""

from dataclasses import dataclass
from pathlib import Path

from panel import Strip
from viewer import Viewer


@dataclass
class Journey:
    name: str
    item: int  # the issue item it keeps mended; 0 for a happy path
    run: object


JOURNEYS = []


def journey(name, item=0):
    def register(fn):
        JOURNEYS.append(Journey(name, item, fn))
        return fn

    return register


def journeys(name_prefix, item, cases, fn):
    """One journey per case of a table: NAME_PREFIX-CASE runs fn(trip, case)."""
    for case in cases:
        JOURNEYS.append(Journey("%s-%s" % (name_prefix, case.name), item,
                                lambda trip, c=case: fn(trip, c)))


class Trip:
    """One journey's run."""

    def __init__(self, desktop, binary, folder):
        self.desktop = desktop
        self.binary = Path(binary).resolve()
        self.folder = Path(folder)
        self.viewers = []

    def viewer(self, args=(), env=None, wait=True, name=None, show=None, **kw):
        """A viewer for this journey; with show, opened on the first object of that type (the
        viewer steps onto it with next or previous once its window is up)."""
        folder = self.folder / (name or "viewer%d" % (len(self.viewers) + 1))
        args = list(args) + (["--show", show] if show else [])
        v = Viewer(self.desktop, self.binary, folder, args=args, env=env, **kw)
        self.viewers.append(v)
        v.start(wait=wait)
        if wait:
            # The first painted frame may be another widget's: wait for the strip too.
            strip = self.strip(v, scale=int((env or {}).get("QT_SCALE_FACTOR", 1)))
            self.desktop.wait("the button strip", lambda: len(strip.buttons()) >= 10)
        if show and wait:
            v.wait_event(r"PulsantePremuto\(1[01], 0\)", timeout=10)
        return v

    def strip(self, viewer, scale=1):
        return Strip(viewer, scale)

    def end(self):
        for v in self.viewers:
            v.stop()
