# Shared set-up of the two project commands: the Debian packages the build needs, then an
# incremental configure and build in the given build directory.

packages=(cmake make g++ pkg-config clang-format libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libpulse-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
    qt6-documentation-tools libqt6sql6-sqlite libqt6svg6 libgl-dev xvfb xauth
    librsvg2-bin desktop-file-utils appstream dpkg-dev file
    at-spi2-core dbus gir1.2-atspi-2.0 python3-gi xdotool weston qt6-wayland
    pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber)

project_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

missing_packages() {
    local package
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            printf '%s\n' "$package"
    done
}

ensure_packages() {
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Vellox needs these Debian packages, which are not installed:" >&2
        echo "  $(echo $missing)" >&2
        echo "Install them as root with:" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends $(echo $missing)" >&2
        exit 1
    fi
    echo "Installing: $(echo $missing)"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# configure_in DIR [cmake options...]: configures a build directory.
configure_in() {
    local dir=$1
    shift
    # Options given again are applied again, also to a build directory made without them.
    if [ ! -f "$dir/CMakeCache.txt" ] || [ $# -gt 0 ]; then
        cmake -S "$project_root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    fi
}

# build_in DIR [targets...]: builds only what changed, everything when no target is named.
build_in() {
    local dir=$1
    shift
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
}

# Qt wants a private runtime directory; give it one where the session has none.
ensure_runtime_dir() {
    if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
        export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/vellox-runtime-$(id -u)"
        mkdir -p "$XDG_RUNTIME_DIR"
        chmod 700 "$XDG_RUNTIME_DIR"
    fi
}
