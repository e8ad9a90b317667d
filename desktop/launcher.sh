#!/bin/sh
# Starts Vellox from its program folder, which lies beside the folder of this launcher wherever
# the installation was put, also when the launcher is reached through a link.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/vellox/vellox" "$@"
