"""Every caption of every window is wholly visible on the screen.

The program runs with the demo database; each of its windows and window modes is opened the way
a screen reader user opens it. For each caption (labels, buttons, option buttons with text) the
screenshot is read where the caption lies and nothing stacked above it covers it: the caption's
dark ink must stand free of the edges of that visible part. Ink that runs into an edge was cut,
by the control's own bounds or by a control lying over it.

usage: captions.py <vexolin> <build-dir> <database>
"""
import sys
import time

from vexolin_atspi import (Failure, children, enabled, extents, find, press, run_checked, screenshot,
                           save_screen, showing, wait_until)

CAPTIONED = {"label", "push button", "radio button", "check box"}
INK = 128  # grey levels below this are text; backgrounds, frames and disabled text are lighter


def intersect(a, b):
    left, top = max(a[0], b[0]), max(a[1], b[1])
    right, bottom = min(a[0] + a[2], b[0] + b[2]), min(a[1] + a[3], b[1] + b[3])
    return (left, top, right - left, bottom - top) if right > left and bottom > top else None


def contains(outer, inner):
    return (outer[0] <= inner[0] and outer[1] <= inner[1]
            and outer[0] + outer[2] >= inner[0] + inner[2] and outer[1] + outer[3] >= inner[1] + inner[3])


def captions(window):
    """(caption node, its rectangle clipped to its ancestors, the rectangles lying over it)."""
    found = []

    def visit(node, clip, above):
        kids = [kid for kid in children(node) if showing(kid)]
        boxes = [extents(kid) for kid in kids]
        for i, kid in enumerate(kids):
            box = intersect(boxes[i], clip)
            if box is None:
                continue
            # Later siblings lie over earlier ones.
            over = above + [b for b in boxes[i + 1:] if intersect(b, box)]
            if kid.getRoleName() in CAPTIONED and kid.name.strip():
                found.append((kid, box, over))
            elif kid.getRoleName() not in ("list", "table", "combo box", "menu bar", "text"):
                visit(kid, box, over)

    visit(window, extents(window), [])
    return found


def cut_caption(screen, node, box, over):
    """Why the caption is not wholly visible, or None when it is."""
    width, height, grey = screen
    x0, y0, w, h = box
    if any(contains(b, box) for b in over):
        return None  # lies wholly under another control by design (the wait notice under the list)
    role = node.getRoleName()
    inset = 2 if role == "push button" else 0  # a button's frame is not its caption

    def visible(x, y):
        if not (x0 + inset <= x < x0 + w - inset and y0 + inset <= y < y0 + h - inset):
            return False
        if not (0 <= x < width and 0 <= y < height):
            return False
        return not any(b[0] <= x < b[0] + b[2] and b[1] <= y < b[1] + b[3] for b in over)

    inked = 0
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w):
            if not visible(x, y) or grey[y * width + x] >= INK:
                continue
            inked += 1
            neighbours = [(x + 1, y), (x, y - 1), (x, y + 1)]
            # Text starts at the control's own left edge (and an option's indicator stands there);
            # a control lying over it cuts it there too.
            if x - 1 >= x0 + inset:
                neighbours.append((x - 1, y))
            for nx, ny in neighbours:
                if not visible(nx, ny):
                    return f"ink at ({x}, {y}) runs into the edge of what shows of it"
    if inked == 0 and enabled(node):
        return "no text is drawn"
    return None


def check_window(program, window, state, failures):
    time.sleep(0.3)  # a few paints after the change
    screen = screenshot()
    checked = 0
    for node, box, over in captions(window):
        checked += 1
        why = cut_caption(screen, node, box, over)
        if why:
            failures.append(f"{state}: {node.getRoleName()} {node.name!r} at {box}: {why}")
    print(f"ok: {state}: {checked} captions read")
    if checked == 0:
        failures.append(f"{state}: no captions found")


def find_showing(root, role, name):
    try:
        return find(root, role, name=name, shown=True)
    except Failure:
        return None


def check(program, build):
    failures = []
    main = program.main_window()
    wait_until(lambda: find(main, "label", description="Status").name.startswith("Artists:"), 5, "the first status tick")
    check_window(program, main, "main window", failures)

    def shows(role, name, root=main):
        return wait_until(lambda: find_showing(root, role, name), 20, f"the {role} {name!r}")

    def close_with(button):
        press(button)
        wait_until(lambda: not showing(button), 10, f"{button.name!r} to close its window mode")

    program.choose_menu_item("Database", "Edit")
    done = shows("push button", "Done")
    check_window(program, main, "record editor", failures)
    close_with(done)

    program.choose_menu_item("Database", "Check")
    panel = shows("frame", "Database check")
    done = wait_until(lambda: enabled(find(panel, "push button", name="Done")) and find(panel, "push button", name="Done"),
                      20, "the end of the check")
    check_window(program, main, "database check", failures)
    close_with(done)

    program.choose_menu_item("Create CD", "Create")
    cancel = shows("push button", "Cancel")
    check_window(program, main, "CD wizard", failures)
    close_with(cancel)

    for menu, item, title in [("Search", "Search...", "Search"), ("Playlist", "Add url...", "Add url")]:
        program.choose_menu_item(menu, item)
        window = program.window(title)
        check_window(program, window, f"{title} window", failures)
        close_with(find(window, "push button", name="Done"))

    program.choose_menu_item("Help", "About Vexolin")
    check_window(program, program.window("About Vexolin"), "About window", failures)

    if failures:
        save_screen(f"{build}/e2e-captions-failure.png")
        raise Failure("captions cut:\n  " + "\n  ".join(failures))


def main(vexolin, build, database):
    run_checked(vexolin, [database], lambda program: check(program, build))


if __name__ == "__main__":
    try:
        main(*sys.argv[1:4])
    except Failure as failure:
        print(f"FAIL: {failure}")
        sys.exit(1)
