#!/usr/bin/python3
"""Runs the real program with spoken callouts over the last ten seconds of a count, again and again, and measures it.

  callouts_bench.py PROGRAM OUT_DIR [--runs N]

Each run starts Tarvane with --speak on its own clock, which libfaketime starts at T - 13 s, and ends it at T + 1.
Runs are made with callouts off (the baseline), then on, quiet and with two CPU hogs. For every run with callouts
on, the monotonic time of each change of the count from 10 to liftoff (the seconds trace) goes to OUT_DIR/plays.log
as "MONOTONIC_MS PHASE TEXT", for soundtrace.py to find when each call's sound began in the recording of the sound
server that callouts_bench.sh runs around this. Between the changes to 10 and to T + 1 each thread of the process
is measured: wake-ups (voluntary context switches) and CPU time per second; and the process's resident memory.
The computer's clock is never at risk: the program runs without the right to set it and keeps its own.
"""

import argparse
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

FAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
START = "2001-05-03 10:29:47"  # T - 13 s before the default launch target
CALLS = {10: "10", 9: "9", 8: "8", 7: "7", 6: "6", 5: "5", 4: "4", 3: "3", 2: "2", 1: "1", 0: "Liftoff"}


def threads(pid):
    """Each thread's name, wake-ups and CPU nanoseconds, by thread id."""
    found = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            base = f"/proc/{pid}/task/{tid}"
            with open(f"{base}/comm") as f:
                name = f.read().strip()
            with open(f"{base}/status") as f:
                wakeups = next(int(line.split()[1]) for line in f if line.startswith("voluntary_ctxt_switches"))
            with open(f"{base}/schedstat") as f:
                cpu = int(f.read().split()[0])
            found[int(tid)] = (name, wakeups, cpu)
        except (OSError, StopIteration):
            pass
    return found


def memory(pid):
    with open(f"/proc/{pid}/status") as f:
        fields = dict(line.split(":", 1) for line in f if ":" in line)
    return int(fields["VmRSS"].split()[0]), int(fields["VmHWM"].split()[0])


def count_of(line):
    """The count a seconds trace line shows, positive before liftoff; its monotonic time."""
    parts = line.split()
    seconds = int(parts[4]) * 86400 + int(parts[5]) * 3600 + int(parts[6]) * 60 + int(parts[7])
    return float(parts[1]), seconds if parts[3] == "-" else -seconds


def run_once(program, speak, log_path):
    home = tempfile.mkdtemp(prefix="tarvane-bench-")
    env = {k: v for k, v in os.environ.items() if not k.startswith(("XDG_", "DBUS_", "FAKETIME", "LD_PRELOAD"))}
    env.update(HOME=home, XDG_CONFIG_HOME=f"{home}/.config", XDG_DATA_HOME=f"{home}/.local/share",
               XDG_RUNTIME_DIR=os.environ.get("XDG_RUNTIME_DIR", home), TZ="UTC", LANG="C.UTF-8",
               QT_QPA_PLATFORM="offscreen", TARVANE_TRACE_SECONDS="monotonic",
               DBUS_SYSTEM_BUS_ADDRESS="unix:path=/nonexistent", DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent",
               FAKETIME_DONT_FAKE_MONOTONIC="1", LD_PRELOAD=FAKETIME, FAKETIME=f"@{START}")
    args = ["setpriv", "--bounding-set=-sys_time", "--inh-caps=-sys_time", program, "--app-clock"]
    if speak:
        args.append("--speak")
    with open(log_path, "w") as log:
        process = subprocess.Popen(args, env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                   start_new_session=True)
    changes = {}
    before = after = None
    rss = None
    deadline = time.monotonic() + 60
    try:
        seen = 0
        while time.monotonic() < deadline and process.poll() is None:
            with open(log_path, errors="replace") as log:
                lines = [line for line in log if line.startswith("tarvane-seconds ")]
            for line in lines[seen:]:
                at, count = count_of(line)
                changes[count] = at
                if count == 10:
                    before = (time.monotonic(), threads(process.pid))
                elif count == -1:
                    after = (time.monotonic(), threads(process.pid))
                    rss = memory(process.pid)
            seen = len(lines)
            if after:
                break
            time.sleep(0.02)
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
        subprocess.run(["rm", "-rf", home], check=False)
    if not (before and after):
        raise SystemExit(f"callouts_bench: a run did not count from 10 to T + 1; see {log_path}")
    seconds = after[0] - before[0]
    per_thread = []
    for tid, (name, wakeups, cpu) in after[1].items():
        start = before[1].get(tid, (name, 0, 0))
        per_thread.append(("window thread" if tid == process.pid else name, (wakeups - start[1]) / seconds,
                           (cpu - start[2]) / 1e6 / seconds))
    return changes, per_thread, rss


def report(phase, results):
    rows = {}
    for _, per_thread, _ in results:
        for name, wakeups, cpu in per_thread:
            rows.setdefault(name, []).append((wakeups, cpu))
    total_cpu = statistics.median(sum(cpu for _, _, cpu in per_thread) for _, per_thread, _ in results)
    rss = statistics.median(r[0] for _, _, r in results)
    peak = statistics.median(r[1] for _, _, r in results)
    print(f"{phase}: {len(results)} runs, 10 to T + 1; medians: CPU {total_cpu:.2f} ms/s, "
          f"resident {rss / 1024:.1f} MiB (peak {peak / 1024:.1f} MiB)")
    for name, values in sorted(rows.items(), key=lambda item: item[0] != "window thread"):
        wakeups = statistics.median(w for w, _ in values)
        cpu = statistics.median(c for _, c in values)
        if name == "window thread" or wakeups >= 0.05 or cpu >= 0.01:
            print(f"    {name:18} wake-ups {wakeups:7.2f} /s   CPU {cpu:7.3f} ms/s")
    sys.stdout.flush()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("out")
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    plays = open(os.path.join(args.out, "plays.log"), "w")

    def phase(name, speak, runs):
        results = []
        for i in range(runs):
            result = run_once(args.program, speak, os.path.join(args.out, f"{name}-{i}.log"))
            results.append(result)
            if speak:
                for count, text in CALLS.items():
                    plays.write(f"{result[0][count]:.2f} {name} {text}\n")
                plays.flush()
        report(name, results)

    phase("off", False, min(args.runs, 3))
    phase("quiet", True, args.runs)
    hogs = [subprocess.Popen(["/bin/sh", "-c", "while :; do :; done"]) for _ in range(2)]
    try:
        phase("hogs", True, args.runs)
    finally:
        for hog in hogs:
            hog.kill()
            hog.wait()
    plays.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
