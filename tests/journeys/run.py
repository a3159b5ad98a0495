#!/usr/bin/python3
"""Runs the desktop journeys: the real viewer on an X server of its own under openbox, driven
as a person drives it. One line per journey: its name, passed or failed, seconds.

  /usr/bin/python3 tests/journeys/run.py --viewer build/bin/quindel-viewer [--only NAME...]
                   [--keep] [--out DIR] [--display :N] [--list]

--only runs the journeys named, or whose names start with one of the names and a dash
(item4 runs item4-drag-thumb and item4-drag-knob); --keep keeps the
output folders of passed journeys too (failed ones are always kept, with a screenshot at the
failure); --display uses a running X server (with its own window manager) instead of starting
one. Exits 0 when every journey passed, 1 when one failed, 2 when the desktop tools are missing.
"""

import argparse
import shutil
import sys
import tempfile
import time
import traceback
from pathlib import Path

sys.dont_write_bytecode = True  # the source tree stays as checked out
sys.path.insert(0, str(Path(__file__).resolve().parent))

import j_copyprint  # noqa: E402,F401  (each module registers its journeys)
import j_density  # noqa: E402,F401
import j_desktop  # noqa: E402,F401
import j_display  # noqa: E402,F401
import j_errors  # noqa: E402,F401
import j_lists  # noqa: E402,F401
import j_panorama  # noqa: E402,F401
import j_search  # noqa: E402,F401
from desktop import Desktop, JourneyFailed, tools_missing  # noqa: E402
from registry import JOURNEYS, Trip  # noqa: E402


def parse():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--viewer", required=True, help="the quindel-viewer program")
    p.add_argument("--only", nargs="+", default=[], metavar="NAME",
                   help="journeys by name, or by the stem before a dash (item4)")
    p.add_argument("--keep", action="store_true",
                   help="keep the output of passed journeys too")
    p.add_argument("--out", help="folder for the journeys' output (default: a new one in /tmp)")
    p.add_argument("--display", help="use this X display instead of starting Xvfb and openbox")
    p.add_argument("--list", action="store_true", help="list the journeys and exit")
    return p.parse_args()


def chosen(only):
    """The journeys asked for: the happy paths first, then by the item they keep mended."""
    ordered = sorted(JOURNEYS, key=lambda j: j.item)
    return [j for j in ordered if not only or any(
        j.name == o or j.name.startswith(o + "-") for o in only)]


def run_one(desktop, binary, out, journey):
    folder = out / journey.name
    folder.mkdir(parents=True, exist_ok=True)
    desktop.shots = folder
    desktop.move(*desktop.REST)  # the pointer waits off every window, as a hand at rest
    trip = Trip(desktop, binary, folder)
    started = time.monotonic()
    failure = None
    try:
        journey.run(trip)
    except JourneyFailed as e:
        failure = str(e)
    except Exception:  # a broken journey or tool: its trace, and the run goes on
        failure = traceback.format_exc().strip().splitlines()[-1]
        (folder / "trace.txt").write_text(traceback.format_exc())
    if failure and not any(folder.glob("*.png")):
        desktop.save_shot("failed")
    trip.end()
    return failure, time.monotonic() - started, folder


def main():
    args = parse()
    selected = chosen(args.only)
    if args.list:
        for j in selected:
            print("%-40s item %s" % (j.name, j.item or "-"))
        return 0
    missing = tools_missing()
    if missing:
        print("missing tools: %s" % " ".join(missing))
        return 2
    out = Path(args.out) if args.out else Path(tempfile.mkdtemp(prefix="quindel-journeys-"))
    out.mkdir(parents=True, exist_ok=True)
    desktop = Desktop(display=args.display, window_manager=args.display is None).start()
    failed = []
    total = time.monotonic()
    try:
        for journey in selected:
            failure, seconds, folder = run_one(desktop, args.viewer, out, journey)
            status = "failed" if failure else "passed"
            print("%-40s %s %6.1f s" % (journey.name, status, seconds), flush=True)
            if failure:
                failed.append(journey.name)
                print("    %s\n    (output in %s)" % (failure, folder), flush=True)
            elif not args.keep:
                shutil.rmtree(folder, ignore_errors=True)
    finally:
        desktop.stop()
    print("%d journeys, %d failed, %.1f s" % (len(selected), len(failed),
                                               time.monotonic() - total))
    if not failed and not args.keep and not args.out:
        shutil.rmtree(out, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
