"""Database > Import folder... in the real program: a folder of tagged MP3 files becomes records
named from their tags, none from their file names and none left unread, as the closing message
says. The folder chooser opens on the folder the program started in, which is the one imported.

usage: import.py <vexolin> <build-dir> <empty folder to work in>
"""
import os
import struct
import subprocess
import sys

from vexolin_atspi import Failure, children, find, press, run_checked, showing, wait_until

# Artist, title and genre of each file.
TAGS = [("The Examples", "First Song", "Rock"), ("Other Examples", "Second Song", "Jazz")]


def id3v2_tag(artist, title, genre):
    """An ID3v2.3 tag with Latin-1 artist, title and genre frames."""
    frames = b""
    for frame_id, text in (("TPE1", artist), ("TIT2", title), ("TCON", genre)):
        data = b"\x00" + text.encode("latin-1")
        frames += frame_id.encode() + struct.pack(">I", len(data)) + b"\x00\x00" + data
    size = len(frames)
    syncsafe = bytes([(size >> 21) & 0x7F, (size >> 14) & 0x7F, (size >> 7) & 0x7F, size & 0x7F])
    return b"ID3\x03\x00\x00" + syncsafe + frames


def silent_mp3_frames(count=4):
    """MPEG-1 Layer III frames, 128 kbit/s at 44.1 kHz, holding silence."""
    frame = b"\xff\xfb\x90\x00" + bytes(417 - 4)
    return frame * count


def write_music(folder):
    os.makedirs(folder)
    for number, tags in enumerate(TAGS, start=1):
        with open(os.path.join(folder, f"track{number}.mp3"), "wb") as file:
            file.write(id3v2_tag(*tags) + silent_mp3_frames())


def type_key(key):
    subprocess.run(["xdotool", "key", key], check=True, timeout=20)


def open_menu(program, frame, menu):
    """Opens a menu of the main window by its mnemonic, the window focused first."""
    subprocess.run(["xdotool", "search", "--sync", "--pid", str(program.process.pid), "--name", "^Vexolin V1.77$",
                    "windowfocus", "--sync"], check=True, timeout=20, capture_output=True)
    type_key("alt+" + menu[0].lower())
    bar = next(node for node in children(frame) if node.getRoleName() == "menu bar")
    title = next(node for node in children(bar) if node.name == menu)
    wait_until(lambda: any(showing(popup) for popup in children(title)), 10, f"the {menu} menu to open")


def main(vexolin, build, work):
    music = os.path.join(work, "music")
    write_music(music)
    database = os.path.join(work, "Empty.VxDatabase")
    open(database, "wb").close()
    os.chdir(music)
    run_checked(vexolin, [database], lambda program: check(program, music), screen=f"{build}/e2e-import-failure.png")


def check(program, music):
    frame = program.main_window()
    status_line = find(frame, "label", description="Status")
    wait_until(lambda: status_line.name.startswith("Artists: 0    Titles: 0"), 10,
               f"the empty database to open (the status line says {status_line.name!r})")

    # By its mnemonics: the folder chooser is modal, and a menu item pressed over the bus would
    # answer only once it closed.
    open_menu(program, frame, "Database")
    type_key("i")
    chooser = program.window("Import Folder")
    press(find(chooser, "push button", name="Choose"))
    importing = program.window("Import folder")
    press(find(importing, "push button", name="Import"))

    report = find(program.window("Vexolin", seconds=20), "label", name_starts="Import of ")
    text = report.name
    for line in (f"Import of {music}:", "Records added: 2", "Named from their file names for want of tags: 0",
                 "Not read: 0"):
        if line not in text.split("\n"):
            raise Failure(f"the closing message lacks {line!r}: {text!r}")
    wait_until(lambda: status_line.name.startswith("Artists: 2    Titles: 2"), 10,
               f"the two records to be listed (the status line says {status_line.name!r})")
    print("ok: the import read the tags of both files: " + text.replace("\n", " | "))


if __name__ == "__main__":
    try:
        main(*sys.argv[1:4])
    except Failure as failure:
        print(f"FAIL: {failure}")
        sys.exit(1)
