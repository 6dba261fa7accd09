#!/usr/bin/env python3
"""Plays the built page on an emulated touch-only phone in headless Chromium,
checking the game by its frames, at a person's timings.

usage: touch_play.py BUILD_DIR RESOURCE_DIR WORK_DIR [--chromium PATH]

Held landscape: the help speaks of fingers only; a tap starts a game; ten
taps held 80-150 ms each take a cartridge, shown by the second frame the
page draws after the finger lands (the time from touchstart is printed); a second finger landing 20-300 ms after the first, the first
still down, fires too; a resting finger fires once and blocks no other; a
drag fires only as it lands; a game lasts half a minute, so these play a
second one. The Reload controls, one in each side bar,
reload at a touch, a mouse click and Enter. Held upright, the page asks to
turn the phone and asks for full screen once, a refusal kept after a
reload. A mouse player never sees the controls. Every wait is bounded; the
run stops itself after DEADLINE_S.
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

DEADLINE_S = 150
LANDSCAPE = (844, 390)
PORTRAIT = (390, 844)
HERE = os.path.dirname(os.path.abspath(__file__))
# How long a person's taps are held, in ms.
HOLDS_MS = (80, 100, 120, 150, 90, 110, 130, 140, 85, 145)
# Between taps: time for the last one's frames to be played.
TAP_GAP_S = 0.15
# A second finger lands this long after the first, which is still down.
SECOND_FINGER_MS = (20, 150, 300)
# A shot shows by the second frame drawn after its touchstart: the one whose
# mouse read aims and fires, then the one that draws the shot. (Only a page's
# first touch, or one after the mouse moved, takes a read more, to find the
# crosshair; these are not timed.)
SHOT_FRAMES = 2
# After the last input: time for its frames to reach the screen.
SETTLE_S = 0.4
MOUSE_WORDS = re.compile(r"click|pointer|mouse|escape", re.I)
# A thumb's size, in CSS pixels.
THUMB_PX = 48



class Run(bounded_run.Checks):
    def __init__(self, args):
        super().__init__(args)
        self.shots = 0

    def open_phone(self, browser, url, size):
        target = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        page = Page(browser, target)
        page.send("Page.enable")
        page.send("Emulation.setDeviceMetricsOverride", {"width": size[0], "height": size[1],
                                                         "deviceScaleFactor": 2, "mobile": True})
        page.send("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        with open(os.path.join(HERE, "touch_probe.js")) as f:
            page.send("Page.addScriptToEvaluateOnNewDocument", {"source": f.read()})
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

    def fingers(self, page, kind, points):
        """A touchStart or touchMove names every finger down, by id and point;
        a touchEnd names the fingers it lifts, or none to lift them all."""
        page.send("Input.dispatchTouchEvent", {"type": kind, "touchPoints": [{"x": x, "y": y, "id": i}
                                                                            for i, (x, y) in points.items()]})

    def touch(self, page, point, hold_ms=100):
        """One finger down for hold_ms; the touchstart's time in the page."""
        self.fingers(page, "touchStart", {0: point})
        landed = page.evaluate("__kalvenorTestTouch.lastTouch()")
        time.sleep(hold_ms / 1000)
        self.fingers(page, "touchEnd", {})
        return landed

    def count(self, page, name, want):
        """The cartridges shown: looked at until they are `want`, after a settle
        so that a shot that should not be has had its time."""
        time.sleep(SETTLE_S)
        return view.look_cartridges(page, self.work, name, self.refs, want)

    def shot_frame(self, page, landed, slot):
        """Which frame drawn after the touchstart at `landed` first shows
        cartridge `slot` gone, and when, in ms after it; None if none does."""
        before = page.evaluate("__kalvenorTestTouch.lastBefore(%f)" % landed)
        after = page.evaluate("__kalvenorTestTouch.since(%f)" % landed)
        if not before:
            return None
        lit = before[1][slot]
        for n, (at, slots) in enumerate(after, 1):
            if slots[slot] != lit:
                return n, at - landed
        return None

    def timed_taps(self, page, centre, holds, shown):
        """Taps held as `holds`, from `shown` cartridges: the HUD does not
        show the round in the chamber, so a tap once none is shown is left
        unchecked. Each other's shot frame is checked; their times in ms."""
        times = []
        for hold in holds:
            landed = self.touch(page, centre, hold)
            time.sleep(TAP_GAP_S)
            if shown == 0:
                continue
            shown -= 1
            shot = self.shot_frame(page, landed, shown)
            self.expect(shot is not None and shot[0] <= SHOT_FRAMES,
                        "a tap held %d ms shows its shot in frame %s after it lands" % (hold, shot and shot[0]))
            if shot:
                times.append(shot[1])
        return times

    def reload_with(self, page, how, name):
        """Reloads by `how`: six cartridges come back."""
        how()
        count = self.count(page, name, 6)
        self.expect(count == 6, "%s reloads (%d)" % (name, count))

    def control_touch(self, page, element_id):
        place = self.box(page, element_id)
        self.fingers(page, "touchStart", {0: (place[0] + place[2] / 2, place[1] + place[3] / 2)})
        time.sleep(0.1)
        self.fingers(page, "touchEnd", {})

    def control_click(self, page, element_id):
        place = self.box(page, element_id)
        for kind in ("mousePressed", "mouseReleased"):
            page.send("Input.dispatchMouseEvent", {"type": kind, "x": place[0] + place[2] / 2,
                                                   "y": place[1] + place[3] / 2, "button": "left",
                                                   "clickCount": 1})

    def control_key(self, page, element_id):
        page.evaluate("document.getElementById('%s').focus()" % element_id)
        for kind in ("keyDown", "keyUp"):
            page.send("Input.dispatchKeyEvent", {"type": kind, "code": "Enter", "key": "Enter", "text": "\r",
                                                 "windowsVirtualKeyCode": 13})

    def start_game(self, page, centre):
        count = 0
        for taps in range(1, 4):
            self.touch(page, centre)
            count = self.count(page, "touch-started", 6)
            if count == 6:
                break
        self.require(count == 6, "a tap starts a game (%d tap(s), %d cartridges)" % (taps, count))

    def new_game(self, browser, url, centre):
        page = self.open_phone(browser, url, LANDSCAPE)
        self.start_game(page, centre)
        return page

    def landscape(self, browser, url):
        page = self.open_phone(browser, url, LANDSCAPE)
        help_text = page.evaluate("document.body.innerText")
        self.expect(self.box(page, "touch-help") is not None and not MOUSE_WORDS.search(help_text),
                    "a phone's help speaks of fingers only: %r" % help_text.strip())
        self.expect(self.box(page, "reload") is None, "no reload control before a touch")
        self.expect(self.box(page, "turn") is None, "held landscape, no note to turn the phone")

        centre = (LANDSCAPE[0] // 2, LANDSCAPE[1] // 2)
        self.start_game(page, centre)

        picture = self.box(page, "screen")
        right, left = self.box(page, "reload"), self.box(page, "reload-left")
        self.require(right is not None and left is not None, "a touch brings the reload controls")
        self.expect(min(right[2], right[3], left[2], left[3]) >= THUMB_PX and
                    right[0] >= picture[0] + picture[2] and left[0] + left[2] <= picture[0],
                    "a thumb-sized reload control in each side bar (%s, %s, picture %s)" % (left, right, picture))

        times = self.timed_taps(page, centre, HOLDS_MS[:7], 6)
        count = self.count(page, "touch-fired", 0)
        self.expect(count == 0, "seven taps take seven cartridges (%d left)" % count)
        self.reload_with(page, lambda: self.control_touch(page, "reload"), "a touch on the right control")
        times += self.timed_taps(page, centre, HOLDS_MS[5:], 6)
        times.sort()
        if times:
            median = (times[(len(times) - 1) // 2] + times[len(times) // 2]) / 2
            self.figures.append("touchstart to the frame showing the shot: median %.1f ms of %d taps"
                                " (%.1f-%.1f ms)" % (median, len(times), times[0], times[-1]))

        self.reload_with(page, lambda: self.control_touch(page, "reload-left"), "a touch on the left control")
        shown = 6
        for later_ms in SECOND_FINGER_MS:
            self.fingers(page, "touchStart", {0: (300, 150)})
            time.sleep(later_ms / 1000)
            self.fingers(page, "touchStart", {0: (300, 150), 1: (500, 250)})
            time.sleep(0.08)
            self.fingers(page, "touchEnd", {0: (300, 150)})
            time.sleep(0.05)
            self.fingers(page, "touchEnd", {})
            shown -= 2
            count = self.count(page, "touch-second-%d" % later_ms, shown)
            self.expect(count == shown, "a second finger %d ms after the first fires too (%d)" % (later_ms, count))

        page.send("Target.closeTarget", {"targetId": page.target_id})

        # A game lasts half a minute at the page's pace: the rest plays a new one.
        page = self.new_game(browser, url, centre)
        self.touch(page, centre)
        self.reload_with(page, lambda: self.control_click(page, "reload"), "a mouse click on the control")
        resting = {0: (200, 300)}
        self.fingers(page, "touchStart", resting)
        for x in (350, 450):
            time.sleep(0.3)
            self.fingers(page, "touchStart", {**resting, 1: (x, 200)})
            time.sleep(0.1)
            self.fingers(page, "touchEnd", {1: (x, 200)})
        time.sleep(0.5)
        self.fingers(page, "touchEnd", {})
        count = self.count(page, "touch-resting", 3)
        self.expect(count == 3, "a resting finger fires once and blocks no other tap (%d)" % count)

        self.reload_with(page, lambda: self.control_key(page, "reload"), "Enter on the focused control")
        self.fingers(page, "touchStart", {0: centre})
        for step in range(1, 11):
            time.sleep(0.02)
            self.fingers(page, "touchMove", {0: (centre[0] + 15 * step, centre[1])})
        self.fingers(page, "touchEnd", {})
        count = self.count(page, "touch-drag", 5)
        self.expect(count == 5, "a drag fires only as it lands (%d)" % count)
        page.send("Target.closeTarget", {"targetId": page.target_id})

    def portrait(self, browser, url):
        page = self.open_phone(browser, url, PORTRAIT)
        turn = self.box(page, "turn")
        self.expect(turn is not None, "held upright, the page asks to turn the phone (%r)"
                    % page.evaluate("document.getElementById('turn').textContent"))
        for _ in range(2):
            self.touch(page, (PORTRAIT[0] // 2, PORTRAIT[1] // 2))
            time.sleep(SETTLE_S)
        place, picture = self.box(page, "reload"), self.box(page, "screen")
        self.expect(place is not None and place[1] >= picture[1] + picture[3],
                    "upright, the reload control sits below the picture (%s, picture %s)" % (place, picture))
        asks = page.evaluate("__kalvenorTestTouch.fullScreenAsks()")
        page.send("Page.reload")
        self.wait_running(page)
        self.touch(page, (PORTRAIT[0] // 2, PORTRAIT[1] // 2))
        time.sleep(SETTLE_S)
        again = page.evaluate("__kalvenorTestTouch.fullScreenAsks()")
        self.expect(asks == 1 and again == 0, "full screen is asked for once, and a refusal kept after a"
                    " reload (%d, then %d)" % (asks, again))
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
