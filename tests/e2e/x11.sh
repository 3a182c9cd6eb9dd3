# Helpers for the end-to-end scripts that drive the real program in an X server; sourced, not run.

# Runs the calling script again in a virtual X server of its own when there is no display.
in_x_server() {
    [ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
}

# Skips the test (exit 77) when one of the tools is missing.
require_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
    done
}

# A throw-away home folder $home and the list $pids of processes to end, both cleaned up when the script exits.
begin_session() {
    home=$(mktemp -d)
    pids=()
    trap end_session EXIT
}
end_session() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$home"
}

# Starts openbox with the throw-away home $home and waits until it manages the screen; its pid joins $pids.
# Managing starts with the check window, but xdotool can activate a window only once the list of what the window
# manager supports names _NET_ACTIVE_WINDOW; on a busy machine that comes seconds later. About one start in a
# hundred, with servers starting beside it, openbox ends at once with "Failed to open the display" although the
# server answers other clients: such an openbox is started again, up to three times; its messages are printed
# when it never manages the screen.
start_openbox() {
    local openbox_pid
    for _ in 1 2 3; do
        HOME=$home openbox >>"$home/openbox.log" 2>&1 &
        openbox_pid=$!
        pids+=("$openbox_pid")
        for _ in $(seq 300); do
            xprop -root _NET_SUPPORTED 2>/dev/null | grep -q '_NET_ACTIVE_WINDOW' && return 0
            kill -0 "$openbox_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$openbox_pid" 2>/dev/null && break # alive, yet never managed the screen
    done
    cat "$home/openbox.log" >&2
    return 1
}

find_window() { # NAME [tries of 0.1 s]: prints the first visible window of that title
    local tries=${2:-100} id
    for _ in $(seq "$tries"); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

gone() { # NAME [tries of 0.1 s]: no visible window of that title is left
    for _ in $(seq "${2:-100}"); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

find_window_of_type() { # NAME TYPE [tries of 0.1 s]: prints the first visible window of that title whose window
    # type (_NET_WM_WINDOW_TYPE_TYPE: DIALOG, SPLASH, NORMAL, ...) says what it is
    local tries=${3:-100} id
    for _ in $(seq "$tries"); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
            xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q "_NET_WM_WINDOW_TYPE_$2\b" &&
                { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}
