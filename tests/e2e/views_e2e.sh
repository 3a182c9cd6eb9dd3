#!/bin/bash
# Runs the real program in a real X server: start-up through the splash into the compact view, to the full view
# and back, About and Technical Support. Checks sizes and places, and saves a screenshot of each for people to
# look at. Usage: views_e2e.sh PROGRAM ARTIFACT_DIR
set -euo pipefail
program=$(realpath "$1")
artifacts=$2
mkdir -p "$artifacts"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
source "$(dirname "$0")/x11.sh"
require_tools xdotool xwininfo xprop import convert setpriv

fail() { echo "FAIL: $*"; exit 1; }
begin_session

# A window manager gives the windows real frames, so the frame arithmetic is put to the test; without one the
# frames are empty and the same checks hold.
wm=
if command -v openbox >/dev/null; then
    start_openbox && wm=openbox
fi

start_program() {
    HOME=$home DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
        setpriv --bounding-set=-sys_time --inh-caps=-sys_time "$program" --app-clock >"$artifacts/program.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
}
start_program

# Client geometry and frame of a window: sets X Y W H and L R T B.
measure() {
    local info
    info=$(xwininfo -id "$1")
    X=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    Y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    W=$(awk '/Width:/ {print $2}' <<<"$info")
    H=$(awk '/Height:/ {print $2}' <<<"$info")
    read -r L R T B < <(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ',') || true
    L=${L:-0} R=${R:-0} T=${T:-0} B=${B:-0}
}
shoot() { # WINDOW FILE: the window with its frame
    measure "$1"
    import -window root -crop "$((W + L + R))x$((H + T + B))+$((X - L))+$((Y - T))" +repage "$artifacts/$2"
    echo "saved $2"
}
wait_for_width() { # WINDOW WIDTH
    for _ in $(seq 50); do
        measure "$1"
        [ "$W" = "$2" ] && return 0
        sleep 0.1
    done
    fail "window width $W, expected $2"
}
press() { # WINDOW KEY: to that window, through the window manager where there is one
    if [ -n "$wm" ]; then
        xdotool windowactivate --sync "$1" key --clearmodifiers "$2"
    else
        xdotool windowfocus --sync "$1" key --clearmodifiers "$2"
    fi
}
click_client() { # WINDOW X Y [BUTTON]
    measure "$1"
    xdotool mousemove "$((X + $2))" "$((Y + $3))" click "${4:-1}"
}

if ! splash=$(find_window Tarvane 300); then
    # Seen once in a full CI run of the sanitizer build and never again in dozens of runs: a start that showed no
    # window at all for 30 s. A session message bus that does not answer does exactly that (Qt waits for it at
    # start-up, 48 s in a trial), so the program now runs with none, as in the other end-to-end tests. Should it
    # happen again, keep what there is to see, and give the program one more start.
    echo "note: no splash after 30 s; visible windows:" \
        "$(xdotool search --onlyvisible --name . 2>/dev/null | xargs -r -n1 xdotool getwindowname 2>/dev/null | paste -sd '|')"
    import -window root "$artifacts/no-splash.png" 2>/dev/null || true
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    cp "$artifacts/program.log" "$artifacts/program-first-start.log"
    start_program
    splash=$(find_window Tarvane 300) || fail "no splash"
fi
main=$(find_window "Mission Elapsed Time") || fail "no main window"
measure "$splash"
splash_geometry="$X $Y $W $H"
xdotool search --onlyvisible --name '^Tarvane$' >/dev/null || fail "the splash closed before the main window showed"
shoot "$splash" splash.png
read -r sx sy sw sh <<<"$splash_geometry"
[ $((sx + sw / 2)) -eq 640 ] && [ $((sy + sh / 2)) -le 512 ] || echo "note: splash centre at $((sx + sw / 2)),$((sy + sh / 2))"

measure "$main"
[ "$W" = 282 ] && [ "$H" = 82 ] || fail "compact client ${W}x$H, expected 282x82"
[ "$X" = 493 ] && [ "$Y" = 59 ] || fail "start-up client at $X,$Y, expected the layout's 493,59"
top=$((Y - T))
shoot "$main" compact.png

gone Tarvane 100 || fail "the splash did not close on its own"

# cmdAccess lies at 144..273, 56..81 of the surface, which starts under the menu bar in the full view.
click_client "$main" 208 68
wait_for_width "$main" 671
[ $((X - L)) = 50 ] || fail "full view frame left $((X - L)), expected 50"
[ $((Y - T)) = "$top" ] || fail "the top edge moved"
shoot "$main" full.png
# An open menu and a tooltip, for people to compare their fonts with the menu bar's.
shoot_area() { # FILE: the main window and what lies below and right of it
    measure "$main"
    import -window root -crop "$((W + L + R + 40))x$((H + T + B + 40))+$((X - L))+$((Y - T))" +repage "$artifacts/$1"
    echo "saved $1"
}
click_client "$main" 60 9 # Settings
sleep 0.5
shoot_area menu.png
xdotool key Escape
sleep 0.3
# The launch date field's tooltip: the field lies at 268..437, 238..266 of the surface, under the menu bar.
measure "$main"
xdotool mousemove "$((X + 330))" "$((Y + 268))"
sleep 0.2
xdotool mousemove "$((X + 340))" "$((Y + 270))"
sleep 1.5
shoot_area tooltip.png

# Back with Ctrl+K where a window manager hands out the keyboard, else with the button.
if [ -n "$wm" ]; then
    press "$main" ctrl+k
else
    click_client "$main" 208 87 # under the full view's menu bar
fi
wait_for_width "$main" 282
[ $((X - L)) = 490 ] || fail "compact frame left $((X - L)), expected 490"
[ $((Y - T)) = "$top" ] || fail "the top edge moved"
[ "$H" = 82 ] || fail "compact client height $H"
shoot "$main" compact-again.png

# Help is the fourth menu of the full view's menu bar; About its first item, Technical Support its third.
click_client "$main" 208 68
wait_for_width "$main" 671
open_help_item() { # DOWN-PRESSES TITLE
    click_client "$main" 167 9
    sleep 0.4
    for _ in $(seq "$1"); do xdotool key Down; done
    xdotool key Return
    find_window "$2" 30 || fail "no window \"$2\""
}
about=$(open_help_item 1 "About Tarvane")
sleep 0.3
shoot "$about" about.png
open_help_item 1 "About Tarvane" >/dev/null
[ "$(xdotool search --onlyvisible --name '^About Tarvane$' | wc -l)" = 1 ] || fail "a second About window"
press "$about" a
sleep 0.3
xdotool search --onlyvisible --name '^About Tarvane$' >/dev/null || fail "a letter closed About"
press "$about" Escape
gone "About Tarvane" 30 || fail "Esc did not close About"

support=$(open_help_item 3 "Technical Support")
sleep 0.3
shoot "$support" techsupport.png
press "$support" Escape
gone "Technical Support" 30 || fail "Esc did not close Technical Support"

kill -0 "${pids[-1]}" 2>/dev/null || fail "the program ended"
echo "PASS: views, splash and information windows"
