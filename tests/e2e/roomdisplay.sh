#!/usr/bin/env bash
# The room display end to end: the real program serving on loopback and its page in headless Chromium, in a
# virtual X server. See roomdisplay_e2e.py; screenshots and logs go to ARTEFACT_DIR.
# Usage: roomdisplay.sh PROGRAM ARTEFACT_DIR [--flips SECONDS]. Exit 77 means skipped (tools missing).
set -euo pipefail

program="$(realpath "$1")"
artefacts="$2"
shift 2
# A missing tool skips the test, except under CI, which must run it.
skip()
{
    [[ -z "${CI:-}" ]] || { echo "FAIL: $*; CI must run this test"; exit 1; }
    echo "SKIP: $*; run scripts/install-deps.sh"
    exit 77
}
for tool in xvfb-run xdotool openbox chromium setpriv; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done
[[ -e /usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 ]] || skip "libfaketime is missing"
/usr/bin/python3 -c 'import websocket, PIL' 2>/dev/null || skip "python3-websocket or python3-pil is missing"

mkdir -p "$artefacts"
rm -f "$artefacts"/*.png "$artefacts"/*.log
exec xvfb-run -a -e "$artefacts/xvfb.log" -s "-screen 0 1280x1024x24" \
    /usr/bin/python3 "$(dirname "$(realpath "$0")")/roomdisplay_e2e.py" "$program" "$artefacts" "$@"
