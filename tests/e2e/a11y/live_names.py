"""What a screen reader hears while an entry plays: the status line, the clocks and the entry
counter say what the screen shows, and their changes reach the bus as name changes; controls
without text are named by their role.

usage: live_names.py <vexolin> <build-dir> <database of two 3-second tones>
"""
import subprocess
import sys

import pyatspi

from vexolin_atspi import Failure, extents, find, press, run_checked, wait_until

FIRST = "Vexolin: The Examples - First Song"
LENGTH = 3  # seconds of each tone


def seconds(clock):
    h, m, s = (int(part) for part in clock.split(":"))
    return 3600 * h + 60 * m + s


def main(vexolin, build, database):
    renamed = []  # names announced by the program, as (role, description, new name)

    def on_rename(event):
        source = event.source
        renamed.append((source.getRoleName(), source.description, source.name))

    pyatspi.Registry.registerEventListener(on_rename, "object:property-change:accessible-name")

    run_checked(vexolin, [database], lambda program: check(program, renamed), screen=f"{build}/e2e-live-names-failure.png")


def check(program, renamed):
    frame = program.main_window()
    status_line = find(frame, "label", description="Status")
    play_time = find(frame, "label", description="Play time")
    time_left = find(frame, "label", description="Time left")
    counter = find(frame, "label", description="Entry of the open media")

    expected = "Artists: 1    Titles: 2    Playlist: 0 files"
    wait_until(lambda: status_line.name == expected, 5, f"the status line to say {expected!r}")
    find(frame, "label", name_starts="Vexolin V1.77   -   ")  # the credit line as start-up wrote it
    print(f"ok: the status line reads {status_line.name!r}, the credit line as shown")

    # Controls without text of their own keep their roles as names.
    for role, name in [("push button", "Play"), ("push button", "Next playlist entry"), ("list", "Artists"),
                       ("list", "Titles"), ("list", "Playlist"), ("text", "Artist"), ("filler", "Player")]:
        find(frame, role, name=name)
    print("ok: glyph buttons, lists, fields and the player are named by their roles")

    press(find(frame, "push button", name="All to Playlist"))
    expected = "Artists: 1    Titles: 2    Playlist: 2 files"
    wait_until(lambda: status_line.name == expected, 5, f"the status line to say {expected!r}")
    playlist = find(frame, "list", name="Playlist")
    if playlist.childCount != 2:
        raise Failure(f"the playlist has {playlist.childCount} children, not 2")
    if not any(description == "Status" and name == expected for _, description, name in renamed):
        raise Failure("no name change of the status line reached the bus")
    print(f"ok: after All to Playlist the status line reads {expected!r}, and said so on the bus")

    # A click on the first row opens it.
    x, y, _, _ = extents(playlist)
    subprocess.run(["xdotool", "mousemove", "--sync", str(x + 40), str(y + 8), "click", "1"], check=True)
    wait_until(lambda: frame.name == FIRST, 10, f"the window title {FIRST!r}")

    # The length shows as soon as the player knows it, before the first second has passed.
    def length_shown():
        if play_time.name != "00:00:00":
            raise Failure(f"the play time reached {play_time.name!r} while the time left read {time_left.name!r}")
        return time_left.name == "00:00:03"
    wait_until(length_shown, 5, "the time left to show the length of the entry")
    print("ok: right after the entry opened the clocks read '00:00:00' and '00:00:03'")

    wait_until(lambda: play_time.name != "00:00:00", 5, "the play time to advance")
    # Both clocks are written in the same tick; read them until a read falls between two ticks.
    wait_until(lambda: seconds(play_time.name) + seconds(time_left.name) == LENGTH, 3,
               f"play time and time left to add up to {LENGTH} s")
    if not any(description == "Play time" and name != "00:00:00" for _, description, name in renamed):
        raise Failure("no name change of the play time reached the bus")
    if counter.name != "1/1":
        raise Failure(f"the entry counter reads {counter.name!r}")
    print(f"ok: while the entry plays the clocks read {play_time.name!r} and {time_left.name!r}, "
          f"the counter {counter.name!r}")


if __name__ == "__main__":
    try:
        main(*sys.argv[1:4])
    except Failure as failure:
        print(f"FAIL: {failure}")
        sys.exit(1)
