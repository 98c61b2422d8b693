#!/usr/bin/env bash
# Makes docs/depth-sources.png: the torus knot model (resources/models/torus_knot.stl, made
# by tools/modelgen) and a hidden text, each as the depth map the program renders from it
# and as the stereogram made from that. Rerunnable; needs the built command-line tool
# (build/cli/stereogramm-cli, or the path given as the first argument) and ImageMagick
# (scripts/setup-debian.sh --docs).
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/cli/stereogramm-cli}
[ -x "$cli" ] || { echo "make-depth-sources-picture: $cli is not built" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

size=(--width 640 --height 400)
"$cli" -q "${size[@]}" --rotate 20,30,0 --depth resources/models/torus_knot.stl --mask texture:7 --seed 1 \
  --depth-out "$work/knot-depth.png" -o "$work/knot.png"
"$cli" -q "${size[@]}" --depth 'text:Stereo\ngramm' --mask texture:12 --seed 1 \
  --depth-out "$work/text-depth.png" -o "$work/text.png"

label() { convert "$1" -gravity south -background white -splice 0x22 -font DejaVu-Sans -pointsize 15 \
  -annotate +0+3 "$2" "$3"; }
label "$work/knot-depth.png" "torus_knot.stl as a depth map" "$work/a.png"
label "$work/knot.png" "its stereogram" "$work/b.png"
label "$work/text-depth.png" "text:Stereo\\\\ngramm as a depth map" "$work/c.png"
label "$work/text.png" "its stereogram" "$work/d.png"
convert \( "$work/a.png" "$work/b.png" +append \) \( "$work/c.png" "$work/d.png" +append \) -append \
  -resize 50% -strip docs/depth-sources.png
echo "Wrote docs/depth-sources.png"
