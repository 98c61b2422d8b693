#!/usr/bin/env bash
# Makes docs/reveal.png: a random-dot stereogram of sample 5, the depth map revealed from it
# (with its recorded options) and the red-cyan anaglyph of that revealed depth, side by side.
# Rerunnable; needs the built command-line tool (build/cli/stereogramm-cli, or the path given
# as the first argument) and ImageMagick (scripts/setup-debian.sh --docs).
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/cli/stereogramm-cli}
[ -x "$cli" ] || { echo "make-reveal-picture: $cli is not built" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cli" -q --depth sample:5 --type fast-random-dot --seed 1 -o "$work/stereogram.png"
"$cli" -q --reveal "$work/stereogram.png" -o "$work/revealed.png"
"$cli" -q --reveal "$work/stereogram.png" --mask texture:3 --view anaglyph -o "$work/anaglyph.png"

label() { convert "$1" -gravity south -background white -splice 0x22 -font DejaVu-Sans -pointsize 15 \
  -annotate +0+3 "$2" "$3"; }
label "$work/stereogram.png" "a stereogram" "$work/a.png"
label "$work/revealed.png" "its depth, revealed (--reveal)" "$work/b.png"
label "$work/anaglyph.png" "the revealed depth as an anaglyph (--view anaglyph)" "$work/c.png"
convert "$work/a.png" "$work/b.png" "$work/c.png" +append -resize 40% -strip docs/reveal.png
echo "Wrote docs/reveal.png"
