"""Plays a move through the accessibility bus: starts the real program, reads its accessible tree,
presses Enter on the board and checks what a screen reader is told before and after.

Run inside a private X server and session bus (accessibility_test.sh does that):
    accessibility_test.py PROGRAM [-v]
It prints the accessible tree once; -v prints every cell of the board too.
"""
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

DEADLINE_S = 20
POLL_S = 0.1


class Failure(Exception):
    pass


def wait_for(what, probe, deadline_s=DEADLINE_S):
    """Polls probe until it returns something true; fails after the deadline."""
    end = time.monotonic() + deadline_s
    while True:
        try:
            value = probe()
        except gi.repository.GLib.Error:
            value = None
        if value:
            return value
        if time.monotonic() > end:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(POLL_S)


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def walk(node):
    yield node
    for child in children(node):
        if child is not None:
            yield from walk(child)


def find_program(name):
    desktop = Atspi.get_desktop(0)
    return next((app for app in children(desktop) if app and app.get_name() == name), None)


def describe(node, depth, all_cells, lines):
    role = node.get_role_name()
    if role == "table cell" and not all_cells:
        return
    text = f"{'  ' * depth}[{role}] \"{node.get_name()}\""
    if has_value(node):
        text += f" value {node.get_current_value():g}"
    description = node.get_description()
    if description:
        text += f" ({description})"
    lines.append(text)
    if role == "table" and not all_cells:
        table = node
        lines.append(f"{'  ' * (depth + 1)}{table.get_n_rows()} x {table.get_n_columns()} cells, "
                     "such as:")
        for row, column in ((0, 6), (4, 1), (9, 9), (17, 17)):
            cell = table.get_accessible_at(row, column)
            lines.append(f"{'  ' * (depth + 1)}[{cell.get_role_name()}] \"{cell.get_name()}\"")
    for child in children(node):
        if child is not None:
            describe(child, depth + 1, all_cells, lines)


def ancestors(node):
    parent = node.get_parent()
    while parent is not None:
        yield parent
        parent = parent.get_parent()


def has_value(node):
    return "Value" in node.get_interfaces()


def named(program, name, role, with_value=False):
    for node in walk(program):
        if node.get_name() == name and node.get_role_name() == role and \
                (not with_value or has_value(node)):
            return node
    return None


def expect(what, actual, wanted):
    if actual != wanted:
        raise Failure(f"{what}: expected {wanted!r}, got {actual!r}")


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=DEADLINE_S)


def run(program_path, verbose):
    program = subprocess.Popen([program_path])
    try:
        app = wait_for("the program on the accessibility bus", lambda: find_program("Vellox"))
        board = wait_for("the board", lambda: named(app, "Board", "table"))
        lines = []
        describe(app, 0, verbose, lines)
        print("\n".join(lines), flush=True)

        moves = wait_for("the moves panel", lambda: named(app, "Moves", "label", with_value=True))
        table = board
        expect("board size", (table.get_n_rows(), table.get_n_columns()), (19, 19))
        centre = table.get_accessible_at(9, 9)

        expect("corner", table.get_accessible_at(0, 6).get_name(), "7, 1: outer line")
        expect("centre before the move", centre.get_name(), "10, 10: empty")
        first = board.get_child_at_index(0)
        expect("the first child", first and first.get_name(), "1, 1: outer line")
        # The board holds its points and nothing else; the side panel's controls lie beside it.
        expect("the board's children", board.get_child_count(), 19 * 19)
        quit_button = named(app, "Quit", "push button")
        expect("Quit outside the board", any(node == board for node in ancestors(quit_button)),
               False)
        # A point's cell is a grid step square on the screen, one step from the next.
        box, right = (cell.get_extents(Atspi.CoordType.SCREEN)
                      for cell in (centre, table.get_accessible_at(9, 10)))
        expect("a cell's size and the next along", (box.width, box.height, right.x - box.x),
               (23, 23, 23))
        expect("moves before the move", moves.get_current_value(), 0)
        # There is no window manager to give the window the keyboard: give it the X focus.
        xdotool("search", "--sync", "--name", "^Vellox$", "windowfocus", "--sync")
        wait_for("the cursor's cell focused",
                 lambda: centre.get_state_set().contains(Atspi.StateType.FOCUSED))
        xdotool("key", "Return")
        wait_for("the computer's answer",
                 lambda: moves.get_current_value() == 2)
        expect("centre after the move", centre.get_name(), "10, 10: GREEN stone")
        status = next(node for node in walk(app) if node.get_role_name() == "status bar"
                      and node.get_description() == "Computer's last move")
        statement = status.get_name()
        if not re.fullmatch(r"RED plays \d+, \d+: [A-Z0-9 ]+", statement):
            raise Failure(f"computer's move told as {statement!r}")
        x, y = (int(n) for n in re.match(r"RED plays (\d+), (\d+)", statement).groups())
        expect("the computer's point", table.get_accessible_at(y - 1, x - 1).get_name(),
               f"{x}, {y}: RED stone")
        print(f"after Enter: \"{centre.get_name()}\", Moves {moves.get_current_value():g},"
              f" status \"{statement}\"")
        # Back takes both moves back: their cells read empty again, and Moves 0.
        xdotool("key", "ctrl+z")
        wait_for("the moves taken back", lambda: moves.get_current_value() == 0)
        wait_for("the centre empty again", lambda: centre.get_name() == "10, 10: empty")
        expect("the computer's point after Back",
               table.get_accessible_at(y - 1, x - 1).get_name(), f"{x}, {y}: empty")
    finally:
        program.kill()
        program.wait(timeout=DEADLINE_S)


def main():
    args = sys.argv[1:]
    verbose = "-v" in args
    paths = [a for a in args if a != "-v"]
    if len(paths) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        run(paths[0], verbose)
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
