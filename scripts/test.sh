#!/usr/bin/env bash
# Builds everything and runs every test:
#  1. the native suites under AddressSanitizer and UBSan (build/sanitize);
#  2. each libFuzzer target for a short bounded time over its seed corpus
#     (build/fuzz; QUILVEX_FUZZ_SECONDS sets how long, default 20);
#  3. the native suites, the registry conformance suite and the end-to-end
#     suite under Wine (build), those two also in a 64-bit prefix (WOW64);
#  4. the release check: two builds of HEAD from clean copies must be
#     identical (scripts/release.sh --check).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-machine.sh"
jobs=$(nproc)
mkdir -p "$root/build"

# Runs a step with its output in a log: the log's last lines on success,
# the whole log on failure.
step() {
    local log="$root/build/$1.log"
    shift
    if ! "$@" >"$log" 2>&1; then
        cat "$log"
        echo "FAILED: $*" >&2
        exit 1
    fi
    tail -n 3 "$log"
}

echo "== native suites with AddressSanitizer and UBSan"
step sanitize-configure cmake -S "$root" -B "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug \
    -DQUILVEX_WINDOWS=OFF -DQUILVEX_SANITIZE=ON
step sanitize-build cmake --build "$root/build/sanitize" -j"$jobs"
step sanitize-test env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$root/build/sanitize" --output-on-failure -j"$jobs"

echo "== fuzz targets"
step fuzz-configure env CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/fuzz" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILVEX_FUZZ=ON -DQUILVEX_FUZZ_SECONDS="${QUILVEX_FUZZ_SECONDS:-20}"
step fuzz-build cmake --build "$root/build/fuzz" -j"$jobs"
step fuzz-test ctest --test-dir "$root/build/fuzz" --output-on-failure

echo "== native suites, registry conformance and end-to-end suite under Wine"
if ! wine --version >/dev/null 2>&1; then
    echo "NOTE: this machine cannot run 32-bit Windows programs under Wine (its kernel has no IA-32"
    echo "      emulation): every Wine entry is reported as skipped; the native suites and checks run."
fi
step configure cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release
step build cmake --build "$root/build" -j"$jobs"
ctest --test-dir "$root/build" --output-on-failure

echo "== release: two builds of HEAD are identical"
step release "$root/scripts/release.sh" --check
