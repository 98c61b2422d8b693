#!/usr/bin/env bash
# Reads picture files with a reader executable under /usr/bin/time and reports the peak
# memory (maximum resident set size) of each. Exits non-zero when a file takes more than
# LIMIT_MB (default 64) or the reader does not run.
#   scripts/measure-peak-memory.sh READER FILE...
set -euo pipefail

limit_mb="${LIMIT_MB:-64}"
reader="$1"
shift
status=0
for file in "$@"; do
  report="$(/usr/bin/time -v "$reader" "$file" 2>&1 >/dev/null)" || { echo "$reader failed on $file"; exit 1; }
  kb="$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p' <<<"$report")"
  mb=$(( (kb + 1023) / 1024 ))
  verdict="ok"
  if [ "$mb" -gt "$limit_mb" ]; then verdict="OVER ${limit_mb} MB"; status=1; fi
  echo "$(basename "$file"): peak ${mb} MB (${kb} kB) $verdict"
done
exit $status
