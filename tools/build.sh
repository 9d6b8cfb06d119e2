#!/usr/bin/env bash
# Configures and builds the tree: tools/build.sh [--sanitize]
# Release with debug info in build/, or the sanitizer build in build-asan/.
# DH_NO_DEBUG_INFO=1 (set by CI) leaves the debug information out of the release build.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

dir="$root/build"
extra=()
if [ "${1:-}" = "--sanitize" ]; then
    dir="$root/build-asan"
    # -O1 with line tables only: sanitizer builds compile and link much faster, and
    # reports still name file and line.
    extra+=(-DDH_SANITIZE=ON -DDH_BENCH=OFF "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1")
fi

if [ "${DH_NO_DEBUG_INFO:-}" = 1 ] && [ ${#extra[@]} -eq 0 ]; then
    extra+=("-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG")
fi

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" >/dev/null
fi
cmake --build "$dir" --parallel "$(nproc)"
