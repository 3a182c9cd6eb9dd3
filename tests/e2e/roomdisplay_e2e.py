#!/usr/bin/python3
"""The room display end to end: the real program serving on loopback, its page in headless Chromium.

Runs inside an X server (see roomdisplay.sh). The program runs at a fake time (libfaketime) on its own clock,
without the right to set the computer's clock and without a system bus, in a throw-away home. Its trace of the
window's seconds changes (TARVANE_TRACE_SECONDS) is compared with the page's digits, sampled mid-second:
before liftoff, during a hold, across liftoff and after a sim time jump. Screenshots go to the artefact folder.
With --flips SECONDS it runs on real time instead and prints how long after the window the page flips.
Deadlines only bound the waiting; no duration is checked.
"""

import argparse
import os
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import time

from devtools import Chromium, end_process_group

FAKETIME_LIB = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
RED, GREEN = "rgb(255, 128, 128)", "rgb(0, 192, 0)"
GREY, YELLOW = "rgb(224, 224, 224)", "rgb(255, 255, 0)"

READ_PAGE = """(() => {
    const t = id => document.getElementById(id).textContent;
    const bg = node => getComputedStyle(node).backgroundColor;
    const seconds = document.getElementById('seconds');
    const root = document.documentElement;
    return {
        count: `${t('sign')} ${t('days')} ${t('hours')} ${t('minutes')} ${t('seconds')}`,
        body: bg(document.body), digits: bg(seconds), offline: document.body.classList.contains('offline'),
        holding: document.body.classList.contains('holding'), target: t('targetText'), window: t('windowText'),
        status: t('status'), digitPx: parseFloat(getComputedStyle(seconds).fontSize), height: innerHeight,
        scrolls: root.scrollWidth > innerWidth || root.scrollHeight > innerHeight,
        missionMs: window.tarvaneMissionNow ? window.tarvaneMissionNow() : null,
    };
})()"""

failures = []


def check(condition, what):
    print(("ok:   " if condition else "FAIL: ") + what, flush=True)
    if not condition:
        failures.append(what)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for(predicate, seconds, step=0.05):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(step)
    return None


class Program:
    """The real program with the time-setting capability dropped, no system bus and a throw-away home."""

    def __init__(self, binary, port, artefacts, fake_start=None, launch_file=None):
        self.home = tempfile.mkdtemp(prefix="tarvane-home-")
        env = {k: v for k, v in os.environ.items() if not k.startswith(("XDG_", "DBUS_", "FAKETIME", "LD_PRELOAD"))}
        env.update(HOME=self.home, TZ="UTC", LANG="C.UTF-8", QT_QPA_PLATFORM="xcb", TARVANE_TRACE_SECONDS="1",
                   DBUS_SYSTEM_BUS_ADDRESS="unix:path=/nonexistent", DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent")
        if fake_start:
            # libfaketime comes before the sanitizer runtime of a sanitizer build; that order works here.
            asan = env.get("ASAN_OPTIONS")
            env.update(ASAN_OPTIONS=f"{asan}:verify_asan_link_order=0" if asan else "verify_asan_link_order=0")
            env.update(LD_PRELOAD=FAKETIME_LIB, FAKETIME=f"@{fake_start}", FAKETIME_DONT_FAKE_MONOTONIC="1",
                       FAKETIME_DONT_RESET="1")
        args = ["setpriv", "--bounding-set=-sys_time", "--inh-caps=-sys_time", binary, "--app-clock",
                "--serve", f"127.0.0.1:{port}"]
        if launch_file:
            path = os.path.join(self.home, "e2e.trv")
            with open(path, "w", newline="") as f:
                f.write(launch_file.replace("PATH", path) + "\r\n")
            args.append(path)
        self.log_path = os.path.join(artefacts, "program.log")
        self.log = open(self.log_path, "w")
        self.process = subprocess.Popen(args, env=env, stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log,
                                        start_new_session=True)

    def trace(self):
        """The window's seconds changes so far: (real-time ms, count shown)."""
        changes = []
        with open(self.log_path, errors="replace") as f:
            for line in f:
                parts = line.split(maxsplit=2)
                if len(parts) == 3 and parts[0] == "tarvane-seconds":
                    changes.append((int(parts[1]), parts[2].strip()))
        return changes

    def shown(self):
        changes = self.trace()
        return changes[-1][1] if changes else None

    def alive(self):
        return self.process.poll() is None

    def stop(self):
        if self.alive():
            end_process_group(self.process)
        self.log.close()
        shutil.rmtree(self.home, ignore_errors=True)


def xdo(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=20).stdout.strip()


def main_window():
    found = wait_for(lambda: xdo("search", "--onlyvisible", "--name", "^Mission Elapsed Time$"), 30, 0.2)
    return found.split()[0] if found else None


def press(window, *keys):
    xdo("windowactivate", "--sync", window, "key", "--clearmodifiers", *keys)


def client_origin(window):
    info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True, timeout=20).stdout
    values = dict(line.strip().split(":", 1) for line in info.splitlines() if line.strip().startswith("Absolute"))
    return int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"])


def shoot(args, name):
    subprocess.run(["import", "-window", "root", os.path.join(args.artefacts, name)], timeout=20)


def sample(page, program):
    """Reads page and window in the middle of the page's mission second, where neither is about to flip."""
    state = page.evaluate(READ_PAGE)
    if state["missionMs"] is not None:
        into = state["missionMs"] % 1000
        time.sleep(((1500 - into) % 1000) / 1000.0)
    state = page.evaluate(READ_PAGE)
    state["window_count"] = program.shown()
    return state


def compare(page, program, what, sign, body, digits):
    s = sample(page, program)
    check(s["count"] == s["window_count"], f"{what}: page shows {s['count']!r}, window {s['window_count']!r}")
    check(s["count"].startswith(sign), f"{what}: sign {sign!r}")
    check(s["body"] == body, f"{what}: background {s['body']} is {body}")
    check(s["digits"] == digits, f"{what}: digits on {s['digits']}, expected {digits}")
    return s


def scenario(args, page, program, window):
    s = compare(page, program, "before liftoff", "T -", RED, GREY)
    check(not s["offline"], "the page says it is connected")

    # A key typed while the splash is up only closes the splash, the whole chord of Alt+H included.
    check(wait_for(lambda: not xdo("search", "--onlyvisible", "--name", "^Tarvane$"), 10) is not None,
          "the splash closes by itself")
    started = time.monotonic()
    press(window, "alt+h")
    check(wait_for(lambda: page.evaluate(READ_PAGE)["holding"], 5) is not None, "the hold shows on the page")
    print(f"info: hold seen on the page {1000 * (time.monotonic() - started):.0f} ms after the key", flush=True)
    first = compare(page, program, "holding", "T -", RED, YELLOW)
    states = page.evaluate("window.tarvaneStates")
    time.sleep(2)
    second = compare(page, program, "still holding", "T -", RED, YELLOW)
    check(page.evaluate("window.tarvaneStates") == states, "the seconds of a hold send the page nothing")
    check(first["count"] == second["count"], "the count stands still during the hold")
    check(first["target"] != second["target"], f"the target moves on: {first['target']!r} -> {second['target']!r}")
    check(first["window"] != second["window"], f"the launch window runs down: {first['window']!r} -> {second['window']!r}")
    press(window, "alt+r")
    check(wait_for(lambda: not page.evaluate(READ_PAGE)["holding"], 5) is not None, "the resume shows on the page")
    compare(page, program, "resumed", "T -", RED, GREY)

    check(wait_for(lambda: (program.shown() or "").startswith("T + 000 00 00 02"), 40, 0.2) is not None,
          "the window passes liftoff")
    compare(page, program, "after liftoff", "T +", GREEN, GREY)

    # A sim time jump: the full view, then Sim Time > T - 10, confirmed (on the program's own clock).
    x, y = client_origin(window)
    xdo("mousemove", str(x + 208), str(y + 68), "click", "1")  # cmdAccess
    time.sleep(1)
    x, y = client_origin(window)  # the full view stands elsewhere
    xdo("mousemove", str(x + 167), str(y + 9), "click", "1")  # the Help menu
    time.sleep(0.5)
    shoot(args, "menu-help.png")
    for key in ["Left", "Down", "Down", "Down"]:
        xdo("key", key)
        time.sleep(0.3)
    shoot(args, "menu-simtime.png")
    xdo("key", "Return")
    time.sleep(0.8)
    shoot(args, "confirm-jump.png")
    xdo("key", "Return")
    before = program.shown()
    jumped = wait_for(lambda: (program.shown() or "").startswith("T -") and program.shown(), 10, 0.1)
    check(jumped is not None, f"the window jumped back before liftoff (was {before!r})")
    time.sleep(0.5)
    compare(page, program, "after a sim time jump", "T -", RED, GREY)

    # Settings > Room Display . . . by its access keys, with the window's real keyboard.
    press(window, "alt+e")
    time.sleep(0.4)
    xdo("key", "d")
    found = wait_for(lambda: xdo("search", "--onlyvisible", "--name", "^Room Display$"), 10, 0.2)
    check(found is not None, "Alt+E, D opens the Room Display window")
    if found:
        time.sleep(0.5)
        shoot(args, "room-display-window.png")
        press(found.split()[0], "alt+c")
        check(wait_for(lambda: not xdo("search", "--onlyvisible", "--name", "^Room Display$"), 10, 0.2) is not None,
              "Alt+C closes it")

    for width, height in [(1920, 1080), (1280, 720)]:
        page.set_size(width, height)
        time.sleep(0.6)
        s = page.evaluate(READ_PAGE)
        check(s["digitPx"] >= 0.2 * s["height"], f"{width}x{height}: digits {s['digitPx']:.0f} px of {s['height']}")
        check(not s["scrolls"], f"{width}x{height}: no scroll bars")
        page.screenshot(os.path.join(args.artefacts, f"page-{width}x{height}.png"))

    program.stop()
    check(wait_for(lambda: page.evaluate(READ_PAGE)["offline"], 10) is not None, "a lost connection shows")
    s = page.evaluate(READ_PAGE)
    check("lost" in s["status"], f"it says so: {s['status']!r}")
    page.screenshot(os.path.join(args.artefacts, "page-offline-1280x720.png"))


def flips(args, page, program):
    time.sleep(args.flips)
    shown = page.evaluate("JSON.stringify(window.tarvaneFlips)")
    import json
    page_changes = json.loads(shown)
    window_changes = {count: at for at, count in program.trace()}
    delays = [change["at"] - window_changes[change["count"]] for change in page_changes
              if change["count"] in window_changes]
    delays = sorted(delays[2:])  # the first ones come before the page's first clock sync
    if not delays:
        print("FAIL: no flips to compare")
        failures.append("flips")
        return
    p99 = delays[min(len(delays) - 1, int(0.99 * (len(delays) - 1) + 0.5))]
    print(f"flips: {len(delays)} seconds; page after window: median {statistics.median(delays):.0f} ms, "
          f"p99 {p99:.0f} ms, min {delays[0]} ms, max {delays[-1]} ms")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("artefacts")
    parser.add_argument("--flips", type=int, default=0, help="measure flip delays for this many seconds")
    args = parser.parse_args()
    os.makedirs(args.artefacts, exist_ok=True)
    wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    port = free_port()
    if args.flips:
        program = Program(args.program, port, args.artefacts)
    else:
        # 30 s before liftoff, holds armed, a launch window of one minute active.
        record = ('"May 3, 2001   10:30:00 AM","May 3, 2001",1,#TRUE#,"0:01:00","00","30","10","00","01","00",'
                  '"PATH","PATH"')
        program = Program(args.program, port, args.artefacts, "2001-05-03 10:29:30", record)
    page = None
    try:
        window = main_window()
        check(window is not None, "the main window appears")
        if window is None:
            return 1
        page = Chromium(os.path.join(args.artefacts, "chromium.log"))
        page.set_size(1280, 720)
        page.navigate(f"http://127.0.0.1:{port}/")
        connected = wait_for(lambda: page.evaluate("!!document.body && !!window.tarvaneFlips && !document.body.classList.contains('offline')"), 20, 0.1)
        check(connected is not None, "the page connects")
        wait_for(lambda: program.shown(), 10)
        time.sleep(1)
        if args.flips:
            flips(args, page, program)
        else:
            scenario(args, page, program, window)
    finally:
        if page:
            page.close()
        program.stop()
        os.killpg(wm.pid, signal.SIGTERM)
    print("PASS" if not failures else f"FAILED: {len(failures)} checks", flush=True)
    return 0 if not failures else 1


if __name__ == "__main__":
    sys.exit(main())
