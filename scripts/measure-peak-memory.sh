#!/usr/bin/env bash
# Runs a command under /usr/bin/time and reports its peak memory (maximum resident set
# size). Exits non-zero when the command fails or takes more than LIMIT_MB (default 64).
#   scripts/measure-peak-memory.sh COMMAND [ARGUMENT...]
set -euo pipefail

limit_mb="${LIMIT_MB:-64}"
report="$(/usr/bin/time -v "$@" 2>&1 >/dev/null)" || { echo "$* failed"; echo "$report" | tail -5; exit 1; }
kb="$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p' <<<"$report")"
mb=$(( (kb + 1023) / 1024 ))
echo "$(basename "$1"): peak ${mb} MB (${kb} kB), limit ${limit_mb} MB"
[ "$mb" -le "$limit_mb" ]
