#!/bin/sh
# Builds the state store's fuzz target with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it; the first argument is the run time in seconds.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${FUZZ_OUT:-$root/build-fuzz}
seconds=${1:-60}
cmake -S "$root" -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DTARN_FUZZ=ON -DTARN_TESTS=OFF -DTARN_BENCH=OFF >/dev/null
cmake --build "$out" --target statemanager_fuzz -j"$(nproc)"
mkdir -p "$out/corpus"
# A well-formed save as a starting point: one frame, byte 7, short 1, body 01 02 03 04.
printf '\376\376\376\376\004\000\000\000\007\001\000\001\002\003\004\252\252\252\252' >"$out/corpus/example"
cd "$out"
./statemanager_fuzz -max_total_time="$seconds" -max_len=16384 corpus
