# Real peers for the tests, started on loopback and stopped on exit.
# shellcheck shell=bash

VEK_CLEANUP=()
vek_cleanup() {
    local i
    for ((i = ${#VEK_CLEANUP[@]} - 1; i >= 0; i--)); do
        eval "${VEK_CLEANUP[$i]}" >/dev/null 2>&1 || true
    done
}
trap vek_cleanup EXIT

# An X server for the tests that need a real screen (labelled needs_x).
vek_start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
        local pid=$!
        VEK_CLEANUP+=("kill $pid")
        local t
        for t in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; vek_log "Xvfb on :$n"; return 0; }
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    done
    vek_log "could not start Xvfb"
    return 1
}
