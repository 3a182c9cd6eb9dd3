#!/usr/bin/python3
"""The room display end to end: the real program serving on loopback, its page in headless Chromium.

Runs inside an X server (see roomdisplay.sh). The program runs at a fake time (libfaketime) on its own clock,
without the right to set the computer's clock and without a system bus, in a throw-away home. Its trace of the
window's seconds changes (TARVANE_TRACE_SECONDS) is compared with the page's digits, sampled mid-second:
before liftoff, during a hold, across liftoff and after a sim time jump; the page says HOLD, LIFTOFF and the
launch window warning in words without moving the count; the countdown sequence's next milestone stands still
during the hold while the L clock runs on. At every screen size a room uses, the digits' drawn
height is measured on the screenshot. Then: the count alone for a live stream, a screen behind a slow network
(a delaying proxy) that flags its uncertain time, a screen that never got through, a foreign page's WebSocket
and a foreign host name, both turned away; and a lost connection that says how old the count is.
Screenshots go to the artefact folder.
With --flips SECONDS it runs on real time instead and prints how long after the window the page flips.
Deadlines only bound the waiting; no duration is checked.
"""

import argparse
import http.server
import os
import re
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

from PIL import Image

from devtools import Chromium, end_process_group

FAKETIME_LIB = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
RED, GREEN = "rgb(255, 128, 128)", "rgb(0, 192, 0)"
GREY, YELLOW = "rgb(224, 224, 224)", "rgb(255, 255, 0)"
AMBER = "rgb(255, 176, 0)"
# The sizes of the screens of a room: a 4K and a full HD television, a projector, an old 4:3 projector, a phone on
# its side and upright. The digits' drawn height must reach this share of the screen's height.
SIZES = [(3840, 2160, 0.25), (1920, 1080, 0.25), (1280, 720, 0.25), (1024, 768, 0.18), (844, 390, 0.25),
         (390, 844, 0.12)]

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
        word: t('word'), warning: t('warning'), warningBg: bg(document.getElementById('warning')),
        warningShown: getComputedStyle(document.getElementById('warning')).visibility === 'visible',
        countTop: document.getElementById('count').getBoundingClientRect().top,
        quality: t('quality'), uncertain: document.getElementById('quality').classList.contains('uncertain'),
        uncertaintyMs: window.tarvaneUncertaintyMs,
        connecting: document.body.classList.contains('connecting'),
        milestone: `${t('milestoneCaption')} ${t('milestoneText')}`, lclock: t('lclockText'),
    };
})()"""

# Where the digits stand, and whether anything of the page lies outside the screen.
READ_LAYOUT = """(() => {
    const seconds = document.getElementById('seconds').getBoundingClientRect();
    const outside = [...document.querySelectorAll('#display *')].filter(node => {
        const r = node.getBoundingClientRect();
        const shown = getComputedStyle(node).visibility === 'visible' && r.width > 0 && r.height > 0;
        return shown && (r.left < -0.5 || r.top < -0.5 || r.right > innerWidth + 0.5 || r.bottom > innerHeight + 0.5);
    }).map(node => node.id || node.className);
    const root = document.documentElement;
    return {
        left: seconds.left, top: seconds.top, right: seconds.right, bottom: seconds.bottom,
        width: innerWidth, height: innerHeight, outside,
        scrolls: root.scrollWidth > innerWidth || root.scrollHeight > innerHeight,
        daysShown: getComputedStyle(document.getElementById('daysGroup')).display !== 'none',
        background: getComputedStyle(document.body).backgroundColor,
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


def start_openbox():
    """Starts openbox and waits until it can activate windows (seconds later on a busy machine). About one start in
    a hundred, with servers starting beside it, openbox ends at once with "Failed to open the display": such an
    openbox is started again, up to three times."""
    def supports_activation():
        return b"_NET_ACTIVE_WINDOW" in subprocess.run(["xprop", "-root", "_NET_SUPPORTED"],
                                                       capture_output=True).stdout
    for _ in range(3):
        wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, start_new_session=True)
        if wait_for(lambda: supports_activation() or wm.poll() is not None, 30, 0.1) and wm.poll() is None:
            return wm
        if wm.poll() is None:
            break
        print("openbox ended at start:", wm.stderr.read().decode(errors="replace").strip(), file=sys.stderr)
    return wm


class Program:
    """The real program with the time-setting capability dropped, no system bus and a throw-away home."""

    def __init__(self, binary, port, artefacts, fake_start=None, launch_file=None, sequence=None):
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
            if sequence:
                with open(os.path.join(self.home, "e2e.tvseq"), "w", newline="") as f:
                    f.write(sequence)
            args.append(path)
        self.port = port
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


def load(page, url):
    """Opens url and waits until the room display's page (or any other) has run its script."""
    page.navigate(url)
    ready = "document.readyState === 'complete' && (!document.getElementById('status') || !!window.tarvaneFlips)"
    wait_for(lambda: page.evaluate(f"location.href === {url!r} && {ready}"), 20, 0.1)


def ink_height(path, layout):
    """The drawn height of the digits: the rows of the seconds' plate, away from its rounded corners, that hold
    anything but the plate's colour."""
    image = Image.open(path).convert("RGBA")
    inset = int(0.12 * (layout["right"] - layout["left"]))
    left, top = int(layout["left"]) + inset, int(layout["top"]) + 1
    right, bottom = int(layout["right"]) - inset, int(layout["bottom"]) - 1
    plate = image.getpixel((left, top))
    rows = []
    for y in range(top, bottom):
        for x in range(left, right, 2):
            pixel = image.getpixel((x, y))
            if sum(abs(a - b) for a, b in zip(pixel, plate)) > 160:
                rows.append(y)
                break
    return rows[-1] - rows[0] + 1 if rows else 0


class DelayingProxy:
    """Passes connections on to the program on loopback, each chunk late by delay seconds each way; with
    refuse_screens set, it closes a connection that asks for a WebSocket, as a network that lets only pages
    through."""

    def __init__(self, target_port, delay):
        self.target_port, self.delay, self.refuse_screens = target_port, delay, False
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(16)
        self.listener.settimeout(0.5)
        self.port = self.listener.getsockname()[1]
        self.running = True
        threading.Thread(target=self._accept, daemon=True).start()

    def _accept(self):
        while self.running:
            try:
                client, _ = self.listener.accept()
            except OSError:
                continue
            threading.Thread(target=self._connect, args=(client,), daemon=True).start()

    def _connect(self, client):
        client.settimeout(10)
        try:
            first = client.recv(65536)
        except OSError:
            first = b""
        if not first or (self.refuse_screens and b"upgrade: websocket" in first.lower()):
            client.close()
            return
        upstream = socket.create_connection(("127.0.0.1", self.target_port), timeout=5)
        threading.Timer(self.delay, self._send, args=(upstream, first)).start()
        for a, b in ((client, upstream), (upstream, client)):
            threading.Thread(target=self._pipe, args=(a, b), daemon=True).start()

    def _pipe(self, source, sink):
        source.settimeout(1)
        while self.running:
            try:
                data = source.recv(65536)
            except socket.timeout:
                continue
            except OSError:
                break
            if not data:
                break
            threading.Timer(self.delay, self._send, args=(sink, data)).start()
        threading.Timer(self.delay + 0.05, self._close, args=(sink,)).start()

    @staticmethod
    def _send(sink, data):
        try:
            sink.sendall(data)
        except OSError:
            pass

    @staticmethod
    def _close(sink):
        try:
            sink.shutdown(socket.SHUT_WR)
        except OSError:
            pass

    def close(self):
        self.running = False
        self.listener.close()


FOREIGN_PAGE = """<!DOCTYPE html><html><body><script>
window.result = 'waiting';
const s = new WebSocket('ws://127.0.0.1:PORT/live');
s.onopen = () => { window.result = 'opened'; };
s.onclose = () => { if (window.result === 'waiting') window.result = 'refused'; };
</script></body></html>"""


def serve_foreign_page(port):
    """A page of another site (127.0.0.2 here) that tries to take one of the room's screens."""
    body = FOREIGN_PAGE.replace("PORT", str(port)).encode()

    class Handler(http.server.BaseHTTPRequestHandler):
        timeout = 5  # a connection the browser opened ahead and never used must not hold the server

        def do_GET(self):
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.2", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


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
    page_url = f"http://127.0.0.1:{program.port}/"
    s = compare(page, program, "before liftoff", "T -", RED, GREY)
    check(re.fullmatch(r"Next Go for launch   T - 00:00:05   in 0:00:\d\d", s["milestone"]) is not None,
          f"the next milestone and the time to it: {s['milestone']!r}")
    check(re.fullmatch(r"L - 00:00:\d\d   liftoff May 3, 2001   10:30:00 AM", s["lclock"]) is not None,
          f"the L clock and the projected liftoff: {s['lclock']!r}")
    check(not s["offline"], "the page says it is connected")
    check(s["word"] == "", f"no word while counting: {s['word']!r}")
    check(s["quality"].startswith("Time \u00b1") and not s["uncertain"], f"its time is good: {s['quality']!r}")

    # A key typed while the splash is up only closes the splash, the whole chord of Alt+H included.
    check(wait_for(lambda: not xdo("search", "--onlyvisible", "--name", "^Tarvane$"), 10) is not None,
          "the splash closes by itself")
    started = time.monotonic()
    press(window, "alt+h")
    check(wait_for(lambda: page.evaluate(READ_PAGE)["holding"], 5) is not None, "the hold shows on the page")
    print(f"info: hold seen on the page {1000 * (time.monotonic() - started):.0f} ms after the key", flush=True)
    first = compare(page, program, "holding", "T -", RED, YELLOW)
    check(first["word"] == "HOLD", f"the hold is said in words: {first['word']!r}")
    check(first["lclock"].endswith("(hold length unknown)"),
          f"during an operator's hold the L clock says it cannot know its length: {first['lclock']!r}")
    states = page.evaluate("window.tarvaneStates")
    time.sleep(2)
    second = compare(page, program, "still holding", "T -", RED, YELLOW)
    check(re.fullmatch(r"Launch window 0:00:5\d left", second["warning"]) is not None and second["warningShown"],
          f"the launch window's warning in words: {second['warning']!r}")
    check(second["warningBg"] == AMBER, f"the warning is amber: {second['warningBg']}")
    check(second["countTop"] == s["countTop"], f"the warning leaves the count in place: {s['countTop']} -> "
          f"{second['countTop']}")
    page.screenshot(os.path.join(args.artefacts, "page-hold-warning-1280x720.png"))
    check(page.evaluate("window.tarvaneStates") == states, "the seconds of a hold send the page nothing")
    check(first["count"] == second["count"], "the count stands still during the hold")
    check(first["milestone"] == second["milestone"], f"so does the time to the next milestone: {first['milestone']!r} -> "
          f"{second['milestone']!r}")
    check(first["lclock"] != second["lclock"], f"the L clock runs on: {first['lclock']!r} -> {second['lclock']!r}")
    check(first["target"] != second["target"], f"the target moves on: {first['target']!r} -> {second['target']!r}")
    check(first["window"] != second["window"], f"the launch window runs down: {first['window']!r} -> {second['window']!r}")
    press(window, "alt+r")
    check(wait_for(lambda: not page.evaluate(READ_PAGE)["holding"], 5) is not None, "the resume shows on the page")
    resumed = compare(page, program, "resumed", "T -", RED, GREY)
    check(resumed["word"] == "", f"no word while counting: {resumed['word']!r}")

    check(wait_for(lambda: (program.shown() or "").startswith("T + 000 00 00 02"), 40, 0.2) is not None,
          "the window passes liftoff")
    lifted = compare(page, program, "after liftoff", "T +", GREEN, GREY)
    check(lifted["word"] == "LIFTOFF", f"liftoff is said in words: {lifted['word']!r}")
    page.screenshot(os.path.join(args.artefacts, "page-liftoff-1280x720.png"))

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

    sizes(args, page, "page")
    others(args, page, program, window)

    load(page, page_url)
    page.set_size(1280, 720)
    wait_for(lambda: not page.evaluate(READ_PAGE)["offline"], 10)
    time.sleep(1)
    program.stop()
    check(wait_for(lambda: page.evaluate(READ_PAGE)["offline"], 10) is not None, "a lost connection shows")
    first = page.evaluate(READ_PAGE)
    time.sleep(2.2)
    later = page.evaluate(READ_PAGE)
    ages = [re.fullmatch(r"Not live: last update (\d+) s ago", s["status"]) for s in (first, later)]
    check(all(ages), f"it says how old the count is: {first['status']!r}, {later['status']!r}")
    if all(ages):
        check(int(ages[1].group(1)) > int(ages[0].group(1)), "the age counts on")
    check(first["count"] != later["count"], f"the dimmed count runs on: {first['count']!r} -> {later['count']!r}")
    page.screenshot(os.path.join(args.artefacts, "page-offline-1280x720.png"))


def sizes(args, page, name):
    """At each size: the digits' drawn height on the screenshot, no scroll bars, nothing outside the screen."""
    for width, height, share in SIZES:
        page.set_size(width, height)
        time.sleep(0.8)
        layout = page.evaluate(READ_LAYOUT)
        path = os.path.join(args.artefacts, f"{name}-{width}x{height}.png")
        page.screenshot(path)
        ink = ink_height(path, layout)
        check(ink >= share * height, f"{name} {width}x{height}: digits drawn {ink} px high, "
              f"{100 * ink / height:.1f} % of the height (at least {100 * share:.0f} %)")
        check(not layout["scrolls"], f"{name} {width}x{height}: no scroll bars")
        check(not layout["outside"], f"{name} {width}x{height}: nothing cut off {layout['outside']}")
        check(not layout["daysShown"], f"{name} {width}x{height}: no days group while the days read 000")


def others(args, page, program, window):
    """The page in other places: a live stream, a slow network, no network, a foreign page, a foreign host."""
    port = program.port
    load(page, f"http://127.0.0.1:{port}/?overlay")
    page.transparent_background()
    wait_for(lambda: not page.evaluate(READ_PAGE)["offline"], 10)
    time.sleep(1)
    layout = page.evaluate(READ_LAYOUT)
    check(layout["background"] == "rgba(0, 0, 0, 0)", f"the overlay's background is transparent: {layout['background']}")
    check(page.evaluate("getComputedStyle(document.getElementById('details')).display") == "none",
          "the overlay shows the count alone")
    sizes(args, page, "overlay")

    proxy = DelayingProxy(port, 0.06)
    try:
        load(page, f"http://127.0.0.1:{proxy.port}/")
        page.set_size(1280, 720)
        slow = wait_for(lambda: (lambda s: s if s["uncertain"] else None)(page.evaluate(READ_PAGE)), 20, 0.2)
        check(slow is not None, "a screen behind a slow network flags its time")
        if slow:
            check(slow["uncertaintyMs"] > 50 and "over 50 ms" in slow["quality"],
                  f"and says by how much: {slow['quality']!r}")
        page.screenshot(os.path.join(args.artefacts, "page-slow-network-1280x720.png"))
        # The operator sees that screen marked in the Room Display window.
        press(window, "alt+e")
        time.sleep(0.4)
        xdo("key", "d")
        found = wait_for(lambda: xdo("search", "--onlyvisible", "--name", "^Room Display$"), 10, 0.2)
        if found:
            time.sleep(1.5)
            shoot(args, "room-display-slow-screen.png")
            press(found.split()[0], "alt+c")

        proxy.refuse_screens = True  # the page comes, its WebSocket does not
        load(page, f"http://127.0.0.1:{proxy.port}/")
        time.sleep(3)
        never = page.evaluate(READ_PAGE)
        check(never["connecting"] and never["status"].startswith("Connecting to Tarvane"),
              f"a screen that never got through says it is connecting: {never['status']!r}")
        page.screenshot(os.path.join(args.artefacts, "page-connecting-1280x720.png"))
    finally:
        proxy.close()

    foreign = serve_foreign_page(port)
    try:
        load(page, f"http://127.0.0.2:{foreign.server_address[1]}/")
        result = wait_for(lambda: (lambda r: r if r != "waiting" else None)(page.evaluate("window.result || 'waiting'")),
                          10, 0.2)
        check(result == "refused", f"a foreign page's WebSocket is turned away: {result!r}")
    finally:
        foreign.shutdown()

    rebound = Chromium(os.path.join(args.artefacts, "chromium-rebound.log"),
                       extra_args=["--host-resolver-rules=MAP attacker.test 127.0.0.1"])
    try:
        rebound.navigate(f"http://attacker.test:{port}/state")
        text = wait_for(lambda: rebound.evaluate("document.body ? document.body.innerText : ''"), 10, 0.2)
        check(text is not None and "Not this machine" in text and "target" not in text,
              f"a foreign host name gets nothing of the mission: {text!r}")
    finally:
        rebound.close()


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
    wm = start_openbox()
    port = free_port()
    if args.flips:
        program = Program(args.program, port, args.artefacts)
    else:
        # 30 s before liftoff, holds armed, a launch window of one minute active.
        record = ('"May 3, 2001   10:30:00 AM","May 3, 2001",1,#TRUE#,"0:01:00","00","30","10","00","01","00",'
                  '"PATH","PATH"')
        # A countdown sequence of one callout: the page shows it, and the L clock, through the hold below.
        program = Program(args.program, port, args.artefacts, "2001-05-03 10:29:30", record,
                          "t,kind,length,name\r\nT - 00:00:05,callout,,Go for launch\r\n")
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
