#!/bin/sh
# Builds every fuzz target (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each in turn for the given number of seconds (default 600, ten minutes each).
#
# Each target first replays the inputs kept in fuzz/regressions/<target>/ (earlier findings,
# now mended), then fuzzes from the game's own file as its seed. The targets bring the game
# up on a built asset tree: TARN_ASSET_DIR, else build/bin/assets (built if missing).
# A finding stops the script with a failure; its input is written to
# <fuzz build>/findings/<target>-crash-... and can be replayed with the target alone.
#
#   [JOBS=n] fuzz/run_all.sh [seconds] [target...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${FUZZ_OUT:-$root/build-fuzz}
seconds=${1:-600}
jobs=${JOBS:-$(nproc)}
[ $# -gt 0 ] && shift
targets=${*:-"settings airports workload nations speech text statemanager"}

assets=${TARN_ASSET_DIR:-$root/build/bin/assets}
if [ ! -d "$assets/original" ]; then
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$root/build" --target assets -j"$jobs"
    assets=$root/build/bin/assets
fi
export TARN_ASSET_DIR="$assets"

cmake -S "$root" -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DTARN_FUZZ=ON -DTARN_TESTS=OFF -DTARN_BENCH=OFF >/dev/null
build_targets=""
for t in $targets; do build_targets="$build_targets ${t}_fuzz"; done
# shellcheck disable=SC2086
cmake --build "$out" --target $build_targets -j"$jobs"

# The file each target reads, from the asset tree, as its first seed.
seed_of() {
    case "$1" in
        settings) printf '12\r\n5|user|img;calmday|img;farmville|2026-12-01#3|user|img;un|img;seaside|2026-12-02\r\n4;7000\r\n' >"$2/example" ;;
        airports) cp "$assets/airports.txt" "$2/" ;;
        workload) cp "$assets/workload.txt" "$2/" ;;
        nations) cp "$assets/nations.txt" "$2/" ;;
        speech) cp "$assets/Stories/forgotten_port_speech.txt" "$2/" ;;
        text) cp "$assets/help.txt" "$assets/credits.txt" "$2/" ;;
        statemanager) printf '\376\376\376\376\004\000\000\000\007\001\000\001\002\003\004\252\252\252\252' >"$2/example" ;;
    esac
}

mkdir -p "$out/findings"
cd "$out"
for t in $targets; do
    corpus=$out/corpus/$t
    mkdir -p "$corpus"
    seed_of "$t" "$corpus"
    kept=$here/regressions/$t
    if [ -d "$kept" ] && [ -n "$(ls -A "$kept")" ]; then
        echo "== $t: replaying $(ls "$kept" | wc -l) kept input(s)"
        "./${t}_fuzz" -close_fd_mask=1 "$kept"/*
    fi
    echo "== $t: fuzzing for $seconds s"
    # Stand-alone output (the game's own messages) is dropped; libFuzzer reports on stderr.
    "./${t}_fuzz" -max_total_time="$seconds" -max_len=8192 -timeout=30 -close_fd_mask=1 -dict="$here/game.dict" \
        -artifact_prefix="$out/findings/$t-" -print_final_stats=1 "$corpus" 2>"$out/$t.log" || {
        tail -60 "$out/$t.log"
        echo "fuzz: $t found a fault; the input is in $out/findings/"
        exit 1
    }
    grep -E "stat::number_of_executed_units|cov:" "$out/$t.log" | tail -2
done
echo "fuzz: every target ran $seconds s without a finding"
