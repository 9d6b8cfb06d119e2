#!/usr/bin/env bash
# Configures and builds the tree: tools/build.sh [--sanitize]
# Release with debug info in build/, or the sanitizer build in build-asan/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

dir="$root/build"
extra=()
if [ "${1:-}" = "--sanitize" ]; then
    dir="$root/build-asan"
    extra+=(-DDH_SANITIZE=ON -DDH_BENCH=OFF)
fi

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" >/dev/null
fi
cmake --build "$dir" --parallel "$(nproc)"
