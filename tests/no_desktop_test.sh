#!/bin/bash
# Started with no display at all, the program says in one plain sentence that it needs a
# graphical desktop, and ends with a failure status rather than a crash.
# Usage: no_desktop_test.sh PROGRAM
set -uo pipefail
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$1" 2>&1)
status=$?
if [ "$status" -ne 1 ] || [ "$(wc -l <<<"$said")" -ne 1 ] ||
    ! grep -q "needs a graphical desktop" <<<"$said"; then
    echo "FAIL: exit status $status, said:" >&2
    echo "$said" >&2
    exit 1
fi
echo "said: $said"
