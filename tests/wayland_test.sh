#!/bin/bash
# Runs wayland_test.py against the real program on a private headless Wayland compositor, with no
# X server at all, on a private session bus and accessibility bus.
# Usage: wayland_test.sh PROGRAM
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
runtime=$(mktemp -d)
compositor=
cleanup() {
    [ -n "$compositor" ] && kill "$compositor" 2>/dev/null && wait "$compositor" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=vellox-test
# Nothing may fall back on X: the program has to find its way to the compositor by itself.
unset DISPLAY QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --no-config --idle-time=0 \
    --log="$runtime/compositor.log" &
compositor=$!
for _ in $(seq 100); do
    [ -S "$runtime/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done
[ -S "$runtime/$WAYLAND_DISPLAY" ] || {
    cat "$runtime/compositor.log" >&2
    echo "FAIL: the compositor did not start" >&2
    exit 1
}

# The script has its own deadlines; this one catches a stuck bus or compositor.
timeout --kill-after=10 120 dbus-run-session -- \
    /usr/bin/python3 "$here/wayland_test.py" "$1" "$runtime/protocol.log"
