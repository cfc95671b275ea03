#!/usr/bin/env bash
# The main job for a new user: build and show the framework at work.
# For now a tour of the foundation: a rotating log written into the folder
# given as the first argument (default: demo-output/ in the clone), and a JSON
# document converted to variants and back.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

vek_ensure_packages "${VEK_BUILD_PACKAGES[@]}"
vek_build
demo_dir=${1:-$VEK_ROOT/demo-output}
mkdir -p "$demo_dir"
vek_log "foundation tour, output in $demo_dir"
"$VEK_BUILD_DIR/bin/foundationdemo" "$demo_dir"
