#!/usr/bin/env bash
# Peak memory of one large run: the benchmark's A4 page (3508 × 2480 at 300 dpi, textured,
# four samples a pixel, depth map as large as the page), run once under /usr/bin/time.
# Usage: scripts/measure-memory.sh [build directory]   (default: build)
set -euo pipefail

build=${1:-build}
bench="$build/bench/stereogramm-bench"
[ -x "$bench" ] || { echo "no $bench: configure with -DSTEREO_BUILD_BENCH=ON and build" >&2; exit 1; }

for case in 'textured/3508x2480/4/large$' 'textured/3508x2480/4/large/threads:2$'; do
  report=$( { /usr/bin/time -v "$bench" --benchmark_filter="$case" --benchmark_min_time=0 >/dev/null; } 2>&1 )
  peak_kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' <<<"$report")
  echo "Generate/${case%\$}: peak resident $((peak_kb / 1024)) MiB"
done
