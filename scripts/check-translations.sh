#!/usr/bin/env bash
# Every text of the window has an English translation: lupdate gathers the texts of app/
# and the settings table's texts the panel shows into a temporary .ts, and each must be in
# app/translations/stereogramm_en.ts, in its context, with a finished translation.
# Usage: check-translations.sh LUPDATE TABLE-TEXTS (the program that prints the table's
# texts as markers). Exits 0 when all are translated, 1 otherwise, 77 (skipped) without lupdate.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${1:-}
texts=${2:?usage: check-translations.sh LUPDATE TABLE-TEXTS}
[ -n "$lupdate" ] && [ -x "$lupdate" ] || { echo "check-translations: lupdate is missing, skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$texts" > "$work/SettingsTableTexts.cpp"
"$lupdate" -silent app "$work/SettingsTableTexts.cpp" -ts "$work/found.ts"
python3 - "$work/found.ts" app/translations/stereogramm_en.ts <<'PY'
import sys
import xml.etree.ElementTree as ET

def messages(path):
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        for message in context.iter("message"):
            found[(context.findtext("name"), message.findtext("source"))] = message.find("translation")
    return found

translated = messages(sys.argv[2])
faults = 0
for (context, source) in messages(sys.argv[1]):
    translation = translated.get((context, source))
    if translation is None:
        print(f"missing from the .ts: {context}: {source!r}")
    elif translation.get("type") in ("unfinished", "obsolete", "vanished") or not (translation.text or "").strip():
        print(f"not translated: {context}: {source!r}")
    else:
        continue
    faults += 1
sys.exit(1 if faults else 0)
PY
