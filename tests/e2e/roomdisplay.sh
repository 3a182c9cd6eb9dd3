#!/usr/bin/env bash
# The room display end to end: the real program serving on loopback and its page in headless Chromium, in a
# virtual X server. See roomdisplay_e2e.py; screenshots and logs go to ARTEFACT_DIR.
# Usage: roomdisplay.sh PROGRAM ARTEFACT_DIR [--flips SECONDS]. Exit 77 means skipped (tools missing).
set -euo pipefail

program="$(realpath "$1")"
artefacts="$2"
shift 2
for tool in xvfb-run xdotool openbox chromium setpriv; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing; run scripts/install-deps.sh"; exit 77; }
done
[[ -e /usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 ]] || { echo "SKIP: libfaketime is missing"; exit 77; }
/usr/bin/python3 -c 'import websocket' 2>/dev/null || { echo "SKIP: python3-websocket is missing"; exit 77; }

mkdir -p "$artefacts"
rm -f "$artefacts"/*.png "$artefacts"/*.log
exec xvfb-run -a -e "$artefacts/xvfb.log" -s "-screen 0 1280x1024x24" \
    /usr/bin/python3 "$(dirname "$(realpath "$0")")/roomdisplay_e2e.py" "$program" "$artefacts" "$@"
