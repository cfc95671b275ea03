#!/usr/bin/env bash
# Installs what is missing, builds, starts the test peers and runs the whole suite.
#
#   scripts/test.sh [--sanitize] [ctest arguments...]
#
# --sanitize builds into its own folder (build-sanitize, or VEK_BUILD_DIR)
# with AddressSanitizer and UndefinedBehaviorSanitizer and runs the suite
# there; any sanitizer report fails the test that provoked it.
set -euo pipefail
VEK_SANITIZE=0
if [ "${1:-}" = "--sanitize" ]; then
    VEK_SANITIZE=1
    shift
    VEK_BUILD_DIR=${VEK_BUILD_DIR:-$(cd "$(dirname "$0")/.." && pwd)/build-sanitize}
fi
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/servers.sh"

vek_ensure_packages "${VEK_BUILD_PACKAGES[@]}" "${VEK_TEST_PACKAGES[@]}"
if [ "$VEK_SANITIZE" = 1 ]; then
    # Precompiled headers gain nothing in a build made once in a while.
    vek_build -DVEK_SANITIZE=ON -DVEK_USE_PCH=OFF -DVEK_BUILD_BENCH=OFF
    # Leaks are not checked: Qt, fontconfig and the database client
    # libraries keep process-lifetime allocations that would drown ours.
    # A failed allocation returns null as the normal allocator does: the
    # script engine turns it into a script error, and the tests check that.
    export ASAN_OPTIONS="detect_leaks=0:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=0:strict_string_checks=0:allocator_may_return_null=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
else
    vek_build
fi

export QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
fi
vek_start_xvfb
vek_start_mariadb

cd "$VEK_BUILD_DIR"
vek_with_postgres ctest --output-on-failure --no-tests=error -j "$(vek_jobs)" "$@"
