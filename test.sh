#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test.
#   ./test.sh              Release build with debug info in build/
#   ./test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
# Extra arguments after the mode go to ctest (e.g. ./test.sh -R ge_).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mode=()
if [ "${1:-}" = "--sanitize" ]; then
    mode=(--sanitize)
    shift
fi
"$root/tools/ensure-deps.sh"
"$root/tools/build.sh" "${mode[@]}"

dir="$root/build"
[ ${#mode[@]} -gt 0 ] && dir="$root/build-asan"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/tools/lsan.supp}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)" "$@"
