#!/bin/bash
# Qt's own options (with their values) are taken and left to Qt; --version and --help work with no display.
# Usage: qt_options.sh PROGRAM
set -uo pipefail
program=$1
fail() { echo "FAIL: $*"; exit 1; }
check() { # EXPECTED-START ARGS...
    local expected=$1 out
    shift
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" "$@" 2>&1) || fail "'$*' exited with $?: $out"
    [[ "$out" == "$expected"* ]] || fail "'$*' printed: $out"
}
check "Tarvane 0.0.56" --version
check "Tarvane 0.0.56" -platform offscreen --version
check "Tarvane 0.0.56" -style Fusion --version
check "Tarvane 0.0.56" -style=Fusion -reverse --version
check "Tarvane 0.0.56" -display :77 --version
check "Tarvane 0.0.56" --platform offscreen -qwindowgeometry 300x200+10+10 --version
check "Usage:" -platform offscreen --help
out=$(env -u DISPLAY "$program" -bogus --version 2>&1) && fail "an unknown option was taken: $out"

# The real start with Qt's options: it runs (on the offscreen platform) until stopped.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME=$home DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
    setpriv --bounding-set=-sys_time --inh-caps=-sys_time \
    timeout 3 "$program" -platform offscreen -style Fusion -reverse --app-clock >"$home/log" 2>&1
status=$?
[ "$status" = 124 ] || fail "with Qt's options the program ended with $status: $(cat "$home/log")"

# --speak with no sound to be had (no sound server): one line on standard error says why, and the program runs on.
HOME=$home DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
    PULSE_SERVER=unix:/nonexistent/tarvane-no-sound setpriv --bounding-set=-sys_time --inh-caps=-sys_time \
    timeout 4 "$program" -platform offscreen --app-clock --speak >"$home/log" 2>"$home/errors"
status=$?
[ "$status" = 124 ] || fail "with --speak and no sound the program ended with $status: $(cat "$home/errors")"
said=$(grep -c '^Tarvane: ' "$home/errors")
[ "$said" = 1 ] && grep -q '^Tarvane: Spoken callouts cannot be heard: .' "$home/errors" ||
    fail "with --speak and no sound the program said: $(cat "$home/errors")"
echo "PASS: Qt's options, --speak without sound"
