#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole test suite there; then builds the tests that
# run threads with ThreadSanitizer into build-tsan/ and runs those. Any report
# fails the run.
#   tools/sanitize.sh [asan|tsan|all]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/setup.sh
install_missing_packages

WHAT="${1:-all}"
ROOT="$PWD"
# Line tables are enough for the reports' file:line; full debug information
# and the benchmarks would only make the builds slower.
BUILD_FLAGS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" -DCMAKE_UNITY_BUILD=ON
    -DNORVO_BENCH=OFF)
# Tests with worker threads of ours: the simulator's serving thread, the
# reading, writing, clock, history, monitor, update and download workers.
THREADED_TESTS="tst_seriallink tst_itemoperations tst_mainwindow tst_history tst_update tst_download tst_monitor tst_portdiscovery"

run_asan() {
    cmake -S . -B build-asan "${BUILD_FLAGS[@]}" -DNORVO_SANITIZE=address,undefined >/dev/null
    cmake --build build-asan -j"$(nproc)"
    # Qt and fontconfig keep caches for the life of the process; only leaks
    # that pass through our own code count (see the suppression file).
    ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
    LSAN_OPTIONS="suppressions=$ROOT/tools/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
        ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
}

run_tsan() {
    cmake -S . -B build-tsan "${BUILD_FLAGS[@]}" -DNORVO_SANITIZE=thread >/dev/null
    local names=() targets=()
    for test in $THREADED_TESTS; do
        if grep -q "norvo_add_test($test " tests/CMakeLists.txt; then
            names+=("$test")
            targets+=(--target "$test")
        fi
    done
    cmake --build build-tsan -j"$(nproc)" "${targets[@]}"
    local pattern
    pattern="^($(IFS='|'; echo "${names[*]}"))$"
    TSAN_OPTIONS="suppressions=$ROOT/tools/tsan.supp:ignore_noninstrumented_modules=1:halt_on_error=1:second_deadlock_stack=1" \
        ctest --test-dir build-tsan --output-on-failure -j"$(nproc)" -R "$pattern"
}

case "$WHAT" in
asan) run_asan ;;
tsan) run_tsan ;;
all)
    run_asan
    run_tsan
    ;;
*)
    echo "usage: $0 [asan|tsan|all]" >&2
    exit 2
    ;;
esac
