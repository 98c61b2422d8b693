#!/usr/bin/env bash
# Builds the picture- and model-reader fuzz targets with clang, libFuzzer and the address
# and undefined-behaviour sanitizers in build-fuzz, and runs each for a bounded time on a
# copy of its seed corpus. Exits non-zero on any crash, leak, timeout or sanitizer report.
# FUZZ_SECONDS sets the time per target (default 30). FUZZ_SEED fixes libFuzzer's random
# seed (default 1, so that a run can be repeated exactly); FUZZ_SEED=0 explores afresh.
# FUZZ_JOBS sets how many targets run at once (default: one per core).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
seconds="${FUZZ_SECONDS:-30}"
seed="${FUZZ_SEED:-1}"
sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
  -DSTEREO_FUZZ=ON -DSTEREO_BUILD_APP=OFF -DSTEREO_BUILD_TESTS=OFF -DSTEREO_BUILD_BENCH=OFF \
  -DSTEREO_BUILD_TOOLS=OFF -DCMAKE_CXX_FLAGS="$sanitizers" >/dev/null

targets=(fuzz_bmp fuzz_jpeg fuzz_png fuzz_pnm fuzz_tiff fuzz_webp fuzz_gif fuzz_model fuzz_video)
jobs="${FUZZ_JOBS:-$(nproc)}"
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# Runs one target on a fresh copy of its seeds; its log and any finding stay in its folder.
run_target() {
  local target="$1" work="$build/fuzz-run/$1" rc=0
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "$root/fuzz/corpus/$target"/* "$work/corpus/"
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
    "$build/fuzz/$target" "$work/corpus" -max_total_time="$seconds" -seed="$seed" -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$work/artifacts/" -print_final_stats=1 >"$work/log.txt" 2>&1 || rc=$?
  echo "$rc" >"$work/exit-status"
}

# The targets run side by side, one per core; their results are reported in a fixed order.
echo "== ${#targets[@]} targets, ${seconds} s each, $jobs at a time"
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_target "$target" &
done
wait

status=0
for target in "${targets[@]}"; do
  work="$build/fuzz-run/$target"
  if [ "$(cat "$work/exit-status" 2>/dev/null)" = 0 ]; then
    echo "$target: $(grep -E "stat::number_of_executed_units" "$work/log.txt" || echo "no statistics")"
  else
    echo "$target FAILED; see $work/log.txt"
    grep -E "ERROR|SUMMARY|runtime error" "$work/log.txt" | head -5 || true
    status=1
  fi
done
exit $status
