# Shared by scripts/test.sh and scripts/demo.sh: packages, configure, build.
# shellcheck shell=bash

VEK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
VEK_BUILD_DIR=${VEK_BUILD_DIR:-$VEK_ROOT/build}
export LANG=C.UTF-8 LC_ALL=C.UTF-8

# What the build needs.
VEK_BUILD_PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config
    qtbase5-dev qtbase5-private-dev qtdeclarative5-dev qttools5-dev qttools5-dev-tools
    libqt5svg5-dev libqt5sql5-sqlite libqt5sql5-psql libqt5sql5-mysql
    # resource bundles are checked with the compression libraries Qt unpacks them with
    zlib1g-dev libzstd-dev
    # the icon font the default icon bundle (zul.rcc) is drawn from, and python3 that draws it
    fonts-fork-awesome python3
    # the web view
    qtwebengine5-dev
)
# What the tests need on top: servers and an X screen.
VEK_TEST_PACKAGES=(
    xvfb xauth python3 openssl fonts-dejavu-core
    # the demo's plant form reads its database with the sqlite3 shell
    sqlite3
    # a window manager that moves and resizes frameless windows on request
    openbox
    # databases
    postgresql postgresql-common mariadb-server libqt5sql5-psql libqt5sql5-mysql

    # theme and resources
    libqt5svg5

    # network and mail
    python3-aiosmtpd

    # the web view: the engine, its helper process and its resources
    libqt5webengine5 libqt5webengine-data

)

vek_log() { printf '== %s\n' "$*" >&2; }

vek_ensure_packages() {
    local missing=() p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    vek_log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# VEK_JOBS caps the parallel jobs of the build and of ctest.
vek_jobs() { echo "${VEK_JOBS:-$(nproc 2>/dev/null || echo 2)}"; }

vek_build() {
    export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
    if [ ! -f "$VEK_BUILD_DIR/build.ninja" ]; then
        cmake -S "$VEK_ROOT" -B "$VEK_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    fi
    cmake --build "$VEK_BUILD_DIR" -j "$(vek_jobs)"
}
