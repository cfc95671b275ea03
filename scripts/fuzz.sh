#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and undefined-
# behaviour sanitizers, and runs each for a given time.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS defaults to 60 per target; TARGET names are those of fuzz/ without
# the "fuzz_" prefix (default: all). VEK_FUZZ_JOBS targets run at once
# (default 4). Each target starts from a copy of its seed corpus and
# regression inputs in $VEK_FUZZ_DIR/<target>/corpus (default build-fuzz), new
# findings land beside it as crash-*, leak-*, timeout-* or oom-* files, and
# the engine's log is <target>.log. The exit status is non-zero when any
# target found something.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

seconds=${1:-60}
shift || true
VEK_FUZZ_BUILD_DIR=${VEK_FUZZ_BUILD_DIR:-$VEK_ROOT/build-fuzz}
VEK_FUZZ_DIR=${VEK_FUZZ_DIR:-$VEK_FUZZ_BUILD_DIR/runs}
jobs=${VEK_FUZZ_JOBS:-4}

vek_ensure_packages "${VEK_BUILD_PACKAGES[@]}" clang
if [ -z "$(ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null)" ]; then
    vek_ensure_packages libclang-rt-dev || true
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    mapfile -t targets < <(sed -n 's/^vek_add_fuzz(\([a-z0-9_]*\) .*/\1/p' "$VEK_ROOT/fuzz/CMakeLists.txt")
fi

export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
if [ ! -f "$VEK_FUZZ_BUILD_DIR/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$VEK_ROOT" -B "$VEK_FUZZ_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVEK_BUILD_TESTS=OFF -DVEK_BUILD_BENCH=OFF -DVEK_LIBFUZZER=ON -DVEK_USE_PCH=OFF \
        -DCMAKE_CXX_FLAGS="$sanitizers" \
        -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
fi
cmake --build "$VEK_FUZZ_BUILD_DIR" -j "$(vek_jobs)" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

run_target() {
    local name=$1 dir="$VEK_FUZZ_DIR/$1"
    mkdir -p "$dir/corpus"
    cp -n "$VEK_ROOT/fuzz/corpus/$name/"* "$dir/corpus/" 2>/dev/null || true
    cp -n "$VEK_ROOT/fuzz/regressions/$name/"* "$dir/corpus/" 2>/dev/null || true
    ( cd "$dir" && "$VEK_FUZZ_BUILD_DIR/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=3072 \
        -max_len=262144 -print_final_stats=1 corpus > "$dir/$name.log" 2>&1 )
}

status=0
running=0
declare -A pids
for name in "${targets[@]}"; do
    run_target "$name" &
    pids[$name]=$!
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n || true
        running=$((running - 1))
    fi
done
for name in "${targets[@]}"; do
    wait "${pids[$name]}" 2>/dev/null || true
done

for name in "${targets[@]}"; do
    dir="$VEK_FUZZ_DIR/$name"
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/$name.log" | tail -1)
    findings=$(find "$dir" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
    printf '%-12s execs %-10s findings %s\n' "$name" "${execs:-?}" "$findings"
    [ "$findings" -eq 0 ] && [ -n "$execs" ] || status=1
done
exit $status
