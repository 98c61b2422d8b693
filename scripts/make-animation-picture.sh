#!/usr/bin/env bash
# Makes docs/turning-knot.gif: the torus knot model (resources/models/torus_knot.stl, made
# by tools/modelgen) turning once about its upright axis, as a looping animation of
# black-and-white random dots. Rerunnable; needs the built command-line tool
# (build/cli/stereogramm-cli, or the path given as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/cli/stereogramm-cli}
[ -x "$cli" ] || { echo "make-animation-picture: $cli is not built" >&2; exit 1; }

"$cli" -q --width 360 --height 225 --type fast-random-dot --rotate 20,0,0 --depth resources/models/torus_knot.stl \
  --frames 30 --spin 0,360,0 --fps 10 --seed 1 -o docs/turning-knot.gif
echo "Wrote docs/turning-knot.gif"
