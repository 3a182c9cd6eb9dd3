# shellcheck shell=bash
# A private sound server for tests and benchmarks that need real sound; sourced, not run.
#
#   pulse_require_tools || exit $?   # 77 (skip) when a tool is missing; 1 under CI, which must run the test
#   pulse_start                      # a PulseAudio of our own with a null sink "nul" as the default output
#   pulse_record PREFIX              # records the null sink's monitor (see soundtrace.py); returns once data flows
#   pulse_stop_recording
#   pulse_stop                       # also run on exit once pulse_start has run
#
# The server runs in a private runtime folder (XDG_RUNTIME_DIR) with a home of its own, so it never meets the
# user's own sound server, and clients started after pulse_start reach only it: PULSE_SERVER names its socket.
# Nothing is heard on the machine's speakers. It works as root (PulseAudio warns that it is not meant to run as
# root without --system, and runs) and as any other user.

pulse_soundtrace="$(dirname "$(realpath "${BASH_SOURCE[0]}")")/soundtrace.py"
pulse_dir=""
pulse_recorder=""

pulse_require_tools()
{
    local tool
    for tool in pulseaudio pactl parec python3; do
        command -v "$tool" >/dev/null && continue
        if [[ -n "${CI:-}" ]]; then
            echo "FAIL: $tool is missing (CI must run this test); run scripts/install-deps.sh" >&2
            return 1
        fi
        echo "SKIP: $tool is missing; run scripts/install-deps.sh"
        return 77
    done
}

pulse_start()
{
    pulse_dir="$(mktemp -d "${TMPDIR:-/tmp}/tarvane-pulse.XXXXXX")"
    mkdir -m 700 "$pulse_dir/runtime" "$pulse_dir/home"
    export XDG_RUNTIME_DIR="$pulse_dir/runtime"
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    trap pulse_stop EXIT
    HOME="$pulse_dir/home" XDG_CONFIG_HOME="$pulse_dir/home/.config" pulseaudio --daemonize=yes \
        --exit-idle-time=-1 -n --log-target="file:$pulse_dir/pulseaudio.log" \
        --load="module-null-sink sink_name=nul" --load="module-native-protocol-unix auth-anonymous=1" ||
        { echo "pulse_start: PulseAudio did not start; see $pulse_dir/pulseaudio.log" >&2; return 1; }
    local _
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    pactl set-default-sink nul || { echo "pulse_start: the null sink is missing" >&2; return 1; }
}

pulse_record()
{
    local prefix="$1" _
    rm -f "$prefix.raw" "$prefix.times" "$prefix.ready"
    python3 "$pulse_soundtrace" record --out "$prefix" &
    pulse_recorder=$!
    for _ in $(seq 100); do
        [[ -e "$prefix.ready" ]] && return 0
        kill -0 "$pulse_recorder" 2>/dev/null || break
        sleep 0.1
    done
    echo "pulse_record: no sound data came from the recorder" >&2
    return 1
}

pulse_stop_recording()
{
    [[ -n "$pulse_recorder" ]] || return 0
    kill -TERM "$pulse_recorder" 2>/dev/null || true
    wait "$pulse_recorder" 2>/dev/null || true
    pulse_recorder=""
}

pulse_stop()
{
    pulse_stop_recording
    [[ -n "$pulse_dir" ]] || return 0
    local pid _
    pid="$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true)"
    HOME="$pulse_dir/home" pulseaudio --kill 2>/dev/null || true
    if [[ -n "$pid" ]]; then
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -rf "$pulse_dir"
    pulse_dir=""
}
