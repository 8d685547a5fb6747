#!/usr/bin/env python3
"""Times the first play, on a private Xvfb server with a fresh home folder for each start, until
the player has opened its sound output (an "mpv/ao" thread exists):
 - first_play_command_line: from the program's start with a media file on its command line
   (start-up asks for it to play before the window shows: no click can come earlier);
 - first_play_click: with the media in the playlist (an M3U file on the command line), the first
   row clicked (xdotool) as soon as the window is on screen: from the start, and from the click.
Prints the medians of RUNS starts:
    first_play_command_line median_ms=<x>
    first_play_click median_ms=<from the start> after_click_ms=<from the click>

Usage: bench/first_play.py <program> [runs]
"""
import math
import os
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import tempfile
import time
import wave

DISPLAY = ":" + os.environ.get("DISPLAY_NUMBER", "89")


def playing(pid):
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/comm") as comm:
                if comm.read().strip() == "mpv/ao":
                    return True
    except OSError:
        pass
    return False


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], env={"PATH": os.environ["PATH"], "DISPLAY": DISPLAY},
                          capture_output=True, text=True).stdout


def click_first_row(pid):
    """Clicks the playlist's first row once the window is on screen; False while it is not."""
    found = xdotool("search", "--onlyvisible", "--pid", str(pid), "--name", "^Vexolin").split()
    if not found:
        return False
    geometry = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", found[0]).split())
    # The fixed 794 x 530 client area lies below the menu bar; the playlist's first row is at
    # 80 x 424 pixels in it.
    x = int(geometry["X"]) + 80
    y = int(geometry["Y"]) + int(geometry["HEIGHT"]) - 530 + 434
    xdotool("mousemove", "--sync", str(x), str(y), "click", "1")
    return True


def first_play_ms(program, argument, home, click):
    """Milliseconds from the start (and from the click, when clicking) until the program plays."""
    environment = {"PATH": os.environ["PATH"], "HOME": home, "DISPLAY": DISPLAY, "QT_QPA_PLATFORM": "xcb"}
    start = time.monotonic()
    child = subprocess.Popen([program, "--new-window", argument], env=environment,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    clicked = None if click else start
    try:
        while time.monotonic() - start < 20:
            if clicked is None and click_first_row(child.pid):
                clicked = time.monotonic()
            if playing(child.pid):
                now = time.monotonic()
                return (now - start) * 1000, (now - (clicked or now)) * 1000
            time.sleep(0.001)
        raise SystemExit("first_play: the program did not start playing")
    finally:
        child.send_signal(signal.SIGKILL)
        child.wait()


def main():
    program = os.path.realpath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 11
    work = tempfile.mkdtemp()
    xvfb = subprocess.Popen(["Xvfb", DISPLAY, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(1)
        media = os.path.join(work, "tone.wav")
        with wave.open(media, "wb") as w:
            w.setnchannels(1)
            w.setsampwidth(2)
            w.setframerate(22050)
            w.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(i * 0.06))) for i in range(22050 * 5)))
        playlist = os.path.join(work, "tone.m3u")
        with open(playlist, "w") as m3u:
            m3u.write(media + "\n")
        for name, argument, click in (("command_line", media, False), ("click", playlist, True)):
            starts, clicks = [], []
            for run in range(runs):
                home = tempfile.mkdtemp(dir=work)
                from_start, from_click = first_play_ms(program, argument, home, click)
                starts.append(from_start)
                clicks.append(from_click)
            line = f"first_play_{name} median_ms={statistics.median(starts):.1f}"
            if click:
                line += f" after_click_ms={statistics.median(clicks):.1f}"
            print(line, flush=True)
    finally:
        xvfb.kill()
        xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)


main()
