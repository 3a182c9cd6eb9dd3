# Helpers for the end-to-end scripts that start the real program in a process group of its own; sourced, not run.

# Ends the process group that PID leads: asks it to end, gives it 5 s, then kills what is left; reaps the leader.
end_group() {
    local pid=$1
    kill -TERM -- "-$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 -- "-$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL -- "-$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
