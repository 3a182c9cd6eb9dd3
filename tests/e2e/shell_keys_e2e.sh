#!/bin/bash
# Real keys and clicks on the real program in a real X server under openbox, for what only shows under a window
# manager. One scenario a run:
#   splash-keys   Space, Esc, Ctrl+S and Shift+Esc, each in a start of its own, while the splash is up: each only
#                 closes the splash (no save, no exit prompt)
#   alt-h         Alt+H opens Help while holds are not armed, and holds at once when they are (full view)
#   compact-tab   Tab, Tab, "12" in the compact view reach no hidden field
#   compact-keys  the access keys of the cropped controls and the shortcut of Active Launch Window do nothing in the
#                 compact view, and open no box; in the full view Alt+I works
#   resume-after-revert  Revert during a hold, of a file with holds disarmed: Alt+R still resumes
#   box-placement the open prompt, the Open dialog after it, the exit prompt, the saved notice after it and the sim
#                 time wizard's page all open over the main window
#   quick-clicks  three clicks on the launch target 150 ms apart step the launch date by three days
#   damaged-file  the box about a damaged default file, shown while the splash is up, is not under the splash and
#                 takes its keys
#   sequence      Ctrl+E opens the countdown sequence; a built-in hold added there with real keys holds the count at
#                 its T-time and resumes it by itself; Save writes the sequence beside the launch data, and the next
#                 start reads it back
# Usage: shell_keys_e2e.sh PROGRAM ARTIFACT_DIR SCENARIO. Exit 77 means skipped (tools missing).
set -euo pipefail
program=$(realpath "$1")
artifacts=$2
scenario=$3
mkdir -p "$artifacts"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
source "$(dirname "$0")/x11.sh"
require_tools xdotool xwininfo xprop import setpriv openbox

fail() {
    echo "FAIL ($scenario): $*"
    import -window root "$artifacts/$scenario-failure.png" 2>/dev/null || true
    exit 1
}
begin_session
file="$home/.local/share/Tarvane/launch.trv"

start_openbox || { echo "FAIL: openbox never managed the screen"; exit 1; }

program_pid=
start() {
    HOME=$home DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
        setpriv --bounding-set=-sys_time --inh-caps=-sys_time "$program" --app-clock >>"$artifacts/$scenario.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
    main=$(find_window "Mission Elapsed Time") || fail "no main window"
}
stop() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
}
shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
measure() { # client geometry: X Y W H
    local info
    info=$(xwininfo -id "$1")
    X=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    Y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    W=$(awk '/Width:/ {print $2}' <<<"$info")
    H=$(awk '/Height:/ {print $2}' <<<"$info")
}
key() { # KEYS... to the main window, through the window manager
    xdotool windowactivate --sync "$main" key --clearmodifiers "$@"
}
wait_for_width() { # WIDTH
    for _ in $(seq 50); do
        measure "$main"
        [ "$W" = "$1" ] && return 0
        sleep 0.1
    done
    fail "main window width $W, expected $1"
}
# The splash ("Tarvane") up until a key: any key closes it and does nothing else.
close_splash() {
    key shift
    for _ in $(seq 50); do
        shown Tarvane || return 0
        sleep 0.1
    done
    fail "a key did not close the splash"
}
# The colour of one pixel of the client area: "r,g,b".
pixel() { # X Y
    measure "$main"
    import -window root -crop "1x1+$((X + $1))+$((Y + $2))" +repage -depth 8 txt:- | sed -n 's/.*(\([0-9]*,[0-9]*,[0-9]*\)).*/\1/p'
}
# A launch data file the program's own saves would never write: field 12 and 13 name another place.
write_record() { # DATE HOLDS_ARMED
    mkdir -p "$(dirname "$file")"
    printf '"%s   10:30:00 AM","%s",0,%s,"00:00:00","00","30","10","00","00","00","/elsewhere/launch.trv","/old/x.trv"\r\n' \
        "$1" "$1" "$2" >"$file"
}
program_windows() { xdotool search --onlyvisible --classname tarvane 2>/dev/null | wc -l; }
centre_near_main() { # WINDOW WHAT: the window's middle lies over the main window's
    local cx cy
    measure "$1"
    cx=$((X + W / 2)) cy=$((Y + H / 2))
    measure "$main"
    local dx=$((cx - X - W / 2)) dy=$((cy - Y - H / 2))
    echo "$2: middle $cx,$cy; off the main window's by $dx,$dy"
    ((dx * dx <= 900 && dy * dy <= 1600)) || fail "$2 is not over the main window (off by $dx,$dy)"
}
saved_record() {
    rm -f "$file"
    key ctrl+s
    for _ in $(seq 50); do
        [ -s "$file" ] && { cat "$file"; return 0; }
        sleep 0.1
    done
    fail "Ctrl+S wrote no file"
}

case "$scenario" in
splash-keys)
    write_record "May 3, 2030" "#FALSE#"
    before=$(cat "$file")
    for k in space Escape ctrl+s shift+Escape; do
        start
        shown Tarvane || fail "the splash is not up with the main window"
        key "$k"
        sleep 0.5
        shown Tarvane && fail "$k left the splash up, or opened a box titled Tarvane"
        measure "$main"
        [ "$W" = 282 ] || fail "$k changed the view (client width $W)"
        kill -0 "$program_pid" 2>/dev/null || fail "$k ended the program"
        [ "$(cat "$file")" = "$before" ] || fail "$k saved the launch data file"
        import -window root "$artifacts/splash-$k.png"
        stop
    done
    ;;
alt-h)
    # Holds can be armed only before liftoff: a launch target years ahead, holds not armed.
    mkdir -p "$(dirname "$file")"
    printf '"May 3, 2030   10:30:00 AM","May 3, 2030",0,#FALSE#,"00:00:00","00","30","10","00","00","00","%s","%s"\r\n' \
        "$file" "$file" >"$file"
    start
    close_splash
    key ctrl+k # the full view
    wait_for_width 671
    windows=$(xdotool search --onlyvisible --classname tarvane 2>/dev/null | wc -l)
    key alt+h
    sleep 0.5
    # Help's drop-down is a window of its own.
    [ "$(xdotool search --onlyvisible --classname tarvane 2>/dev/null | wc -l)" -gt "$windows" ] ||
        fail "Alt+H with holds not armed opened no menu"
    import -window root "$artifacts/alt-h-help.png"
    xdotool key Escape
    sleep 0.3
    shown Tarvane && fail "Esc from the Help menu reached the exit prompt"
    key ctrl+d # arm holds
    sleep 0.3
    key alt+h
    sleep 0.6
    key ctrl+k # back to the compact view, where the digits stand under no menu bar
    wait_for_width 282
    # The seconds' background at their box's left edge: yellow while holding.
    colour=$(pixel 234 14)
    import -window root "$artifacts/alt-h-hold.png"
    [ "$colour" = "255,255,0" ] || fail "Alt+H with holds armed did not hold (seconds on $colour)"
    ;;
compact-tab)
    start
    close_splash
    key Tab Tab 1 2
    sleep 0.3
    record=$(saved_record)
    echo "$record"
    [[ "$record" == *'"00","00","00","'* ]] || fail "Tab, Tab, 12 changed a hidden field: $record"
    ;;
compact-keys)
    # A launch date the window's entry differs from, so Set Launch Time has something to confirm.
    write_record "May 3, 2030" "#FALSE#"
    start
    close_splash
    windows=$(program_windows)
    key alt+i
    sleep 0.3
    key space # on a control the compact view shows: the view switch, say
    sleep 0.5
    measure "$main"
    if [ "$W" = 671 ]; then
        key ctrl+k
        wait_for_width 282
    fi
    [[ "$(saved_record)" == *'",0,#FALSE#,"'* ]] || fail "Alt+I, Space in the compact view changed the launch window"
    for k in alt+s alt+w ctrl+w; do
        key "$k"
        sleep 0.5
        [ "$(program_windows)" = "$windows" ] || fail "$k in the compact view opened a window"
        [[ "$(saved_record)" == *'",0,#FALSE#,"'* ]] || fail "$k in the compact view changed the launch window"
    done
    key ctrl+d # the other shortcuts work: holds armed
    sleep 0.3
    [[ "$(saved_record)" == *'",0,#TRUE#,"'* ]] || fail "Ctrl+D did not arm holds in the compact view"
    import -window root "$artifacts/compact-keys.png"
    key alt+a # "&Access Launch Data"
    wait_for_width 671
    key alt+i
    sleep 0.5
    [[ "$(saved_record)" == *'",1,#TRUE#,"'* ]] || fail "Alt+I in the full view did not switch the launch window on"
    ;;
resume-after-revert)
    write_record "May 3, 2030" "#FALSE#"
    start
    close_splash
    key ctrl+d # arm holds
    sleep 0.3
    key alt+h
    sleep 0.5
    # The seconds' background at their box's left edge: yellow while holding, grey while counting.
    [ "$(pixel 234 14)" = "255,255,0" ] || fail "Alt+H did not hold"
    key ctrl+r # the file says holds are not armed
    sleep 0.5
    [ "$(pixel 234 14)" = "255,255,0" ] || fail "Revert ended the hold"
    import -window root "$artifacts/resume-after-revert-held.png"
    key alt+r
    sleep 0.5
    colour=$(pixel 234 14)
    import -window root "$artifacts/resume-after-revert.png"
    [ "$colour" = "224,224,224" ] || fail "Alt+R after Revert did not resume (seconds on $colour)"
    ;;
sequence)
    # A launch target 80 seconds ahead with holds armed, and a built-in hold of 6 seconds at T - 00:00:50.
    mkdir -p "$(dirname "$file")"
    target=$(date -d '+80 seconds' '+%B %-d, %Y   %-I:%M:%S %p')
    printf '"%s","%s",0,#TRUE#,"00:00:00","00","30","10","00","00","00","%s","%s"\r\n' \
        "$target" "${target%%   *}" "$file" "$file" >"$file"
    sequence_file="$home/.local/share/Tarvane/launch.tvseq"
    expected=$'t,kind,length,name\r\nT - 00:00:50,hold,0:00:06,Poll hold\r'
    start
    close_splash
    key ctrl+e
    seq_window=$(find_window "Countdown Sequence") || fail "Ctrl+E opened no Countdown Sequence window"
    xdotool windowactivate --sync "$seq_window" key --clearmodifiers alt+a
    entry=$(find_window "Add Milestone") || fail "Alt+A opened no Add Milestone dialog"
    xdotool windowactivate --sync "$entry" type --delay 20 "T - 00:00:50"
    xdotool key Tab type --delay 20 "Poll hold"
    xdotool key Tab Down Tab
    xdotool type --delay 20 "0:00:06"
    import -window root "$artifacts/sequence-entry.png"
    xdotool key Return
    gone "Add Milestone" || fail "Enter left the Add Milestone dialog open"
    sleep 0.3
    import -window root "$artifacts/sequence-window.png"
    xdotool windowactivate --sync "$seq_window" key --clearmodifiers Escape
    gone "Countdown Sequence" || fail "Esc left the Countdown Sequence window open"
    # The seconds' background at their box's left edge: yellow while holding, grey while counting.
    [ "$(pixel 234 14)" = "224,224,224" ] || fail "the count holds before its built-in hold"
    seconds_become() { # COLOUR TRIES: the seconds' background turns COLOUR within TRIES tenths of a second
        for _ in $(seq "$2"); do
            [ "$(pixel 234 14)" = "$1" ] && return 0
            sleep 0.1
        done
        return 1
    }
    saved_sequence() { # Ctrl+S, and the sequence file it writes
        key ctrl+s
        for _ in $(seq 50); do
            [ -s "$sequence_file" ] && break
            sleep 0.1
        done
        cat "$sequence_file" 2>/dev/null
    }
    seconds_become "255,255,0" 600 || fail "the built-in hold never held the count"
    import -window root "$artifacts/sequence-held.png"
    seconds_become "224,224,224" 300 || fail "the built-in hold did not end by itself"
    [ "$(saved_sequence)" = "$expected" ] || fail "Save wrote the sequence as: $(cat -A "$sequence_file" 2>&1)"
    stop
    # Started again, the program has the sequence back: its next Save writes it once more.
    start
    close_splash
    rm -f "$sequence_file"
    [ "$(saved_sequence)" = "$expected" ] || fail "the sequence was not read back at the next start"
    ;;
box-placement)
    write_record "May 3, 2030" "#FALSE#"
    start
    close_splash
    key ctrl+k
    wait_for_width 671
    measure "$main"
    # File > Open . . .: the prompt, and the Open dialog that comes as the prompt closes.
    xdotool mousemove "$((X + 16))" "$((Y + 10))" click 1
    sleep 0.5
    xdotool key o
    box=$(find_window_of_type Tarvane DIALOG) || fail "no open prompt"
    centre_near_main "$box" "the open prompt"
    xdotool windowactivate --sync "$box" key n
    dialog=$(find_window_of_type "Open . . ." DIALOG) || fail "No at the open prompt brought no Open dialog"
    import -window root "$artifacts/box-placement-open.png"
    centre_near_main "$dialog" "the Open dialog"
    xdotool windowactivate --sync "$dialog" key Escape
    gone "Open . . ." || fail "Esc did not cancel the Open dialog"
    # The wizard's first page: Sim Time's last item, Manual Set.
    measure "$main"
    xdotool mousemove "$((X + 120))" "$((Y + 10))" click 1 # the menu bar's Sim Time
    sleep 0.5
    xdotool key Up Return
    page=$(find_window "Manual Sim Time Wizard") || fail "no wizard page"
    sleep 0.3
    import -window root "$artifacts/box-placement-wizard.png"
    centre_near_main "$page" "the wizard's page"
    xdotool windowactivate --sync "$page" key alt+c
    gone "Manual Sim Time Wizard" || fail "Alt+C did not close the wizard"
    # Esc: the exit prompt, and the saved notice that comes as it closes.
    key Escape
    box=$(find_window_of_type Tarvane DIALOG) || fail "no exit prompt"
    centre_near_main "$box" "the exit prompt"
    xdotool windowactivate --sync "$box" key Return
    for _ in $(seq 50); do
        notice=$(find_window_of_type Tarvane DIALOG 1) || true
        [ -n "$notice" ] && [ "$notice" != "$box" ] && break
        notice=
    done
    [ -n "$notice" ] || fail "Yes at the exit prompt brought no saved notice"
    import -window root "$artifacts/box-placement-notice.png"
    centre_near_main "$notice" "the saved notice"
    xdotool windowactivate --sync "$notice" key Return
    ;;
quick-clicks)
    start
    close_splash
    key ctrl+k
    wait_for_width 671
    measure "$main"
    # lblTarget lies at 102..347, 40..64 of the launch time panel (264, 128), under the menu bar.
    menu=$((H - 392 - 28)) # client height less the surface and the status bar
    echo "client height $H"
    xdotool mousemove "$((X + 264 + 220))" "$((Y + menu + 128 + 52))"
    sleep 0.2
    xdotool click --repeat 3 --delay 150 1
    sleep 0.5
    record=$(saved_record)
    echo "$record"
    [[ "$record" == *'"May 3, 2001   10:30:00 AM","May 6, 2001",'* ]] ||
        fail "three clicks did not step the date by three days: $record"
    ;;
damaged-file)
    mkdir -p "$(dirname "$file")"
    printf 'not a launch record\r\n' >"$file"
    HOME=$home DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
        setpriv --bounding-set=-sys_time --inh-caps=-sys_time "$program" --app-clock >>"$artifacts/$scenario.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
    # The box and the splash are both titled "Tarvane", and on a slow start (the sanitizer build on a busy
    # machine) the splash is up alone for a while: each is known by its window type. While the box is up, the
    # splash stays out of the way.
    box=$(find_window_of_type Tarvane DIALOG 300) || fail "no box about the damaged file"
    for _ in $(seq 5); do
        find_window_of_type Tarvane SPLASH 1 >/dev/null && fail "the splash is up over the box"
        sleep 0.1
    done
    import -window root "$artifacts/damaged-file-box.png"
    xdotool windowactivate --sync "$box" key --clearmodifiers Return
    main=$(find_window "Mission Elapsed Time") || fail "Return did not answer the box"
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended"
    ;;
*)
    fail "no scenario $scenario"
    ;;
esac
echo "PASS: $scenario"
