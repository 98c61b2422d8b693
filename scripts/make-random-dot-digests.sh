#!/usr/bin/env bash
# Remakes tests/data/random_dot_digests.txt, the known answers of the random-dot kinds, from
# the outputs of today's generator, and says which digests changed.
# Usage: scripts/make-random-dot-digests.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target RandomDotDigestTest
kept=tests/data/random_dot_digests.txt
made=$(mktemp)
trap 'rm -f "$made"' EXIT
STEREO_WRITE_DIGESTS="$made" "$build/tests/engine/RandomDotDigestTest" --gtest_brief=1 >/dev/null
changed=$(join -a1 -a2 -e missing -o 0,1.2,2.2 <(sort "$kept") <(sort "$made") | awk '$2 != $3 { print "  " $1 ": " $2 " -> " $3 }')
if [[ -z $changed ]]; then
    echo "no digest changed"
else
    echo "changed digests:"
    echo "$changed"
fi
cp "$made" "$kept"
