#!/usr/bin/env bash
# Installs what is missing, builds, starts the test peers and runs the whole suite.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/servers.sh"

vek_ensure_packages "${VEK_BUILD_PACKAGES[@]}" "${VEK_TEST_PACKAGES[@]}"
vek_build

export QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
fi
vek_start_xvfb
vek_start_mariadb

cd "$VEK_BUILD_DIR"
vek_with_postgres ctest --output-on-failure --no-tests=error -j "$(vek_jobs)" "$@"
