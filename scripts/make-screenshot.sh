#!/usr/bin/env bash
# Makes docs/screenshot.png: the window as the user first sees it, with the settings
# panel open (Ctrl+E), which shows the textured stereogram of depth map 1 and texture 1 at
# once, on a virtual X server of its own. Rerunnable. Needs the built window (build/app/stereogramm, or the path given as
# the first argument) and Xvfb, xdotool and ImageMagick (scripts/setup-debian.sh --docs).
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/app/stereogramm}
out=docs/screenshot.png
[ -x "$program" ] || { echo "make-screenshot: $program is not built" >&2; exit 1; }

source scripts/virtual-display.sh

"$program" >/dev/null 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Stereogramm$' | head -n 1)
sleep 1                              # the samples load when the window is first activated
xdotool windowfocus --sync "$window"
xdotool key ctrl+e
sleep 2                              # the live preview and the paint
import -window "$window" -strip -define png:exclude-chunks=date,time "$out"
echo "Wrote $out"
