"""The real program seen through the accessibility bus (AT-SPI), as a screen reader sees it.

Helpers for the end-to-end checks: start the program, find its windows and controls, read and
press them, wait for what they say, and take screenshots of the virtual display. Lists are never
walked row by row over the bus: a list is read by its child count.
"""
import subprocess
import tempfile
import time

import pyatspi
from gi.repository import GLib


class Failure(Exception):
    pass


def pump():
    """Lets the events that arrived from the bus reach their listeners."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_until(what, seconds, describe):
    """Polls what() every 50 ms until it returns something true; returns that, or fails."""
    deadline = time.monotonic() + seconds
    while True:
        pump()
        value = what()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"waited {seconds} s for {describe}")
        time.sleep(0.05)


# Roles whose children are rows or items: their children are counted, never walked.
ITEM_HOLDERS = {"list", "table", "tree", "tree table", "list box", "combo box", "menu bar", "menu", "popup menu"}


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def walk(node):
    """The node and its descendants, in the order the toolkit stacks them (later lies above)."""
    yield node
    if node.getRoleName() not in ITEM_HOLDERS:
        for child in children(node):
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (box.x, box.y, box.width, box.height)


def find(root, role, name=None, description=None, name_starts=None, shown=False):
    """The first control of that role (and name, description, start of name; showing if asked)."""
    for node in walk(root):
        if node.getRoleName() != role or (shown and not showing(node)):
            continue
        if name is not None and node.name != name:
            continue
        if name_starts is not None and not node.name.startswith(name_starts):
            continue
        if description is not None and node.description != description:
            continue
        return node
    raise Failure(f"no {'showing ' if shown else ''}{role} named {name or name_starts!r} (description {description!r})")


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "toggle"):
            action.doAction(i)
            return
    raise Failure(f"{node.getRoleName()} {node.name!r} cannot be pressed")


class Program:
    """The program started with arguments, found on the accessibility bus by its process id."""

    def __init__(self, vexolin, arguments, log):
        self.process = subprocess.Popen([vexolin, *arguments], stdout=log, stderr=subprocess.STDOUT)
        self.app = wait_until(self._application, 20, "the program on the accessibility bus")

    def _application(self):
        if self.process.poll() is not None:
            raise Failure(f"the program ended with status {self.process.returncode}")
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            except GLib.Error:
                continue  # an application that left the bus meanwhile
        return None

    def window(self, name, seconds=10):
        """The showing top-level window of that title."""
        def shown():
            for window in children(self.app):
                if window.name == name and showing(window):
                    return window
            return None
        return wait_until(shown, seconds, f"the window {name!r}")

    def main_window(self):
        return self.window("Vexolin V1.77")

    def choose_menu_item(self, menu, item, frame=None):
        """Triggers a menu item the way a screen reader user does, without opening the menu (of
        the main window, unless another frame is given: one whose title tells what plays)."""
        frame = frame or self.main_window()
        bar = next(node for node in children(frame) if node.getRoleName() == "menu bar")
        title = next(node for node in children(bar) if node.name == menu)
        for popup in children(title):
            for entry in children(popup):
                if entry.name == item:
                    press(entry)
                    return
        raise Failure(f"no menu item {menu} > {item}")

    def end(self):
        """Asks the program to end, as the desktop does at logout, and returns its exit status."""
        if self.process.poll() is None:
            self.process.terminate()
            try:
                return self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
        return self.process.wait()


def screenshot():
    """The whole virtual screen as (width, height, grey levels row by row)."""
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "pgm:-"], check=True, capture_output=True).stdout
    fields = []
    pos = 0
    while len(fields) < 4:  # magic, width, height, maximum
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P5" or fields[3] != b"255":
        raise Failure("unexpected screenshot format")
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]


def save_screen(path):
    subprocess.run(["import", "-window", "root", path], check=False)


def run_checked(vexolin, arguments, check, screen=None, what="the program"):
    """Starts the program with the arguments, runs check(program) and ends it. A failure carries
    the program's output (and a picture of the screen, saved at `screen` when given); an exit
    status other than 0 fails too."""
    with tempfile.TemporaryFile() as log:
        program = Program(vexolin, arguments, log)
        try:
            check(program)
        except Failure as failure:
            seen = ""
            if screen:
                save_screen(screen)
                seen = f"\nscreen: {screen}"
            log.seek(0)
            raise Failure(f"{failure}{seen}\nprogram output: {log.read().decode(errors='replace')}")
        finally:
            status = program.end()
    if status != 0:
        raise Failure(f"{what} ended with status {status}")
