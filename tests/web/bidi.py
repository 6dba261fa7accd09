"""A small WebDriver BiDi client: starts headless Firefox with a fresh
profile and talks to it over the WebSocket it opens on 127.0.0.1 (one JSON
message per text frame)."""
import base64
import hashlib
import json
import os
import re
import shutil
import socket
import struct
import subprocess
import tempfile
import threading
import time

from cdp import end_process_group


class BidiError(Exception):
    pass


# What a test machine with a closed network needs, and nothing that changes
# what a page may do: no start-up pages or first-run tours, no updates,
# telemetry, studies or other background fetches that can only fail here;
# and a stand-in sound output, as a test machine has no sound device or
# server: without one a page's AudioContext never leaves "suspended", with
# it the page's sound runs as on a player's machine.
USER_JS = """\
user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("browser.startup.page", 0);
user_pref("app.update.enabled", false);
user_pref("app.normandy.enabled", false);
user_pref("app.shield.optoutstudies.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("datareporting.healthreport.uploadEnabled", false);
user_pref("toolkit.telemetry.enabled", false);
user_pref("messaging-system.rsexperimentloader.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("browser.safebrowsing.update.enabled", false);
user_pref("services.settings.server", "http://127.0.0.1:9/");
user_pref("extensions.update.enabled", false);
user_pref("extensions.getAddons.cache.enabled", false);
user_pref("media.cubeb.force_mock_context", true);
"""

LISTENING = re.compile(r"WebDriver BiDi listening on ws://127\.0\.0\.1:(\d+)")
START_S = 30
WS_GUID = b"258EAFA5-E914-47DA-95CA-C5AB0DC85B11"
TEXT, CLOSE, PING, PONG = 1, 8, 9, 10


def _read_exact(sock, n):
    data = b""
    while len(data) < n:
        chunk = sock.recv(n - len(data))
        if not chunk:
            raise OSError("connection closed")
        data += chunk
    return data


class Browser:
    def __init__(self, binary, log_path=None):
        self.profile = tempfile.mkdtemp(prefix="kalvenor-firefox-")
        with open(os.path.join(self.profile, "user.js"), "w") as f:
            f.write(USER_JS)
        self._log = open(log_path or os.devnull, "w")
        args = [binary, "--headless", "--no-remote", "--remote-debugging-port=0",
                "--profile", self.profile, "about:blank"]
        env = dict(os.environ, MOZ_CRASHREPORTER_DISABLE="1")
        self.proc = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=self._log, stderr=subprocess.PIPE,
                                     env=env, start_new_session=True, text=True)
        self._lock = threading.Lock()
        self._next_id = 0
        self._waiting = {}
        self._listeners = []
        self.closed = False
        self.sock = None
        found = threading.Event()
        address = []

        # Firefox says on stderr which port it took; the rest is kept as its log.
        def drain():
            for line in self.proc.stderr:
                self._log.write(line)
                match = LISTENING.search(line) if not address else None
                if match:
                    address.append(int(match.group(1)))
                    found.set()
            found.set()
        self._drain = threading.Thread(target=drain, daemon=True)
        self._drain.start()
        try:
            if not found.wait(START_S) or not address:
                raise BidiError("Firefox opened no WebDriver BiDi port within %d s" % START_S)
            self._connect(address[0])
            threading.Thread(target=self._read_loop, daemon=True).start()
            session = self.send("session.new", {"capabilities": {}})
        except (BidiError, OSError):
            self.close()
            raise
        self.version = session.get("capabilities", {}).get("browserVersion", "?")

    def _connect(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=10)
        key = base64.b64encode(os.urandom(16))
        self.sock.sendall(b"GET /session HTTP/1.1\r\nHost: 127.0.0.1:%d\r\nUpgrade: websocket\r\n"
                          b"Connection: Upgrade\r\nSec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n\r\n"
                          % (port, key))
        head = b""
        while b"\r\n\r\n" not in head:
            head += _read_exact(self.sock, 1)
        accept = base64.b64encode(hashlib.sha1(key + WS_GUID).digest())
        if not head.startswith(b"HTTP/1.1 101") or accept not in head:
            raise BidiError("no WebSocket from Firefox: %r" % head[:200])
        self.sock.settimeout(None)

    def _frame(self, opcode, payload):
        head = bytes([0x80 | opcode])
        n = len(payload)
        if n < 126:
            head += bytes([0x80 | n])
        elif n < 1 << 16:
            head += bytes([0x80 | 126]) + struct.pack(">H", n)
        else:
            head += bytes([0x80 | 127]) + struct.pack(">Q", n)
        mask = os.urandom(4)
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
        with self._lock:
            self.sock.sendall(head + mask + masked)

    def _read_loop(self):
        message, kind = b"", None
        try:
            while True:
                first, second = _read_exact(self.sock, 2)
                n = second & 0x7F
                if n == 126:
                    n = struct.unpack(">H", _read_exact(self.sock, 2))[0]
                elif n == 127:
                    n = struct.unpack(">Q", _read_exact(self.sock, 8))[0]
                payload = _read_exact(self.sock, n)
                opcode = first & 0x0F
                if opcode == PING:
                    self._frame(PONG, payload)
                    continue
                if opcode == CLOSE:
                    break
                if opcode != 0:
                    kind, message = opcode, b""
                message += payload
                if first & 0x80 and kind == TEXT:
                    self._dispatch(json.loads(message))
        except (OSError, ValueError):
            pass
        self.closed = True
        with self._lock:
            waiting, self._waiting = self._waiting, {}
        for slot in waiting.values():
            slot["event"].set()

    def _dispatch(self, msg):
        if msg.get("type") == "event":
            for listener in list(self._listeners):
                listener(msg)
            return
        with self._lock:
            slot = self._waiting.pop(msg.get("id"), None)
        if slot:
            slot["reply"] = msg
            slot["event"].set()

    def on_event(self, listener):
        """Calls listener(message) for every event, on the reader thread."""
        self._listeners.append(listener)

    def send(self, method, params=None, timeout=10.0):
        if self.closed:
            raise BidiError("browser is gone (while sending %s)" % method)
        with self._lock:
            self._next_id += 1
            msg_id = self._next_id
            slot = {"event": threading.Event()}
            self._waiting[msg_id] = slot
        try:
            self._frame(TEXT, json.dumps({"id": msg_id, "method": method, "params": params or {}}).encode())
        except OSError as e:
            raise BidiError("cannot write to the browser: %s" % e)
        if not slot["event"].wait(timeout):
            with self._lock:
                self._waiting.pop(msg_id, None)
            raise BidiError("%s: no answer within %.0f s" % (method, timeout))
        reply = slot.get("reply")
        if reply is None:
            raise BidiError("browser is gone (waiting for %s)" % method)
        if reply.get("type") == "error":
            raise BidiError("%s: %s: %s" % (method, reply.get("error"), reply.get("message")))
        return reply.get("result", {})

    def close(self):
        try:
            if self.sock and not self.closed:
                self.send("browser.close", timeout=5)
            self.proc.wait(10)
        except (BidiError, subprocess.TimeoutExpired):
            pass
        end_process_group(self.proc)
        if self.sock:
            self.sock.close()
        self._drain.join(5)
        self._log.close()
        shutil.rmtree(self.profile, ignore_errors=True)


class Page:
    """One top-level browsing context."""

    def __init__(self, browser, context):
        self.browser = browser
        self.context = context

    def send(self, method, params=None, timeout=10.0):
        return self.browser.send(method, dict(params or {}, context=self.context), timeout)

    def evaluate(self, expression, timeout=10.0):
        """The expression's value (awaited if a promise), passed as JSON."""
        source = "(async () => JSON.stringify(await (%s)))()" % expression
        reply = self.browser.send("script.evaluate", {"expression": source, "awaitPromise": True,
                                                      "target": {"context": self.context}}, timeout)
        if reply.get("type") == "exception":
            raise BidiError("evaluating %r: %s" % (expression[:60], reply["exceptionDetails"].get("text")))
        value = reply["result"]
        return json.loads(value["value"]) if value.get("type") == "string" else None

    def actions(self, *sources, timeout=10.0):
        """Performs input action sources (keys, a pointer) tick by tick."""
        self.send("input.performActions", {"actions": list(sources)}, timeout)

    def screenshot_png(self, clip=None):
        """The tab as the player sees it, or the clip {x, y, width, height}
        of it, as PNG bytes."""
        params = {"origin": "viewport", "format": {"type": "image/png"}}
        if clip:
            params["clip"] = dict(clip, type="box")
        return base64.b64decode(self.send("browsingContext.captureScreenshot", params, 15)["data"])


def first_page(browser):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        contexts = browser.send("browsingContext.getTree", {"maxDepth": 0})["contexts"]
        if contexts:
            return Page(browser, contexts[0]["context"])
        time.sleep(0.1)
    raise BidiError("Firefox opened no page")
