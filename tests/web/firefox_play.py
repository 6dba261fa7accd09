#!/usr/bin/env python3
"""Plays the built page in headless Firefox ESR as a player would, so that
what runs in Chromium is seen running in the other engine too.

usage: firefox_play.py BUILD_DIR RESOURCE_DIR WORK_DIR [--firefox PATH]
  BUILD_DIR     the built page (index.html and the files it loads)
  RESOURCE_DIR  the game's bitmaps (resources/)
  WORK_DIR      screenshots, Firefox's log and the page's console go here

The intro; a click takes pointer lock; a key starts a game; zero-length
clicks fire one round each; the game ends after its 3000 frames, no sooner
than 28.5 s (how much later is printed). No console error and no Content-Security-Policy violation is
allowed on the way. Firefox is driven over WebDriver BiDi (bidi.py). Every
wait is bounded; the whole run is stopped after DEADLINE_S seconds.
"""
import os
import sys
import time

sys.dont_write_bytecode = True  # nothing left behind in the source tree
from bidi import BidiError, Browser, Page, first_page
from static_server import StaticServer
from bounded_run import Failed
import bounded_run
import page_view as view

HERE = os.path.dirname(os.path.abspath(__file__))
DEADLINE_S = 120
WINDOW = (800, 600)
# 3000 frames of 10 ms, less what the looks at its ends may be off by; a
# busy machine only makes it longer, for as long as the game-over wait.
GAME_S = 30.0
GAME_SLACK_S = 1.5
GAME_OVER_WAIT_S = 2 * GAME_S
GAME_OVER_DARKENING = 0.75
FIRST_LOOK_EARLY_S = 0.2
SHOTS = 3
# Between a shot and the look at the cartridges: a few frames.
SHOT_GAP_S = 0.3
START_KEY_HOLD_S = 0.1
# Every mouse button press and release the page is given, with its time:
# shows how far apart a click's two halves arrived.
PRESSES = """
(() => {
  const presses = [];
  for (const kind of ['mousedown', 'mouseup']) {
    document.addEventListener(kind, (e) => presses.push([kind, e.button, e.timeStamp]), true);
  }
  Object.defineProperty(window, '__kalvenorTestPresses', {value: () => presses});
})();
"""


# An analyser level (RMS of samples in -1..1) that is clearly sound.
HEARD = 0.02



class Snapshot:
    """A screenshot kept to be read later, handed to page_view as a page."""

    def __init__(self, png):
        self.png = png

    def screenshot_png(self):
        return self.png


class Run(bounded_run.Checks):
    def __init__(self, args):
        super().__init__(args)
        self.console = []
        self.errors = []
        self.context = None

    def on_event(self, msg):
        if msg.get("method") != "log.entryAdded":
            return
        entry = msg.get("params", {})
        context = entry.get("source", {}).get("context")
        line = (entry.get("level"), "%s: %s" % (entry.get("type"), entry.get("text")))
        self.console.append((context, line))
        if context == self.context and line[0] == "error":
            self.errors.append(line[1])

    # -- a player's hands ------------------------------------------------------

    def click(self, page, x, y):
        """Press and release in the same instant, as a touchpad tap gives."""
        page.actions({"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                      "actions": [{"type": "pointerMove", "x": x, "y": y},
                                  {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]})

    def key(self, page, kind, value):
        page.actions({"type": "key", "id": "keyboard", "actions": [{"type": kind, "value": value}]})

    # -- the page --------------------------------------------------------------

    def open_page(self, browser, url):
        """The page in a tab of its own: the window Firefox opens at start-up
        is never made the active one in headless mode, and a page in a
        window that is not active is refused pointer lock; a tab opened in
        front is active."""
        blank = first_page(browser)
        self.context = browser.send("browsingContext.create", {"type": "tab", "background": False})["context"]
        page = Page(browser, self.context)
        browser.send("browsingContext.close", {"context": blank.context})
        page.send("browsingContext.setViewport", {"viewport": {"width": WINDOW[0], "height": WINDOW[1]}})
        page.send("browsingContext.navigate", {"url": url, "wait": "complete"}, timeout=30)
        return page

    def wait_state(self, page, states, timeout):
        deadline = time.monotonic() + timeout
        state = None
        while time.monotonic() < deadline:
            state = page.evaluate("document.body ? document.body.dataset.state || '' : ''", timeout=5)
            if state in states:
                return state
            time.sleep(0.1)
        return state

    def wait_game_over(self, page, refs, started):
        """When the game-over screen showed and whether the first look found
        it, or None if it never did. Looks begin just before the shortest
        game allowed, as each costs the game a little."""
        while time.monotonic() < started + GAME_S - GAME_SLACK_S - FIRST_LOOK_EARLY_S:
            time.sleep(0.1)
        first = True
        while time.monotonic() < started + GAME_OVER_WAIT_S:
            # The look shows a frame drawn after it was asked for.
            asked = time.monotonic()
            if view.box_darkening(page, refs) > GAME_OVER_DARKENING:
                return asked, first
            first = False
            time.sleep(0.05)
        return None

    # -- the checks ------------------------------------------------------------

    def intro(self, page):
        self.click(page, WINDOW[0] // 2, WINDOW[1] // 2)
        deadline = time.monotonic() + 2
        locked = None
        while time.monotonic() < deadline and locked is None:
            time.sleep(0.1)
            locked = page.evaluate("document.pointerLockElement ? document.pointerLockElement.id : null")
        self.require(locked == "screen", "a click on the page takes pointer lock (locked: %s)" % locked)
        time.sleep(0.2)
        view.screenshot(page, self.work, "intro")
        self.require(view.check_screen_file(self.work, "intro", "intro"),
                     "the intro is drawn, and the click that took the pointer fired nothing")

    def game(self, page, refs):
        """The looks taken while the clock runs are read after the game:
        reading them would take the CPU from the game on a 2-core machine."""
        self.key(page, "keyDown", " ")
        started = time.monotonic()
        time.sleep(START_KEY_HOLD_S)
        self.key(page, "keyUp", " ")
        time.sleep(0.4)
        looks = [("started", page.screenshot_png(), 6, "a key starts the game: playing screen, six cartridges")]

        states = page.evaluate("__kalvenorTestTap.states()")
        self.expect(states == ["running"], "the page's sound runs after a click and a key (%s)" % states)
        shots_from = page.evaluate("performance.now()")
        before = len(page.evaluate("__kalvenorTestPresses()"))
        for shot in range(1, SHOTS + 1):
            self.click(page, WINDOW[0] // 2, WINDOW[1] // 2)
            time.sleep(SHOT_GAP_S)
            looks.append(("shot%d" % shot, page.screenshot_png(), 6 - shot,
                          "zero-length click %d takes one cartridge (%d left)" % (shot, 6 - shot)))
        presses = page.evaluate("__kalvenorTestPresses()")[before:]
        peak = max([level for _, level in page.evaluate("__kalvenorTestTap.since(%f)" % shots_from)] or [0])
        self.expect(peak > HEARD, "the shots are heard at the page's speakers (level %.3f)" % peak)

        over = self.wait_game_over(page, refs, started)
        for name, png, left, what in looks:
            view.screenshot(Snapshot(png), self.work, name)
            self.expect(view.check_screen_file(self.work, name, "playing", "--cartridges", left), what)
        gaps = [up[2] - down[2] for down, up in zip(presses[::2], presses[1::2])]
        print("     press to release, as the page got them: %s ms" % ", ".join("%.1f" % g for g in gaps))
        self.require(over is not None, "a game-over screen within %.0f s of the game's start" % GAME_OVER_WAIT_S)
        seconds, first_look = over[0] - started, over[1]
        if first_look:
            self.expect(False, "the game lasts at least %.1f s (over at the first look, %.2f s)"
                        % (GAME_S - GAME_SLACK_S, seconds))
        else:
            print("     3000-frame game: %.2f s, %.1f frames a second" % (seconds, 3000 / seconds))
            self.figures.append("3000 frames in %.2f s" % seconds)
            self.expect(seconds >= GAME_S - GAME_SLACK_S, "the frames are paced: the game lasts at least %.1f s"
                        " (%.2f s)" % (GAME_S - GAME_SLACK_S, seconds))
        time.sleep(0.3)
        view.screenshot(page, self.work, "gameover")
        self.expect(view.check_screen_file(self.work, "gameover", "gameover"), "the game-over screen")

    def play(self):
        refs = view.References(self.args.resource_dir, self.work)
        with open(os.path.join(HERE, "page_probe.js")) as f:
            probe = f.read()
        server = StaticServer(self.args.build_dir)
        browser = None
        try:
            browser = Browser(self.args.firefox, os.path.join(self.work, "firefox.log"))
            self.figures.append("Firefox %s" % browser.version)
            browser.on_event(self.on_event)
            browser.send("session.subscribe", {"events": ["log.entryAdded"]})
            browser.send("script.addPreloadScript", {"functionDeclaration": "() => {\n%s\n%s\n}" % (probe, PRESSES)})
            page = self.open_page(browser, server.url)
            state = self.wait_state(page, ("running", "unsupported", "ended"), 30)
            if state != "running":
                text = page.evaluate("document.body ? document.body.innerText : ''") or ""
                self.require(False, "the page runs the game (state %r: %s)" % (state, text.strip()[:200]))
            dialog = page.evaluate("(() => { const d = document.getElementById('message');"
                                   " return d && d.open ? d.textContent.trim() : null; })()")
            self.require(dialog is None, "no message box at start-up (%r)" % dialog)
            time.sleep(0.5)
            self.intro(page)
            self.game(page, refs)
            violations = page.evaluate("__kalvenorTestTap.violations()")
            self.expect(not violations, "no Content-Security-Policy violation%s" % (violations or ""))
        finally:
            with open(os.path.join(self.work, "console.log"), "w") as f:
                for context, (level, text) in self.console:
                    f.write("%s %s %s\n" % ("main" if context == self.context else "other", level, text))
            if browser:
                browser.close()
            server.close()
        self.expect(not self.errors, "no console error on the page%s"
                    % "".join("\n       " + e for e in self.errors))


def main():
    return bounded_run.main(Run, DEADLINE_S, "Firefox test",
                            lambda ap: ap.add_argument("--firefox", default="/usr/bin/firefox-esr"), (BidiError,))


if __name__ == "__main__":
    sys.exit(main())
