#!/usr/bin/env bash
# Sets up what is missing, builds, and runs drafthost.
#   ./run.sh            the sample job: the bundled drawing through the sample script
#   ./run.sh [options]  drafthost with these options (see ./run.sh --help)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/tools/ensure-deps.sh"
"$root/tools/build.sh" >&2

program="$root/build/bin/drafthost"
if [ ! -x "$program" ]; then
    echo "Built the libraries and tests; the drafthost program is not part of the tree yet." >&2
    exit 0
fi
if [ $# -gt 0 ]; then
    exec "$program" "$@"
fi
# The script's pictures go to out/pictures/, relative to the tree.
mkdir -p "$root/out/pictures"
cd "$root"
exec "$program" "$root/samples/contours.dxf" --script "$root/samples/sample.scr" \
    --output "$root/out/contours.dxf"
