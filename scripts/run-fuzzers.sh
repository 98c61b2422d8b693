#!/usr/bin/env bash
# Builds the picture- and model-reader fuzz targets with clang, libFuzzer and the address
# and undefined-behaviour sanitizers in build-fuzz, and runs each for a bounded time on a
# copy of its seed corpus. Exits non-zero on any crash, leak, timeout or sanitizer report.
# FUZZ_SECONDS sets the time per target (default 30). FUZZ_SEED fixes libFuzzer's random
# seed (default 1, so that a run can be repeated exactly); FUZZ_SEED=0 explores afresh.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
seconds="${FUZZ_SECONDS:-30}"
seed="${FUZZ_SEED:-1}"
sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSTEREO_FUZZ=ON -DSTEREO_BUILD_APP=OFF -DSTEREO_BUILD_TESTS=OFF -DSTEREO_BUILD_BENCH=OFF \
  -DSTEREO_BUILD_TOOLS=OFF -DCMAKE_CXX_FLAGS="$sanitizers" >/dev/null
cmake --build "$build" -j2 --target fuzz_bmp fuzz_jpeg fuzz_png fuzz_pnm fuzz_tiff fuzz_webp fuzz_gif fuzz_model fuzz_video

status=0
for target in fuzz_bmp fuzz_jpeg fuzz_png fuzz_pnm fuzz_tiff fuzz_webp fuzz_gif fuzz_model fuzz_video; do
  work="$build/fuzz-run/$target"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "$root/fuzz/corpus/$target"/* "$work/corpus/"
  echo "== $target: ${seconds} s"
  if ! UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
      "$build/fuzz/$target" "$work/corpus" -max_total_time="$seconds" -seed="$seed" -rss_limit_mb=2048 -timeout=10 \
      -artifact_prefix="$work/artifacts/" -print_final_stats=1 >"$work/log.txt" 2>&1; then
    echo "$target FAILED; see $work/log.txt"
    grep -E "ERROR|SUMMARY|runtime error" "$work/log.txt" | head -5 || true
    status=1
  else
    grep -E "stat::number_of_executed_units" "$work/log.txt" || true
  fi
done
exit $status
