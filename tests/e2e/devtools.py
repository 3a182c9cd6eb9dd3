"""A small client of the DevTools protocol: headless Chromium with a throw-away profile, one page, commands."""

import base64
import json
import os
import shutil
import signal
import subprocess
import tempfile
import time
import urllib.request

import websocket


def end_process_group(process):
    """Ends a process started in a group of its own, and all it started: politely, then for sure."""
    try:
        os.killpg(process.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()


class Chromium:
    """Debian's Chromium, headless, with a new empty profile that is removed again on close()."""

    def __init__(self, log_path, binary="chromium", width=1280, height=720, extra_args=()):
        self.profile = tempfile.mkdtemp(prefix="tarvane-chromium-")
        args = [
            shutil.which(binary) or binary,
            "--headless",
            "--no-sandbox",  # tests run as root, where the sandbox cannot start
            "--disable-gpu",
            "--no-first-run",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--disable-default-apps",
            "--disable-extensions",
            f"--user-data-dir={self.profile}",
            "--remote-debugging-address=127.0.0.1",
            "--remote-debugging-port=0",
            f"--window-size={width},{height}",
            *extra_args,
            "about:blank",
        ]
        self.log = open(log_path, "w")
        self.process = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log,
                                        start_new_session=True)
        self.port = self._wait_for_port()
        self.socket = None
        self.next_id = 0
        self.events = []
        self._attach()

    def _wait_for_port(self):
        active = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("chromium ended at start-up; see its log")
            try:
                with open(active) as f:
                    port = f.readline().strip()
                if port:
                    return int(port)
            except (OSError, ValueError):
                pass
            time.sleep(0.1)
        raise RuntimeError("chromium opened no debugging port")

    def _attach(self):
        with urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json/list", timeout=10) as reply:
            targets = json.load(reply)
        page = next(t for t in targets if t.get("type") == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=30, suppress_origin=True)

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message.get("result", {})
            self.events.append(message)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"page error: {result['exceptionDetails']}")
        return result["result"].get("value")

    def navigate(self, url):
        self.call("Page.enable")
        self.call("Page.navigate", url=url)

    def set_size(self, width, height):
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=1, mobile=False)

    def transparent_background(self):
        """Screenshots keep the page's transparency instead of painting it on white."""
        self.call("Emulation.setDefaultBackgroundColorOverride", color={"r": 0, "g": 0, "b": 0, "a": 0})

    def screenshot(self, path):
        data = self.call("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def close(self):
        try:
            if self.socket:
                self.socket.close()
        finally:
            end_process_group(self.process)
            self.log.close()
            shutil.rmtree(self.profile, ignore_errors=True)
