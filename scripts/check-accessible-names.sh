#!/usr/bin/env bash
# Finds every control of the window by its accessible name through AT-SPI, the way a
# screen reader sees them: the window is started on a virtual X server of its own with an
# accessibility bus of its own, the settings panel opened with Ctrl+E, and every button,
# list, field, check box and spin box must carry a name; the named ones below must be
# there, and the lists and panel controls describe the command-line option they set. Usage: check-accessible-names.sh [PROGRAM] (default build/app/stereogramm).
# Exits 0 when all are found, 1 when one is missing, 77 (skipped) without Xvfb, D-Bus,
# the AT-SPI bus or python3-pyatspi.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/app/stereogramm}
[ -x "$program" ] || { echo "check-accessible-names: $program is not built" >&2; exit 1; }
python=/usr/bin/python3
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -n 1 || true)
for tool in Xvfb dbus-run-session "$python"; do
  command -v "$tool" >/dev/null || { echo "check-accessible-names: $tool is missing, skipped"; exit 77; }
done
[ -n "$launcher" ] || { echo "check-accessible-names: no AT-SPI bus launcher, skipped"; exit 77; }
"$python" -c 'import pyatspi' 2>/dev/null || { echo "check-accessible-names: python3-pyatspi is missing, skipped"; exit 77; }

if [ -z "${STEREO_ATSPI_SESSION:-}" ]; then
  export STEREO_ATSPI_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi

source scripts/virtual-display.sh
"$launcher" --launch-immediately >/dev/null 2>&1 &
pids+=($!)
sleep 1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 LANG=de_DE.UTF-8
program_log="$display_dir/program.log"
"$program" >"$program_log" 2>&1 &
pids+=($!)
export STEREO_ATSPI_PROGRAM=$!

if "$python" - <<'PY'
import os, sys, time
import pyatspi

def running():
    try:
        os.kill(int(os.environ["STEREO_ATSPI_PROGRAM"]), 0)
        return True
    except OSError:
        return False

def application():
    for _ in range(600):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.lower().startswith("stereogramm"):
                return app
        if not running():
            break
        time.sleep(0.1)
    sys.exit("check-accessible-names: the window did not appear on the accessibility bus%s"
             % ("" if running() else " (the program ended)"))

def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)

app = application()
time.sleep(1.5)  # the samples load when the window is first activated
pyatspi.Registry.generateKeyboardEvent(37, None, pyatspi.KEY_PRESS)      # Control_L
pyatspi.Registry.generateKeyboardEvent(26, None, pyatspi.KEY_PRESSRELEASE)  # e
pyatspi.Registry.generateKeyboardEvent(37, None, pyatspi.KEY_RELEASE)
time.sleep(1.5)

controls = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
            pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_SLIDER}
names, descriptions, unnamed = set(), set(), []
for node in walk(app):
    role = node.getRole()
    if role not in controls:
        continue
    if node.description:
        descriptions.add(node.description)
    if node.name:
        names.add(node.name)
    elif node.parent is None or node.parent.getRole() not in controls:  # a list's own text field
        unnamed.append(pyatspi.Registry.getRoleName(node) if hasattr(pyatspi.Registry, "getRoleName") else str(role))

# A list is announced by its entry; its description names the option it sets.
required = ["Tiefenbild laden", "Textur laden", "Stereogramm erzeugen", "Schwarz-Weiß-Bild", "Farben-Bild", "Textur-Farbenbild", "Überabtastung", "Betrachtungsabstand", "Breite",
            "Höhe", "Große Bilder", "Kreuzblick", "Drehung um X", "Text"]
options = ["--depth sample:N", "--mask texture:N", "--type", "--blur", "--oversampling", "--rotate"]
missing = [name for name in required if name not in names] + [option for option in options if option not in descriptions]
print("check-accessible-names: %d named controls" % len(names))
if os.environ.get("STEREO_ATSPI_DEBUG"): print(sorted(names))
if missing or unnamed:
    print("missing names: %s; controls without a name: %s" % (missing, unnamed))
    sys.exit(1)
PY
then status=0; else status=$?; fi
if [ $status -ne 0 ]; then
  echo "check-accessible-names: what the program printed:" >&2
  cat "$program_log" >&2
fi
exit $status
