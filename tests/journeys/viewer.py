"""The viewer as the journeys run it: one process on the suite's desktop, its standard output
read through a pipe (every event the host receives is a line "  event NAME(ARGS)..."), its
windows found through the X server by its process id, its CPU time read from /proc.

Each viewer gets a folder of its own: its temporary files (the work folder with the chunk
file), its component folder (the catalogue copied in, the error log written there), and its
standard output and error kept as files for a failed journey.
"""

import os
import re
import shutil
import signal
import subprocess
import threading
import time
from pathlib import Path

from desktop import JourneyFailed, check

REPO = Path(__file__).resolve().parents[2]
SAMPLE = REPO / "resources" / "sample"
MAIN_TITLE = "Quindel viewer"
EVENT = re.compile(r"^\s*event (.*)$")


class Viewer:
    def __init__(self, desktop, binary, folder, content=SAMPLE, args=(), env=None, cwd=None,
                 catalogue=True):
        self.desktop = desktop
        self.binary = Path(binary).resolve()
        self.folder = Path(folder)
        self.folder.mkdir(parents=True, exist_ok=True)
        self.content = content
        self.args = list(args)
        self.extra_env = dict(env or {})
        self.cwd = cwd
        self.component = self.folder / "component"
        self.tmp = self.folder / "tmp"
        self._catalogue = catalogue
        self.proc = None
        self.lines = []  # (seconds since start, text) of standard output
        self.errors = []  # lines of standard error
        self._lock = threading.Lock()
        self._started = None

    # --- life ---------------------------------------------------------------------------

    def start(self, wait=True):
        self.component.mkdir(exist_ok=True)
        self.tmp.mkdir(exist_ok=True)
        runtime = self.folder / "runtime"
        runtime.mkdir(mode=0o700, exist_ok=True)
        catalogue = self.binary.parent.parent / "lib" / "Quindel.bin"
        if self._catalogue and catalogue.exists():
            shutil.copy(catalogue, self.component / "Quindel.bin")
        env = self.desktop.env(QT_QPA_PLATFORM="xcb", QUINDEL_AUDIO_SINK="fake",
                               QUINDEL_FOLDER=self.component, TMPDIR=self.tmp,
                               XDG_RUNTIME_DIR=runtime, LC_ALL="C.UTF-8",
                               # A reading state of its own: no viewer resumes another's.
                               XDG_STATE_HOME=self.folder / "state")
        for name in ("QUINDEL_PRINT_PDF", "QT_SCALE_FACTOR", "QUINDEL_MEDIA_ENGINE"):
            env.pop(name, None)
        env.update({k: str(v) for k, v in self.extra_env.items()})
        argv = [str(self.binary)]
        if self.content is not None:
            argv.append(str(self.content))
        argv += [str(a) for a in self.args]
        self._started = time.monotonic()
        self.proc = subprocess.Popen(argv, env=env, cwd=self.cwd or self.folder,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                     stdin=subprocess.DEVNULL)
        threading.Thread(target=self._read, args=(self.proc.stdout, self.lines, "stdout"),
                         daemon=True).start()
        threading.Thread(target=self._read, args=(self.proc.stderr, self.errors, "stderr"),
                         daemon=True).start()
        if wait:
            self.wait_ready()
        return self

    def _read(self, stream, into, name):
        with open(self.folder / ("viewer.%s.txt" % name), "w", encoding="utf-8") as copy:
            for raw in iter(stream.readline, b""):
                text = raw.decode("utf-8", errors="replace").rstrip("\n")
                with self._lock:
                    into.append((time.monotonic() - self._started, text))
                copy.write(text + "\n")
                copy.flush()

    def wait_ready(self, timeout=15):
        """Until the main window is on screen and has painted its first frame."""
        self.desktop.wait("the viewer's main window", self.main_window, timeout)
        self.desktop.wait("the viewer's first painted frame",
                          lambda: any("first frame painted" in t for _, t in self.output()),
                          timeout)

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def stop(self):
        """Ends the viewer (it may be gone already); gives its exit status."""
        if self.proc is None:
            return None
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGKILL)
        status = self.proc.wait(10)
        # A killed viewer cannot tidy up; its work folder is inside ours anyway.
        return status

    def signal(self, number):
        self.proc.send_signal(number)

    def wait_exit(self, timeout=10):
        self.desktop.wait("the viewer to end", lambda: self.proc.poll() is not None, timeout)
        return self.proc.returncode

    @property
    def pid(self):
        return self.proc.pid

    def work_folder(self):
        return self.tmp / ("quindel-viewer-%d" % self.pid)

    # --- what it prints -----------------------------------------------------------------

    def output(self):
        with self._lock:
            return list(self.lines)

    def stderr(self):
        with self._lock:
            return [t for _, t in self.errors]

    def events(self, since=0):
        found = [m.group(1) for m in (EVENT.match(t) for _, t in self.output()) if m]
        return found[since:]

    def mark(self):
        """A place in the event stream; later waits and counts look only after it."""
        return len(self.events())

    def wait_event(self, pattern, since=0, timeout=5):
        """Until an event after the mark matches the pattern; gives the match."""
        regex = re.compile(pattern)

        def found():
            for text in self.events(since):
                match = regex.search(text)
                if match:
                    return match
            return None

        return self.desktop.wait("the event %r (events since: %s)" % (
            pattern, self.events(since)[-6:]), found, timeout)

    def no_event(self, pattern, since=0):
        regex = re.compile(pattern)
        hits = [e for e in self.events(since) if regex.search(e)]
        check(not hits, "unexpected events: %s" % hits)

    # --- windows ------------------------------------------------------------------------

    def windows(self):
        return self.desktop.windows_of(self.pid) if self.running() else []

    def main_window(self):
        for w in self.windows():
            if w.title.endswith(MAIN_TITLE):
                return w
        return None

    def others(self):
        """Its shown windows other than the main window."""
        return [w for w in self.windows() if not w.title.endswith(MAIN_TITLE)]

    def wait_window(self, what, predicate, timeout=5, before=()):
        """Until a shown window, not among before's, satisfies the predicate; gives it."""
        known = {w.wid for w in before}

        def found():
            for w in self.windows():
                if w.wid not in known and predicate(w):
                    return w
            return None

        try:
            return self.desktop.wait(what, found, timeout)
        except JourneyFailed as e:
            raise JourneyFailed("%s; its windows: %s" % (e, self.describe_windows()))

    def describe_windows(self):
        """Every top-level window of the process, shown or not: for a failure's message."""
        out = self.desktop.run(["xdotool", "search", "--pid", str(self.pid)])
        seen = [self.desktop.window(int(wid)) for wid in out.split()]
        return ", ".join("%r %dx%d%s" % (w.title, w.width, w.height,
                                         "" if w.viewable else " (not shown)")
                         for w in seen if w) or "none"

    def wait_gone(self, what, window, timeout=5):
        self.desktop.wait(what, lambda: window.wid not in {w.wid for w in self.windows()},
                          timeout)

    # --- resources ----------------------------------------------------------------------

    def cpu_seconds(self):
        """User and system time the process has used so far."""
        with open("/proc/%d/stat" % self.pid) as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        ticks = int(fields[11]) + int(fields[12])  # utime, stime
        return ticks / os.sysconf("SC_CLK_TCK")

    def log(self):
        """The error log the component wrote, decoded."""
        path = self.component / "Quindel2.LOG"
        return path.read_bytes().decode("cp1250", errors="replace") if path.exists() else ""


def run_once(desktop, binary, folder, args, env=None, timeout=10):
    """Runs the viewer to its end without waiting for a window; gives (status, out, err)."""
    done = subprocess.run([str(binary)] + list(args), env=desktop.env(
        QT_QPA_PLATFORM="xcb", **(env or {})), capture_output=True, timeout=timeout,
        cwd=folder)
    return (done.returncode, done.stdout.decode(errors="replace"),
            done.stderr.decode(errors="replace"))

