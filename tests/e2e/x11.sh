# Helpers for the end-to-end scripts that drive the real program in an X server; sourced, not run.

# Starts openbox with the throw-away home $home and waits until it manages the screen; its pid joins $pids.
start_openbox() {
    HOME=$home openbox >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
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
