"""Starts the real program on a Wayland compositor and checks from the protocol it speaks that
it maps its window natively, then presses its Quit button through the accessibility bus and
checks that it ends with success.

Run with a compositor, a session bus and no X server (wayland_test.sh does that):
    wayland_test.py PROGRAM PROTOCOL_LOG
"""
import os
import re
import subprocess
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

from accessibility_test import DEADLINE_S, Failure, expect, find_program, named, wait_for


def mapped(log_path):
    """The window's title and a buffer attached and committed after the compositor's first
    configure: what a client does to show a toplevel window."""
    with open(log_path, encoding="utf-8", errors="replace") as log:
        protocol = log.read()
    titled = re.search(r'-> xdg_toplevel@\d+\.set_title\("Vellox"\)', protocol)
    acked = re.search(r"-> xdg_surface@\d+\.ack_configure\(", protocol)
    if not (titled and acked):
        return False
    after = protocol[acked.end():]
    attached = re.search(r"-> wl_surface@(\d+)\.attach\(wl_buffer@", after)
    return bool(attached and re.search(rf"-> wl_surface@{attached.group(1)}\.commit\(\)",
                                       after[attached.end():]))


def run(program_path, log_path):
    environment = dict(os.environ, WAYLAND_DEBUG="client")
    with open(log_path, "w", encoding="utf-8") as log:
        program = subprocess.Popen([program_path], env=environment, stderr=log,
                                   stdout=subprocess.DEVNULL)
    try:
        wait_for("the window mapped on the compositor", lambda: mapped(log_path))
        app = wait_for("the program on the accessibility bus", lambda: find_program("Vellox"))
        quit_button = wait_for("the Quit button", lambda: named(app, "Quit", "push button"))
        quit_button.do_action(0)
        try:
            status = program.wait(timeout=DEADLINE_S)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end after Quit")
        expect("exit status after Quit", status, 0)
        print("mapped natively on Wayland and ended with success after Quit")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait(timeout=DEADLINE_S)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        run(sys.argv[1], sys.argv[2])
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
