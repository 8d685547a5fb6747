"""One Vexolin per session: later starts hand their files to the running window and end at once.

A playlist, a database and a media file handed over land in the first window, as the status
line and the window title tell a screen reader; while the record editor is open a database is
left out and the window says why; a start with --new-window runs on its own beside it.

usage: handover.py <vexolin> <build-dir> <folder holding Two.vxplaylist, Two.VxDatabase, media/>
"""
import os
import subprocess
import sys
import tempfile

from vexolin_atspi import Failure, Program, find, press, run_checked, wait_until


def main(vexolin, build, folder):
    run_checked(vexolin, [], lambda program: check(program, vexolin, folder), screen=f"{build}/e2e-handover-failure.png", what="the first program")


def start_later(vexolin, folder, *arguments):
    """A later start from the folder (its relative paths are the folder's); it must end at once."""
    try:
        done = subprocess.run([vexolin, *arguments], cwd=folder, capture_output=True, timeout=20)
    except subprocess.TimeoutExpired:
        raise Failure(f"'vexolin {' '.join(arguments)}' did not end: it opened a window of its own")
    if done.returncode != 0:
        raise Failure(f"'vexolin {' '.join(arguments)}' ended with {done.returncode}: {done.stderr.decode()}")


def check(program, vexolin, folder):
    frame = program.main_window()
    status_line = find(frame, "label", description="Status")

    def status_is(expected):
        wait_until(lambda: status_line.name == expected, 10, f"the status line to say {expected!r} "
                   f"(it says {status_line.name!r})")

    status_is("Artists: 0    Titles: 0    Playlist: 0 files")

    start_later(vexolin, folder, "Two.vxplaylist")
    status_is("Artists: 0    Titles: 0    Playlist: 2 files")
    start_later(vexolin, folder, "Two.VxDatabase")
    status_is("Artists: 1    Titles: 2    Playlist: 2 files")
    print("ok: a later start handed over a playlist, another a database, and both ended")

    start_later(vexolin, os.path.join(folder, "media"), "tone03.wav")
    playing = "Vexolin: " + os.path.join(folder, "media", "tone03.wav")
    wait_until(lambda: frame.name == playing, 10, f"the window title {playing!r} (it is {frame.name!r})")
    status_is("Artists: 1    Titles: 2    Playlist: 3 files")
    print(f"ok: a media file handed over was appended and plays: {frame.name!r}")

    # With the record editor open a database is left out, and the window says why.
    program.choose_menu_item("Database", "Edit", frame)
    start_later(vexolin, folder, "Demo.VxDatabase")
    notice = program.window("Vexolin")
    text = find(notice, "label", name_starts="Vexolin cannot open").name
    if "The record editor is open" not in text:
        raise Failure(f"the notice says {text!r}")
    press(find(notice, "push button", name="OK"))
    status_is("Artists: 1    Titles: 2    Playlist: 3 files")
    print("ok: with the record editor open the database was left out: " + text.replace("\n", " "))

    # --new-window: a window of its own, which takes nothing from later starts.
    with tempfile.TemporaryFile() as log:
        separate = Program(vexolin, ["--new-window"], log)
        try:
            separate.main_window()
            start_later(vexolin, os.path.join(folder, "media"), "tone04.wav")
            status_is("Artists: 1    Titles: 2    Playlist: 4 files")
        finally:
            status = separate.end()
    if status != 0:
        raise Failure(f"the --new-window program ended with status {status}")
    print("ok: --new-window ran beside the first, which still took the next start's file")


if __name__ == "__main__":
    try:
        main(*sys.argv[1:4])
    except Failure as failure:
        print(f"FAIL: {failure}")
        sys.exit(1)
