#!/usr/bin/env bash
# Starts the real program with a throw-away home folder in a virtual X server and checks that it writes the
# default launch data file with the record of the initial values. The program runs without the right to set
# the clock, without a system bus and on its own application clock.
# Usage: default_file.sh PROGRAM [SCREENSHOT_FOLDER]. Exit 77 means skipped (tools missing).
set -euo pipefail

program="$1"
shots="${2:-}"
for tool in xvfb-run setpriv; do
    command -v "$tool" >/dev/null || { echo "default_file: $tool is missing, skipped"; exit 77; }
done

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
file="$home/.local/share/Tarvane/launch.trv"
shot=""
[[ -z "$shots" ]] || { mkdir -p "$shots"; shot="$shots/default_file.png"; }

env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_RUNTIME_DIR HOME="$home" \
    DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
    LANG=C.UTF-8 \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        setpriv --bounding-set=-sys_time --inh-caps=-sys_time "$1" --app-clock &
        pid=$!
        for _ in $(seq 1 300); do
            [[ -s "$2" ]] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        sleep 1 # let the window appear for the screenshot
        if [[ -n "$3" ]] && command -v import >/dev/null; then import -window root "$3" || true; fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    ' default_file "$program" "$file" "$shot"

expected="$(printf '"May 3, 2001   10:30:00 AM","May 3, 2001",0,#FALSE#,"00:00:00","00","30","10","00","00","00","%s","%s"\r\n' "$file" "$file" | od -c)"
if [[ ! -f "$file" ]]; then
    echo "default_file: $file was not written" >&2
    exit 1
fi
actual="$(od -c "$file")"
if [[ "$actual" != "$expected" ]]; then
    echo "default_file: $file holds something else than the initial record:" >&2
    od -c "$file" >&2
    exit 1
fi
echo "default_file: the initial record is at $file"
