# Sourced by the scripts that drive the window: starts Xvfb on the first display number
# from $1 that no X server holds, exports DISPLAY, and waits until its socket is there.
# Processes appended to the array pids are ended when the script exits.
display=$1
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
export DISPLAY=:$display
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT
Xvfb "$DISPLAY" -screen 0 1600x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
