#!/bin/bash
# Runs accessibility_test.py against the real program on a private X server, session bus and
# accessibility bus, so that nothing of the caller's desktop is touched.
# Usage: accessibility_test.sh PROGRAM [-v]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
# Qt's bridge starts only when asked or when a screen reader says it runs.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS

# The script has its own deadlines; this one catches a stuck bus or X server.
exec timeout --kill-after=10 180 dbus-run-session -- \
    xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 "$here/accessibility_test.py" "$@"
