#!/usr/bin/env python3
"""Plays the page as a site for browser games shows it: copied into a
folder of one server and embedded, in an iframe of another site, by a page
of a second server, in headless Chromium.

usage: frame_play.py BUNDLE_DIR RESOURCE_DIR WORK_DIR [--chromium PATH]
  BUNDLE_DIR  the page as the release's web zip holds it, unzipped

In a frame that allows full screen, pointer lock, gamepads and autoplay:
the help for the mouse with its full-screen button, which takes the whole
screen; a click takes the pointer; a key starts a game; a click fires and is
heard; a touch fires; no service worker is kept for the frame. In a frame
that allows nothing: no full-screen button, and a first click on the picture
takes the pointer and brings the keys into the frame. No console error.
"""
import os
import shutil
import sys
import time

sys.dont_write_bytecode = True  # nothing left behind in the source tree
from cdp import Browser, Page, first_page
from static_server import StaticServer
import bounded_run
from bounded_run import Failed
import page_view as view

HERE = os.path.dirname(os.path.abspath(__file__))
DEADLINE_S = 90
WINDOW = (800, 600)
ALLOW = "fullscreen; pointer-lock; gamepad; autoplay"
# Where a site keeps the game, below its own pages.
FOLDER = "games/kalvenor/"
# An analyser level (RMS of samples in -1..1) that is clearly sound.
HEARD = 0.02
# After an input: time for its frames to reach the screen and its sound the
# speakers.
SETTLE_S = 0.4
# A click is heard within this long on any machine.
HEARD_WITHIN_S = 3
KEY_HOLD_S = 0.1
PARENT = """<!DOCTYPE html>
<html lang="en">
<head><meta charset="utf-8"><title>Games</title>
<style>html, body { margin: 0; background: #246; } iframe { display: block; border: 0; }</style></head>
<body><iframe src="%s" width="800" height="600" allow="%s"></iframe></body>
</html>
"""


class Run(bounded_run.Checks):
    def __init__(self, args):
        super().__init__(args)
        self.frames = []
        self.errors = []

    def on_event(self, msg):
        method, params = msg.get("method"), msg.get("params", {})
        if method == "Target.attachedToTarget" and params["targetInfo"]["type"] == "iframe":
            self.frames.append(Page(self.browser, params["targetInfo"]["targetId"], params["sessionId"]))
        elif method == "Runtime.exceptionThrown":
            self.errors.append(params["exceptionDetails"].get("text"))
        elif method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "assert"):
            self.errors.append(" ".join(str(a.get("value", a.get("description"))) for a in params["args"]))

    def open_frame(self, page, url):
        """The top page navigated to url; its frame of the other site, held
        before its first script until the probe is in."""
        known = len(self.frames)
        page.send("Page.navigate", {"url": url})
        deadline = time.monotonic() + 15
        while len(self.frames) == known:
            if time.monotonic() > deadline:
                raise Failed("the game's frame runs apart from the page, as another site's does")
            time.sleep(0.05)
        frame = self.frames[-1]
        for domain in ("Page", "Runtime"):
            frame.send(domain + ".enable")
        frame.send("Page.addScriptToEvaluateOnNewDocument", {"source": self.probe})
        frame.send("Runtime.runIfWaitingForDebugger")
        deadline = time.monotonic() + 20
        state = None
        while time.monotonic() < deadline and state != "running":
            time.sleep(0.1)
            state = frame.evaluate("document.body ? document.body.dataset.state || '' : ''")
        self.require(state == "running", "the frame runs the game (state %r)" % state)
        return frame

    def box(self, frame, element_id):
        return frame.evaluate("(() => { const e = document.getElementById('%s');"
                              " if (!e || e.hidden || getComputedStyle(e).display === 'none') return null;"
                              " const r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; })()"
                              % element_id)

    def click(self, page, x, y):
        page.send("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y, "button": "none", "buttons": 0})
        page.click(x, y)

    def heard_since(self, frame, since):
        """The loudest level since then, looked at until it is heard."""
        deadline = time.monotonic() + HEARD_WITHIN_S
        while True:
            time.sleep(SETTLE_S)
            level = max([level for _, level in frame.evaluate("__kalvenorTestTap.since(%f)" % since) or []] or [0.0])
            if level >= HEARD or time.monotonic() > deadline:
                return level

    def cartridges(self, page, name, want):
        time.sleep(SETTLE_S)
        return view.look_cartridges(page, self.work, name, self.refs, want)

    def open_frame_plays(self, page, frame):
        bar = frame.evaluate("document.getElementById('bar').innerText")
        button = self.box(frame, "fullscreen")
        self.expect(button is not None and "Click the picture" in bar,
                    "the frame offers the mouse help and a full-screen button (%r)" % bar)
        self.require(button is not None, "a full-screen button to press")
        frame.evaluate("window.__refused = false;"
                       " document.addEventListener('fullscreenerror', () => { window.__refused = true; })")
        self.click(page, button[0] + button[2] / 2, button[1] + button[3] / 2)
        time.sleep(SETTLE_S)
        refused, whole = frame.evaluate("[__refused, !!document.fullscreenElement]")
        self.expect(whole and not refused, "the button takes the whole screen")
        # Back in the frame's 800 x 600, where the picture lies 1:1.
        frame.evaluate("document.fullscreenElement && document.exitFullscreen().catch(() => {})")
        deadline = time.monotonic() + 5
        while frame.evaluate("[innerWidth, innerHeight]") != list(WINDOW) and time.monotonic() < deadline:
            time.sleep(0.1)
        self.click(page, WINDOW[0] // 2, WINDOW[1] // 2)
        time.sleep(SETTLE_S)
        self.require(frame.evaluate("document.pointerLockElement && document.pointerLockElement.id") == "screen",
                     "a click on the picture holds the pointer")
        self.expect(view.look(page, self.work, "frame-intro",
                              lambda _: view.check_screen_file(self.work, "frame-intro", "intro"))[0],
                    "the intro shows in the frame")

        page.send("Input.dispatchKeyEvent", {"type": "rawKeyDown", "code": "Space", "key": " ",
                                             "windowsVirtualKeyCode": 32})
        # Held over a frame or two, as a finger holds it.
        time.sleep(KEY_HOLD_S)
        page.send("Input.dispatchKeyEvent", {"type": "keyUp", "code": "Space", "key": " ",
                                             "windowsVirtualKeyCode": 32})
        count = self.cartridges(page, "frame-started", 6)
        self.require(count == 6, "a key starts a game (%d cartridges)" % count)
        since = frame.evaluate("performance.now()")
        self.click(page, WINDOW[0] // 2, WINDOW[1] // 2)
        level = self.heard_since(frame, since)
        count = self.cartridges(page, "frame-fired", 5)
        self.expect(count == 5 and level >= HEARD, "a click fires (%d cartridges) and is heard (level %.3f)"
                    % (count, level))
        page.send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": 400, "y": 300}]})
        page.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
        count = self.cartridges(page, "frame-tapped", 4)
        self.expect(count == 4, "a touch fires (%d cartridges)" % count)
        kept = frame.evaluate("navigator.serviceWorker.getRegistrations().then((r) => r.length)",
                              await_promise=True)
        self.expect(kept == 0 and frame.evaluate("navigator.serviceWorker.controller === null"),
                    "no service worker is kept for the frame (%s registered)" % kept)

    def closed_frame_runs(self, page, url):
        frame = self.open_frame(page, url)
        self.expect(self.box(frame, "bar") is not None and self.box(frame, "fullscreen") is None,
                    "a frame that does not allow full screen shows the help without the button")
        self.click(page, WINDOW[0] // 2, WINDOW[1] // 2)
        time.sleep(SETTLE_S)
        self.expect(frame.evaluate("document.hasFocus() && !!document.pointerLockElement"),
                    "a click on its picture takes the pointer and brings the keys into the frame")

    def play(self):
        self.refs = view.References(self.args.resource_dir, self.work)
        with open(os.path.join(HERE, "page_probe.js")) as f:
            self.probe = f.read()
        site = os.path.join(self.work, "site")
        shutil.rmtree(site, ignore_errors=True)
        shutil.copytree(self.args.build_dir, os.path.join(site, FOLDER))
        games = StaticServer(site)
        parents = os.path.join(self.work, "parents")
        os.makedirs(parents, exist_ok=True)
        for name, allow in (("open.html", ALLOW), ("closed.html", "")):
            with open(os.path.join(parents, name), "w") as f:
                f.write(PARENT % (games.url + FOLDER, allow))
        portal = StaticServer(parents)
        # Another site: a host name of its own, not only another port.
        portal_url = portal.url.replace("127.0.0.1", "localhost")
        self.browser = Browser(self.args.chromium, WINDOW, os.path.join(self.work, "chromium.log"))
        try:
            self.browser.on_event(self.on_event)
            page = first_page(self.browser)
            if not view.fit_window(self.browser, page, WINDOW):
                raise Failed("cannot give the page %dx%d" % WINDOW)
            page.send("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 1})
            page.send("Target.setAutoAttach", {"autoAttach": True, "waitForDebuggerOnStart": True,
                                               "flatten": True})
            self.open_frame_plays(page, self.open_frame(page, portal_url + "open.html"))
            self.closed_frame_runs(page, portal_url + "closed.html")
        finally:
            self.browser.close()
            games.close()
            portal.close()
        self.expect(not self.errors, "no console error in the frame%s" % "".join("\n       " + e
                                                                                  for e in self.errors))


def main():
    return bounded_run.main(Run, DEADLINE_S, "frame test")


if __name__ == "__main__":
    sys.exit(main())
