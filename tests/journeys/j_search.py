"""Journeys through find-as-you-type and the reading the viewer remembers: Ctrl+F, a few letters
typed, Enter shows the object; closed and opened again, the viewer comes back to it; --fresh and
a damaged state file open at the start."""

import search_index
from content import linked_copy
from desktop import check
from registry import journey

WANTED = "Zwierzęta Wisły: rybitwa rzeczna"  # record 111 of the sample: far past the first chunk
SHOWN = r"ClickListaOggettiMM\(\d+\): " + WANTED


def searchable(trip):
    content = linked_copy(trip.folder / "content", ["search.sqlite"])
    search_index.write(content)
    return content


def state_env(trip):
    return {"XDG_STATE_HOME": trip.folder / "state"}


def find_and_show(trip, v):
    d = trip.desktop
    main = v.main_window()
    d.activate(main)
    d.wait("the main window to take the focus", lambda: d.active_window() == main.wid)
    mark = v.mark()
    d.key("ctrl+f")
    d.type_text("rybit")
    d.key("Down")
    d.key("Return")
    v.wait_event(SHOWN, mark, timeout=10)
    return main


@journey("search-type-enter-shows")
def type_and_enter(trip):
    """Typed letters find the object; Enter shows it through the list, as a click would."""
    content = searchable(trip)
    v = trip.viewer(content=content, env=state_env(trip))
    find_and_show(trip, v)
    check(v.running(), "the viewer ended")


@journey("search-remembered-on-reopen")
def reopen(trip):
    """Closed on an object, opened again on the same folder, the viewer shows that object;
    --fresh opens at the start; a damaged state file is ignored with a warning."""
    content = searchable(trip)
    env = state_env(trip)
    first = trip.viewer(content=content, env=env, name="first")
    main = find_and_show(trip, first)
    trip.desktop.close_by_window_manager(main)
    first.wait_exit()
    states = list((trip.folder / "state" / "quindel").glob("*.state"))
    check(len(states) == 1, "one state file after closing, found %d" % len(states))

    again = trip.viewer(content=content, env=env, name="again")
    again.wait_event(SHOWN, timeout=10)

    fresh = trip.viewer(content=content, env=env, args=["--fresh"], name="fresh")
    trip.desktop.appears(lambda: fresh.events(), 1.5)
    check(not any("ClickListaOggettiMM" in e for e in fresh.events()),
          "--fresh showed an object: %s" % fresh.events())

    states[0].write_bytes(b"\x00garbage\n")
    damaged = trip.viewer(content=content, env=env, name="damaged")
    trip.desktop.wait("a warning about the state file",
                      lambda: any("reading state" in e for e in damaged.stderr()))
    check(damaged.running(), "a damaged state file ended the viewer")
