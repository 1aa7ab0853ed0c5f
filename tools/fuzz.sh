#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for the
# given number of seconds (default 60), starting from its seed corpus in
# tests/fuzz/corpus/. Fails on the first finding and leaves the input that
# caused it in build-fuzz/findings/.
#   tools/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/setup.sh
install_missing_packages

SECONDS_EACH="${1:-60}"
BUILD=build-fuzz
FINDINGS="$BUILD/findings"
CORPUS_WORK="$BUILD/corpus" # grows while fuzzing; the seeds in the repository stay as they are

CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" -DCMAKE_UNITY_BUILD=ON -DNORVO_BENCH=OFF -DNORVO_FUZZ=ON >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target fuzz_targets

mkdir -p "$FINDINGS"
# Targets that read files write them many times a second: keep those in memory.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
targets=$(cd tests/fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
failed=0
for target in $targets; do
    mkdir -p "$CORPUS_WORK/$target"
    echo "== $target: ${SECONDS_EACH} s"
    if ! ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        QT_QPA_PLATFORM=offscreen \
        "$BUILD/tests/fuzz/$target" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -artifact_prefix="$FINDINGS/$target-" "$CORPUS_WORK/$target" "tests/fuzz/corpus/$target" \
        2>"$BUILD/$target.log"; then
        echo "$target found a fault; see $BUILD/$target.log and $FINDINGS/" >&2
        tail -n 30 "$BUILD/$target.log" >&2
        failed=1
        break
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$BUILD/$target.log" | sed 's/^/   /'
done
exit "$failed"
