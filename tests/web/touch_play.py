#!/usr/bin/env python3
"""Plays the built page on an emulated touch-only phone in headless Chromium,
checking the game by its frames.

usage: touch_play.py BUILD_DIR RESOURCE_DIR WORK_DIR [--chromium PATH]

Held landscape: the help speaks of fingers only; a tap starts a game; seven
taps take seven cartridges; a two-finger tap brings back six, and so does
the reload control, which appears once the page has seen a touch; three
fingers are one reload; a swipe and a cancelled touch fire nothing. Held
upright, the page asks to turn the phone. A mouse player never sees the
control. Every wait is bounded; the run stops itself after DEADLINE_S.
"""
import os
import re
import sys
import time

sys.dont_write_bytecode = True  # nothing left behind in the source tree
from cdp import Browser, CdpError, Page, first_page
from static_server import StaticServer
from bounded_run import Failed
import bounded_run
import page_view as view

DEADLINE_S = 60
LANDSCAPE = (844, 390)
PORTRAIT = (390, 844)
# Between taps: time for a tap's three frames to be played.
TAP_GAP_S = 0.15
# After the last input: time for its frames to reach the screen.
SETTLE_S = 0.4
MOUSE_WORDS = re.compile(r"click|pointer|mouse|escape", re.I)
# A thumb's size, in CSS pixels.
THUMB_PX = 48



class Run(bounded_run.Checks):
    def __init__(self, args):
        self.args = args
        self.work = args.work_dir
        self.failures = []
        self.figures = []
        self.shots = 0

    def open_phone(self, browser, url, size):
        target = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        page = Page(browser, target)
        page.send("Page.enable")
        page.send("Emulation.setDeviceMetricsOverride", {"width": size[0], "height": size[1],
                                                         "deviceScaleFactor": 2, "mobile": True})
        page.send("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        page.send("Page.navigate", {"url": url})
        self.wait_running(page)
        return page

    def wait_running(self, page):
        deadline = time.monotonic() + 15
        state = None
        while time.monotonic() < deadline:
            state = page.evaluate("document.body ? document.body.dataset.state || '' : ''")
            if state == "running":
                return
            time.sleep(0.1)
        raise Failed("the page runs the game (state %r)" % state)

    def box(self, page, element_id):
        """The element's place in CSS pixels when it is shown, else None."""
        return page.evaluate("(() => { const e = document.getElementById('%s');"
                             " if (!e || e.hidden || getComputedStyle(e).display === 'none') return null;"
                             " const r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; })()"
                             % element_id)

    def touch(self, page, points, end_points=None):
        """Fingers down and up in the same instant, or moved to end_points
        on the way."""
        page.send("Input.dispatchTouchEvent", {"type": "touchStart",
                                               "touchPoints": [{"x": x, "y": y, "id": i}
                                                               for i, (x, y) in enumerate(points)]})
        if end_points:
            page.send("Input.dispatchTouchEvent", {"type": "touchMove",
                                                   "touchPoints": [{"x": x, "y": y, "id": i}
                                                                   for i, (x, y) in enumerate(end_points)]})
        page.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def count(self, page, name, want):
        """The cartridges shown: looked at until they are `want`, after a settle
        so that a shot that should not be has had its time."""
        time.sleep(SETTLE_S)
        return view.look_cartridges(page, self.work, name, self.refs, want)

    def landscape(self, browser, url):
        page = self.open_phone(browser, url, LANDSCAPE)
        help_text = page.evaluate("document.body.innerText")
        self.expect(self.box(page, "touch-help") is not None and not MOUSE_WORDS.search(help_text),
                    "a phone's help speaks of fingers only: %r" % help_text.strip())
        self.expect(self.box(page, "reload") is None, "no reload control before a touch")
        self.expect(self.box(page, "turn") is None, "held landscape, no note to turn the phone")

        centre = (LANDSCAPE[0] // 2, LANDSCAPE[1] // 2)
        count = 0
        for taps in range(1, 4):
            self.touch(page, [centre])
            count = self.count(page, "touch-started", 6)
            if count == 6:
                break
        self.require(count == 6, "a tap starts a game (%d tap(s), %d cartridges)" % (taps, count))
        for _ in range(7):
            self.touch(page, [centre])
            time.sleep(TAP_GAP_S)
        count = self.count(page, "touch-fired", 0)
        self.expect(count == 0, "seven taps take seven cartridges (%d left)" % count)
        self.touch(page, [(300, 150), (500, 250)])
        count = self.count(page, "touch-two-fingers", 6)
        self.expect(count == 6, "a two-finger tap brings back six (%d)" % count)

        self.touch(page, [centre])
        time.sleep(TAP_GAP_S)
        self.touch(page, [(300, 150), (400, 200), (500, 250)])
        count = self.count(page, "touch-three-fingers", 6)
        self.expect(count == 6, "three fingers are one reload, not shots (%d)" % count)

        self.touch(page, [centre], [(centre[0] + 150, centre[1])])
        count = self.count(page, "touch-swipe", 6)
        self.expect(count == 6, "a swipe fires nothing (%d)" % count)
        page.send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": centre[0],
                                                                                      "y": centre[1]}]})
        page.send("Input.dispatchTouchEvent", {"type": "touchCancel", "touchPoints": []})
        count = self.count(page, "touch-cancel", 6)
        self.expect(count == 6, "a cancelled touch fires nothing (%d)" % count)
        page.send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": centre[0] + 10,
                                                                                      "y": centre[1]}]})
        page.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
        count = self.count(page, "touch-after-cancel", 5)
        self.expect(count == 5, "after a cancel the next tap fires (%d)" % count)

        place = self.box(page, "reload")
        picture = self.box(page, "screen")
        self.require(place is not None, "a touch brings the reload control")
        self.expect(place[2] >= THUMB_PX and place[3] >= THUMB_PX and place[0] >= picture[0] + picture[2],
                    "the reload control is thumb-sized and beside the picture (%s, picture %s)"
                    % (place, picture))
        self.touch(page, [(place[0] + place[2] / 2, place[1] + place[3] / 2)])
        count = self.count(page, "touch-control", 6)
        self.expect(count == 6, "the reload control reloads (%d)" % count)
        page.send("Target.closeTarget", {"targetId": page.target_id})

    def portrait(self, browser, url):
        page = self.open_phone(browser, url, PORTRAIT)
        turn = self.box(page, "turn")
        self.expect(turn is not None, "held upright, the page asks to turn the phone (%r)"
                    % page.evaluate("document.getElementById('turn').textContent"))
        self.touch(page, [(PORTRAIT[0] // 2, PORTRAIT[1] // 2)])
        time.sleep(SETTLE_S)
        place, picture = self.box(page, "reload"), self.box(page, "screen")
        self.expect(place is not None and place[1] >= picture[1] + picture[3],
                    "upright, the reload control sits below the picture (%s, picture %s)" % (place, picture))
        page.send("Target.closeTarget", {"targetId": page.target_id})

    def mouse(self, browser, url):
        page = first_page(browser)
        page.send("Page.enable")
        page.send("Page.navigate", {"url": url})
        self.wait_running(page)
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            page.send("Input.dispatchMouseEvent", {"type": kind, "x": 400, "y": 300, "button": "left",
                                                   "clickCount": 1})
        time.sleep(SETTLE_S)
        self.expect(self.box(page, "reload") is None and self.box(page, "touch-help") is None,
                    "a mouse player never sees the reload control or the touch help")

    def play(self):
        self.refs = view.References(self.args.resource_dir, self.work)
        server = StaticServer(self.args.build_dir)
        browser = Browser(self.args.chromium, (800, 600), os.path.join(self.work, "chromium.log"))
        try:
            self.mouse(browser, server.url)
            self.landscape(browser, server.url)
            self.portrait(browser, server.url)
        finally:
            browser.close()
            server.close()


def main():
    return bounded_run.main(Run, DEADLINE_S, "touch test")


if __name__ == "__main__":
    sys.exit(main())
