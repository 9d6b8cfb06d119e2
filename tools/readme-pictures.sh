#!/usr/bin/env bash
# Copies the sample job's pictures (out/pictures/N-LABEL.png, made by the RENDER lines of
# samples/sample.scr) to docs/pictures/ and rewrites the README's table of them: picture
# N-1 beside picture N for every N > 0, captioned LABEL. Run ./run.sh first.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
shopt -s nullglob
pictures=(out/pictures/*.png)
if [ ${#pictures[@]} -lt 2 ]; then
    echo "readme-pictures: no pictures in out/pictures/; run ./run.sh first" >&2
    exit 1
fi
mapfile -t pictures < <(printf '%s\n' "${pictures[@]}" | sort -t/ -k3 -n)
rm -f docs/pictures/*.png
mkdir -p docs/pictures
cp "${pictures[@]}" docs/pictures/

table="| Command | Before | After |"$'\n'"|---|---|---|"
for ((i = 1; i < ${#pictures[@]}; ++i)); do
    before="$(basename "${pictures[i-1]}")"
    after="$(basename "${pictures[i]}")"
    label="${after%.png}"
    label="${label#*-}"
    table+=$'\n'"| \`$label\` | ![before $label](docs/pictures/$before) | ![after $label](docs/pictures/$after) |"
done

python3 - "$table" <<'PY'
import re, sys
path = "README.md"
text = open(path, encoding="utf-8").read()
block = "<!-- pictures -->\n" + sys.argv[1] + "\n<!-- /pictures -->"
new, count = re.subn(r"<!-- pictures -->.*?<!-- /pictures -->", lambda m: block, text, flags=re.S)
if count != 1:
    sys.exit("readme-pictures: README.md has no <!-- pictures --> block")
open(path, "w", encoding="utf-8").write(new)
PY
echo "readme-pictures: ${#pictures[@]} pictures in docs/pictures/, README.md table updated"
