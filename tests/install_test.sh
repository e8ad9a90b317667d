#!/usr/bin/env bash
# Installs a build into a scratch prefix, or packs it as the Debian package, and checks that
# exactly the program's files land where they belong, that the installed program starts and
# that the package needs only the runtime packages.
# Usage: install_test.sh prefix|package BUILD_DIR
set -euo pipefail
mode=$1
build=$(cd "$2" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Keeps a command's chatter out of the test's output unless the command fails.
quietly() {
    "$@" >"$scratch/log" 2>&1 || {
        cat "$scratch/log" >&2
        fail "$*"
    }
}

expected_files() {
    grep -v '^#' "$here/installed_files.txt"
    if [ -f "$build/vellox.qch" ]; then echo lib/vellox/vellox.qch; fi
}

# Compares a list of installed files, one a line, with the expected list.
check_files() {
    diff <(expected_files | sort) <(sort "$1") >&2 ||
        fail "the installed files are not the expected ones (< missing, > unexpected)"
}

check_prefix() {
    local prefix=$scratch/prefix
    quietly cmake --install "$build" --prefix "$prefix"
    (cd "$prefix" && find . ! -type d | sed 's|^\./||') >"$scratch/files"
    check_files "$scratch/files"
    [ -x "$prefix/bin/vellox" ] && [ -x "$prefix/lib/vellox/vellox" ] ||
        fail "the launcher or the program is not executable"

    printf '[OPTIONS]\nSound=OFF\n' | tee "$scratch/saved.ini" >"$prefix/lib/vellox/VELLOX.INI"
    quietly cmake --install "$build" --prefix "$prefix"
    cmp -s "$scratch/saved.ini" "$prefix/lib/vellox/VELLOX.INI" ||
        fail "installing again replaced the saved settings"

    # Reached through a link from elsewhere, the launcher still finds the program folder; the
    # program must be running when the time is up rather than have failed to start, and must
    # have printed nothing, not even the warnings of Qt's offscreen platform.
    ln -s "$prefix/bin/vellox" "$scratch/vellox"
    local status=0
    QT_QPA_PLATFORM=offscreen timeout 2 "$scratch/vellox" >"$scratch/log" 2>&1 || status=$?
    [ "$status" -eq 124 ] && [ ! -s "$scratch/log" ] || {
        cat "$scratch/log" >&2
        fail "the installed program did not start quietly (exit status $status)"
    }
}

check_package() {
    quietly cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package"
    local debs=("$scratch"/package/vellox_*.deb)
    [ -f "${debs[0]}" ] || fail "cpack made no package"
    local deb=${debs[0]}

    dpkg-deb -c "$deb" >"$scratch/contents"
    awk '$1 !~ /^d/ { print $6 }' "$scratch/contents" | sed 's|^\./usr/||' >"$scratch/files"
    check_files "$scratch/files"
    for program in ./usr/bin/vellox ./usr/lib/vellox/vellox; do
        grep -Eq "^-rwxr-xr-x root/root .* $program\$" "$scratch/contents" ||
            fail "$program is not an executable owned by root"
    done

    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    local needed=(libqt6widgets6 libpulse0 libqt6sql6-sqlite libqt6svg6 qt6-qpa-plugins)
    # The help viewer, and with it Qt Help, comes with the help file.
    if [ -f "$build/vellox.qch" ]; then needed+=(libqt6help6); fi
    for package in "${needed[@]}"; do
        grep -Eq "(^|, )$package( |,|\$)" <<<"$depends" || fail "Depends lacks $package"
    done
    ! grep -Eq -- "-dev( |,|\$)" <<<"$depends" || fail "Depends names a development package"
    ! tr ',' '\n' <<<"$depends" | sed 's/ *(.*//; s/^ *//' | sort | uniq -d | grep -q . ||
        fail "Depends names a package twice"
    # On a Wayland desktop the window is shown natively, not through Xwayland.
    [ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends lacks qt6-wayland"
    dpkg-deb -I "$deb" conffiles | grep -qx /usr/lib/vellox/VELLOX.INI ||
        fail "the settings file is not kept over upgrades"
}

case $mode in
prefix) check_prefix ;;
package) check_package ;;
*) fail "unknown mode $mode" ;;
esac
