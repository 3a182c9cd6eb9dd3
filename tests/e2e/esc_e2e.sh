#!/bin/bash
# Runs the real program in a real X server under a window manager and presses Esc with real keys: from every
# control the Tab key reaches in the full view, and from the open calendar, Esc must bring up the exit prompt
# (answered with Esc, which cancels it); while the splash is up, Esc belongs to the splash.
# Usage: esc_e2e.sh PROGRAM ARTIFACT_DIR
set -euo pipefail
source "$(dirname "$0")/x11.sh"
in_x_server "$@"
require_tools xdotool xwininfo xprop import setpriv openbox
program=$(realpath "$1")
artifacts=$2
mkdir -p "$artifacts"

fail() {
    echo "FAIL: $*"
    import -window root "$artifacts/failure.png" || true
    exit 1
}
begin_session

start_openbox || { echo "FAIL: openbox never managed the screen"; exit 1; }

HOME=$home DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
    setpriv --bounding-set=-sys_time --inh-caps=-sys_time "$program" --app-clock >"$artifacts/program.log" 2>&1 &
program_pid=$!
pids+=($program_pid)

client_origin() { # WINDOW: sets X Y
    local info
    info=$(xwininfo -id "$1")
    X=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    Y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
}
# Esc pressed in the main window must bring the exit prompt, which Esc then cancels.
esc_prompts() { # WHERE
    xdotool key Escape
    local box
    box=$(find_window Tarvane 100) || fail "Esc from $1 brought no exit prompt"
    xdotool windowactivate --sync "$box" key Escape
    gone Tarvane 100 || fail "Esc did not cancel the exit prompt ($1)"
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended after Esc from $1"
}

# The splash takes keys while it is up: Esc closes it and asks nothing.
splash=$(find_window Tarvane 300) || fail "no splash"
main=$(find_window "Mission Elapsed Time") || fail "no main window"
if xdotool search --onlyvisible --name '^Tarvane$' >/dev/null; then
    xdotool windowactivate --sync "$splash" key Escape 2>/dev/null || true
fi
gone Tarvane 200 || fail "the splash stayed up, or a prompt came instead"
sleep 0.5
xdotool search --onlyvisible --name '^Tarvane$' >/dev/null && fail "Esc on the splash brought a prompt"

# The full view: cmdAccess lies at 144..273, 56..81 of the compact window.
client_origin "$main"
xdotool mousemove $((X + 208)) $((Y + 68)) click 1
sleep 0.5
xdotool windowactivate --sync "$main"
import -window root "$artifacts/full.png"

# Every control the Tab key reaches, twice round (about twenty stops).
for stop in $(seq 40); do
    xdotool windowactivate --sync "$main" key Tab
    esc_prompts "tab stop $stop"
done

# The calendar, opened by a double click on the date field, has the focus and would take Esc itself.
client_origin "$main"
menu_bar=$(( $(xwininfo -id "$main" | awk '/Height:/ {print $2}') - 413 ))
xdotool mousemove $((X + 352)) $((Y + menu_bar + 251)) click --repeat 2 --delay 80 1
sleep 0.5
import -window root "$artifacts/calendar.png"
xdotool windowactivate --sync "$main"
esc_prompts "the calendar"
for _ in 1 2 3; do
    xdotool key Tab
    esc_prompts "a control of the calendar"
done

echo "PASS: Esc reaches the exit prompt from every control, and the splash keeps its keys"
