"""A small DevTools-protocol client: starts headless Chromium with a fresh
profile and talks to it over --remote-debugging-pipe (fd 3 in, fd 4 out,
one JSON message per NUL-terminated record)."""
import base64
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time


class CdpError(Exception):
    pass


# What a root user in a container needs, and nothing that changes how a page
# runs: no autoplay or timer-throttling switches.
FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--remote-debugging-pipe",
]


def end_process_group(proc):
    """A browser that did not close when asked is killed with all it started."""
    if proc.poll() is None:
        try:
            os.killpg(proc.pid, 9)
        except OSError:
            pass
        proc.wait(5)


class Browser:
    def __init__(self, binary, window=(800, 600), log_path=None):
        self.profile = tempfile.mkdtemp(prefix="kalvenor-chromium-")
        to_chrome_r, self._out = os.pipe()
        self._in, from_chrome_w = os.pipe()
        log = open(log_path or os.devnull, "wb")

        # Runs in the child before the fds outside pass_fds are closed; copies
        # first, as either end may already sit on 3 or 4.
        def wire_pipe():
            read_end, write_end = os.dup(to_chrome_r), os.dup(from_chrome_w)
            os.dup2(read_end, 3)
            os.dup2(write_end, 4)

        args = [binary] + FLAGS + ["--user-data-dir=" + self.profile,
                                   "--window-size=%d,%d" % window, "about:blank"]
        self.proc = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                     preexec_fn=wire_pipe, pass_fds=(3, 4),
                                     start_new_session=True)
        log.close()
        os.close(to_chrome_r)
        os.close(from_chrome_w)
        self._lock = threading.Lock()
        self._next_id = 0
        self._waiting = {}
        self._listeners = []
        self.closed = False
        self._reader = threading.Thread(target=self._read_loop, daemon=True)
        self._reader.start()

    def _read_loop(self):
        buf = b""
        while True:
            try:
                chunk = os.read(self._in, 1 << 16)
            except OSError:
                chunk = b""
            if not chunk:
                break
            buf += chunk
            while b"\0" in buf:
                record, buf = buf.split(b"\0", 1)
                self._dispatch(json.loads(record))
        self.closed = True
        with self._lock:
            waiting, self._waiting = self._waiting, {}
        for slot in waiting.values():
            slot["event"].set()

    def _dispatch(self, msg):
        if "id" in msg:
            with self._lock:
                slot = self._waiting.pop(msg["id"], None)
            if slot:
                slot["reply"] = msg
                slot["event"].set()
            return
        for listener in list(self._listeners):
            listener(msg)

    def on_event(self, listener):
        """Calls listener(message) for every event, on the reader thread."""
        self._listeners.append(listener)

    def send(self, method, params=None, session=None, timeout=10.0):
        return self.send_together([(method, params)], session, timeout)[0]

    def send_together(self, calls, session=None, timeout=10.0):
        """Writes every (method, params) before waiting for any answer, so
        the browser is given them at once: a click's press and release
        together, however busy the machine. Their results, in order."""
        slots = [self._post(method, params, session) for method, params in calls]
        return [self._answer(method, slot, timeout) for (method, _), slot in zip(calls, slots)]

    def _post(self, method, params, session):
        if self.closed:
            raise CdpError("browser is gone (while sending %s)" % method)
        with self._lock:
            self._next_id += 1
            msg_id = self._next_id
            slot = {"event": threading.Event()}
            self._waiting[msg_id] = slot
        msg = {"id": msg_id, "method": method, "params": params or {}}
        if session:
            msg["sessionId"] = session
        data = json.dumps(msg).encode() + b"\0"
        try:
            while data:
                data = data[os.write(self._out, data):]
        except OSError as e:
            raise CdpError("cannot write to the browser: %s" % e)
        slot["id"] = msg_id
        return slot

    def _answer(self, method, slot, timeout):
        msg_id = slot["id"]
        if not slot["event"].wait(timeout):
            with self._lock:
                self._waiting.pop(msg_id, None)
            raise CdpError("%s: no answer within %.0f s" % (method, timeout))
        reply = slot.get("reply")
        if reply is None:
            raise CdpError("browser is gone (waiting for %s)" % method)
        if "error" in reply:
            raise CdpError("%s: %s" % (method, reply["error"].get("message")))
        return reply.get("result", {})

    def pids(self):
        """Chromium's own process and all its descendants."""
        children = {}
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open("/proc/%s/stat" % entry) as f:
                    fields = f.read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            children.setdefault(int(fields[1]), []).append(int(entry))
        found, todo = [], [self.proc.pid]
        while todo:
            pid = todo.pop()
            found.append(pid)
            todo.extend(children.get(pid, []))
        return found

    def close(self):
        try:
            if not self.closed:
                self.send("Browser.close", timeout=3)
            self.proc.wait(5)
        except (CdpError, subprocess.TimeoutExpired):
            pass
        end_process_group(self.proc)
        for fd in (self._out, self._in):
            try:
                os.close(fd)
            except OSError:
                pass
        shutil.rmtree(self.profile, ignore_errors=True)


class Page:
    """One tab, or a frame of another site in it, attached with a flat
    session (or with the one given, attached already)."""

    def __init__(self, browser, target_id, session=None):
        self.browser = browser
        self.target_id = target_id
        self.session = session or browser.send("Target.attachToTarget",
                                               {"targetId": target_id, "flatten": True})["sessionId"]

    def send(self, method, params=None, timeout=10.0):
        return self.browser.send(method, params, session=self.session, timeout=timeout)

    def send_together(self, calls, timeout=10.0):
        return self.browser.send_together(calls, session=self.session, timeout=timeout)

    def click(self, x, y, button="left"):
        """A press and its release given at once, as a touchpad tap gives."""
        mask = {"left": 1, "right": 2}[button]
        self.send_together([("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": button,
                                                          "buttons": buttons, "clickCount": 1})
                            for kind, buttons in (("mousePressed", mask), ("mouseReleased", 0))])

    def evaluate(self, expression, timeout=10.0, await_promise=False):
        reply = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                               "awaitPromise": await_promise}, timeout)
        if "exceptionDetails" in reply:
            raise CdpError("evaluating %r: %s" % (expression[:60], reply["exceptionDetails"].get("text")))
        return reply["result"].get("value")

    def screenshot_png(self, clip=None):
        """The tab as the player sees it, or the clip {x, y, width, height}
        of it, as PNG bytes."""
        params = {"format": "png"}
        if clip:
            params["clip"] = dict(clip, scale=1)
        return base64.b64decode(self.send("Page.captureScreenshot", params, timeout=15)["data"])


def first_page(browser):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        pages = [t for t in browser.send("Target.getTargets")["targetInfos"] if t["type"] == "page"]
        if pages:
            return Page(browser, pages[0]["targetId"])
        time.sleep(0.1)
    raise CdpError("Chromium opened no page")
