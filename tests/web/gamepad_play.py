#!/usr/bin/env python3
"""Plays the built page in headless Chromium with a scripted standard
gamepad and neither mouse nor keys, checked by the page's frames: A on the
intro starts a game, the stick moves the crosshair (its crossing time is
measured steady and with frames coming late), A and the right trigger each
take one cartridge, X brings back six, A seen by a single look still fires,
Back brushed just before a 1.5 s stall opens the settings and quits
nothing, a pad unplugged mid-press lets go,
and the page's help names the pad. A browser without the Gamepad API plays
as before. Every wait is bounded; the whole run is stopped after DEADLINE_S
seconds.

usage: gamepad_play.py BUILD_DIR RESOURCE_DIR WORK_DIR [--chromium PATH]
"""
import os
import sys
import time

sys.dont_write_bytecode = True  # nothing left behind in the source tree
from cdp import Browser, Page, first_page
from static_server import StaticServer
import bounded_run
import page_view as view

HERE = os.path.dirname(os.path.abspath(__file__))
DEADLINE_S = 60
WINDOW = (800, 600)
# Standard mapping buttons.
A, B, X, RIGHT_TRIGGER, BACK = 0, 1, 2, 7, 8
# A press lasts this many of the game's looks at the pad: well short of
# the seven frames after which a held trigger fires again.
PRESS_LOOKS = 3
# Back brushed this long, just before the page stalls for longer than the
# quit's one-second hold.
BRUSH_MS, STALL_MS = 100, 1500
# The crosshair's row, untouched by the horizontal stick, and its travel.
ROW = 240
TRAVEL = 750
# Time the stick is held fully right from the left edge: short of the edge.
HOLD_MS = 500
CROSSING_MS = (700, 900)
# A browser without the Gamepad API, keeping what the page throws.
NO_GAMEPADS = ("window.__errors = []; addEventListener('error', (e) => __errors.push(String(e.message)));"
               " delete Navigator.prototype.getGamepads;")


class Run(bounded_run.Checks):
    def pad(self, page, call):
        page.evaluate("__kalvenorTestPad." + call)

    def press(self, page, button):
        self.pad(page, "press(%d, %d)" % (button, PRESS_LOOKS))
        time.sleep(0.3)

    def shows(self, page, refs, name, cartridges):
        """The HUD comes to show this many cartridges."""
        return view.look_cartridges(page, self.work, name, refs, cartridges) == cartridges

    def crosshair_x(self, screen, refs, guess, reach):
        """The crosshair's x on ROW within reach of guess, or None."""
        for dx in sorted(range(-reach, reach + 1), key=abs):
            x = guess + dx
            if 0 < x < TRAVEL and view.find_crosshair(screen, refs, x, ROW, 0):
                return x
        return None

    def crossing(self, page, refs, name):
        """Stick fully left to the edge, then fully right for HOLD_MS: the
        time the crosshair's whole travel takes at the speed the frames show."""
        self.pad(page, "stick(-1, 1000)")
        time.sleep(1.1)
        screen = view.screenshot(page, self.work, name + "-left")
        self.require(view.find_crosshair(screen, refs, 0, ROW, 0),
                     "the stick held left takes the crosshair to the edge")
        self.pad(page, "stick(1, %d)" % HOLD_MS)
        time.sleep(HOLD_MS / 1000)
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline and not page.evaluate("__kalvenorTestPad.rested()"):
            time.sleep(0.05)
        screen = view.screenshot(page, self.work, name)
        # Full speed is about a pixel a millisecond; a late timer holds it longer.
        x = self.crosshair_x(screen, refs, HOLD_MS, TRAVEL)
        self.require(x, "the stick held right moves the crosshair along its row")
        # Timers run late on a busy page; what counts is how long the game saw it.
        pushed = page.evaluate("__kalvenorTestPad.pushedMs()")
        print("     %d px in the %.0f ms the game saw the stick pushed" % (x, pushed))
        return TRAVEL * pushed / x

    def brushed_back(self, page, refs):
        """Back brushed just before a stall longer than the quit's hold: timed
        by the pad's own clock it was a brush, so the game plays on and the
        settings open, and B closes them."""
        self.pad(page, "brushBeforeStall(%d, %d, %d)" % (BACK, BRUSH_MS, STALL_MS))
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline and not page.evaluate("__kalvenorTestPad.brushDone()"):
            time.sleep(0.1)
        opened = "document.getElementById('settings').open"
        while time.monotonic() < deadline and not page.evaluate(opened):
            time.sleep(0.1)
        self.expect(page.evaluate(opened), "Back brushed before a %d ms stall opens the settings" % STALL_MS)
        self.expect(page.evaluate("document.body.dataset.state") == "running", "and does not quit the game")
        self.pad(page, "press(%d, %d)" % (B, PRESS_LOOKS))
        while time.monotonic() < deadline and page.evaluate(opened):
            time.sleep(0.1)
        self.expect(not page.evaluate(opened), "B closes them")
        self.expect(self.shows(page, refs, "after-brush", 5), "and the game is as it was")

    def open_page(self, page, script, url):
        for domain in ("Page", "Runtime"):
            page.send(domain + ".enable")
        page.send("Page.addScriptToEvaluateOnNewDocument", {"source": script})
        page.send("Page.navigate", {"url": url})
        deadline = time.monotonic() + 15
        state = "document.body ? document.body.dataset.state : ''"
        while time.monotonic() < deadline and page.evaluate(state) != "running":
            time.sleep(0.1)
        return page.evaluate("document.body.dataset.state") == "running"

    def without_gamepads(self, browser, url):
        target = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        page = Page(browser, target)
        self.require(view.fit_window(browser, page, WINDOW), "the new tab gets %dx%d" % WINDOW)
        self.require(self.open_page(page, NO_GAMEPADS, url), "a browser without the Gamepad API runs the game")
        time.sleep(0.5)
        view.screenshot(page, self.work, "no-gamepads")
        self.expect(view.check_screen_file(self.work, "no-gamepads", "intro"), "and draws its intro")
        errors = page.evaluate("__errors")
        self.expect(not errors, "with nothing thrown (%s)" % errors)

    def play(self):
        refs = view.References(self.args.resource_dir, self.work)
        with open(os.path.join(HERE, "gamepad_pad.js")) as f:
            script = f.read()
        server = StaticServer(self.args.build_dir)
        browser = Browser(self.args.chromium, WINDOW, os.path.join(self.work, "chromium.log"))
        try:
            page = first_page(browser)
            self.require(view.fit_window(browser, page, WINDOW), "the page gets %dx%d" % WINDOW)
            self.require(self.open_page(page, script, server.url), "the page runs the game")
            time.sleep(0.5)
            self.pad(page, "connect()")
            help_text = page.evaluate("(() => { const e = document.getElementById('pad-help');"
                                      " return e && !e.hidden ? e.textContent : null; })()")
            self.expect(bool(help_text) and help_text.startswith("Scripted pad"),
                        "the page's help names the controller (%r)" % (help_text or "")[:60])

            self.press(page, A)
            self.require(self.shows(page, refs, "started", 6), "A on the intro starts a game: six cartridges")
            locked = page.evaluate("!!document.pointerLockElement")
            self.expect(not locked, "without pointer lock")

            steady = self.crossing(page, refs, "steady")
            self.pad(page, "jank(50, 30)")
            late = self.crossing(page, refs, "late")
            self.pad(page, "jank(0, 0)")
            self.figures.append("crossing %.0f ms steady, %.0f ms with frames late" % (steady, late))
            self.expect(CROSSING_MS[0] <= steady <= CROSSING_MS[1],
                        "full deflection crosses the screen in %.0f ms" % steady)
            self.expect(CROSSING_MS[0] <= late <= CROSSING_MS[1],
                        "and in %.0f ms when frames come late" % late)

            self.press(page, A)
            self.expect(self.shows(page, refs, "fired", 5), "A takes one cartridge")
            self.press(page, RIGHT_TRIGGER)
            self.expect(self.shows(page, refs, "triggered", 4), "the right trigger takes one")
            self.press(page, X)
            self.expect(self.shows(page, refs, "reloaded", 6), "X brings back six")
            # Seen by one look of the game's alone: still a shot.
            self.pad(page, "press(%d, 1)" % A)
            self.expect(self.shows(page, refs, "one-look", 5), "A seen by a single look fires")
            self.brushed_back(page, refs)
            # Held, A fires again every seven frames; a pad unplugged while
            # A is held lets go, so the shot it fired stays the only one.
            self.pad(page, "unplugHeld(%d, %d)" % (A, PRESS_LOOKS))
            time.sleep(0.5)
            self.expect(self.shows(page, refs, "unplugged", 4),
                        "a pad unplugged with A held lets go: one shot, no more")
            self.pad(page, "set(%d, 0)" % A)
            self.pad(page, "connect()")
            browser.send("Target.closeTarget", {"targetId": page.target_id})
            self.without_gamepads(browser, server.url)
        finally:
            browser.close()
            server.close()


def main():
    return bounded_run.main(Run, DEADLINE_S, "gamepad test")


if __name__ == "__main__":
    sys.exit(main())
