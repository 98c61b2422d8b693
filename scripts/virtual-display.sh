# Sourced by the scripts that drive the window: starts Xvfb on a display number that no X
# server holds, exports DISPLAY, and returns once the server accepts connections. Xvfb
# itself picks the number and writes it to -displayfd when it is ready: a socket that
# exists is not yet a server that answers, and a slow first start (cold caches, a busy
# machine) once let the window start too early and abort for want of a display.
# Processes appended to the array pids are ended when the script exits; a server that is
# not ready within a minute ends the sourcing script with status 1 and Xvfb's own words.
pids=()
display_dir=$(mktemp -d)
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$display_dir"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1600x800x24 -nolisten tcp 3>"$display_dir/number" >"$display_dir/log" 2>&1 &
pids+=($!)
for _ in $(seq 600); do
  [ -s "$display_dir/number" ] && break
  kill -0 "${pids[0]}" 2>/dev/null || break
  sleep 0.1
done
if ! [ -s "$display_dir/number" ]; then
  echo "virtual-display: Xvfb did not start:" >&2
  cat "$display_dir/log" >&2
  exit 1
fi
export DISPLAY=:$(tr -d '[:space:]' <"$display_dir/number")
