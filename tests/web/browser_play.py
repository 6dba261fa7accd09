#!/usr/bin/env python3
"""Plays the built page in headless Chromium as a player would, and checks
it from the outside: the screens by their pixels, the sound by what the page
sends to the speakers.

usage: browser_play.py BUILD_DIR RESOURCE_DIR WORK_DIR [--chromium PATH] [--native EXE]
  BUILD_DIR     the built page (index.html and the files it loads)
  RESOURCE_DIR  the game's bitmaps (resources/)
  WORK_DIR      screenshots, the browser's log and the page's console go here

The intro and its sound after a first key; a key starts the game; a click
takes pointer lock, relative motion aims, zero-length clicks fire, the right
button reloads, a touch tap fires where it lands; the game ends after its
3000 frames (the frames per second and the page's CPU are printed); the next
game survives the tab going to the background and coming back; Escape ends
it. Then three browsers that lack something the game needs. No console error
and no Content-Security-Policy violation is allowed on the way. Every wait
is bounded; the whole run is stopped after DEADLINE_S seconds.
"""
import gzip
import os
import sys
import time

sys.dont_write_bytecode = True  # nothing left behind in the source tree
from cdp import Browser, Page, first_page
from static_server import StaticServer
import bounded_run
from bounded_run import Failed
import native_cpu
import page_view as view
import process_cpu

HERE = os.path.dirname(os.path.abspath(__file__))
DEADLINE_S = 240
GAME_FRAMES = 3000
# The shortest a 3000-frame game may last: frames at least 10 ms apart, less
# what the looks at its ends may be off by. A busy machine only makes it longer.
MIN_GAME_S = 29.5
MAX_TRANSFER = 800 * 1024
WINDOW = (800, 600)
# Of the statistics box's place, the share darker than the backdrop that
# means the game-over screen, even with a figure born in the last frame
# walking over it.
GAME_OVER_DARKENING = 0.75
# An analyser level (RMS of samples in -1..1) that is clearly sound.
HEARD = 0.02
# Between shots: time enough for each one's sound to reach the speakers.
SHOT_GAP_S = 0.35
# A window this much wider than the picture's 4:3 shows bars beside it.
WIDE_EXTRA = 400
# The page's bottom-right pixel: a motion there and then to (0, 0) is far
# enough, from any point, to put the cursor against the top-left corner.
FAR_CORNER = (WINDOW[0] - 1, WINDOW[1] - 1)


def crosshair_near(screen, refs, x, y):
    """The crosshair's top left is within a pixel of (x, y)."""
    where = view.find_crosshair(screen, refs, x, y)
    return where is not None and abs(where[0] - x) <= 1 and abs(where[1] - y) <= 1


class Run(bounded_run.Checks):
    def __init__(self, args):
        super().__init__(args)
        self.console = []
        self.errors = []
        self.main_session = None
        self.mouse = (WINDOW[0] // 2, WINDOW[1] // 2)

    # -- what the page says -------------------------------------------------

    def on_event(self, msg):
        method, params = msg.get("method"), msg.get("params", {})
        line = None
        if method == "Runtime.consoleAPICalled":
            text = " ".join(str(a.get("value", a.get("description", ""))) for a in params.get("args", []))
            line = (params.get("type"), text)
        elif method == "Runtime.exceptionThrown":
            details = params.get("exceptionDetails", {})
            line = ("error", "uncaught: " + details.get("exception", {}).get("description", details.get("text", "")))
        elif method == "Log.entryAdded":
            entry = params.get("entry", {})
            line = (entry.get("level"), "%s: %s %s" % (entry.get("source"), entry.get("text"), entry.get("url", "")))
        if line is None:
            return
        self.console.append((msg.get("sessionId"), line))
        if msg.get("sessionId") == self.main_session and line[0] in ("error", "assert"):
            self.errors.append(line[1])

    def wait_state(self, page, states, timeout):
        deadline = time.monotonic() + timeout
        state = None
        while time.monotonic() < deadline:
            state = page.evaluate("document.body ? document.body.dataset.state || '' : ''", timeout=5)
            if state in states:
                return state
            time.sleep(0.1)
        return state

    def dialog_text(self, page):
        return page.evaluate("(() => { const d = document.getElementById('message');"
                             " return d && d.open ? d.textContent.trim() : null; })()")

    def shown(self, page, element_id):
        return page.evaluate("(() => { const e = document.getElementById('%s');"
                             " return !!e && !e.hidden && getComputedStyle(e).display !== 'none'; })()"
                             % element_id)

    # -- a player's hands ------------------------------------------------------

    def key(self, page, code, key, vk, hold=0.1):
        page.send("Input.dispatchKeyEvent", {"type": "rawKeyDown", "code": code, "key": key,
                                             "windowsVirtualKeyCode": vk})
        time.sleep(hold)
        page.send("Input.dispatchKeyEvent", {"type": "keyUp", "code": code, "key": key,
                                             "windowsVirtualKeyCode": vk})

    def move(self, page, x, y):
        page.send("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y, "button": "none",
                                               "buttons": 0})
        self.mouse = (x, y)

    def click(self, page, button="left", hold=0.0):
        """Press and release, by default in the same instant, as a touchpad
        tap gives."""
        x, y = self.mouse
        if not hold:
            page.click(x, y, button)
            return
        mask = {"left": 1, "right": 2}[button]
        page.send("Input.dispatchMouseEvent", {"type": "mousePressed", "x": x, "y": y, "button": button,
                                               "buttons": mask, "clickCount": 1})
        time.sleep(hold)
        page.send("Input.dispatchMouseEvent", {"type": "mouseReleased", "x": x, "y": y, "button": button,
                                               "buttons": 0, "clickCount": 1})

    def aim(self, page, x, y):
        """Puts the crosshair's top-left at (x, y): the motion is relative,
        so first against the bottom-right and then the top-left corner,
        where the cursor stops, then from there. Each corner is left to a
        poll of its own, as the clamp applies to a poll's whole motion."""
        self.move(page, *FAR_CORNER)
        time.sleep(0.2)
        self.move(page, 0, 0)
        time.sleep(0.2)
        for step in range(1, 4):
            self.move(page, x * step // 3, y * step // 3)
            time.sleep(0.04)
        time.sleep(0.2)

    def tap(self, page, x, y):
        page.send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
        page.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def page_now(self, page):
        return page.evaluate("performance.now()")

    def levels(self, page, since):
        return page.evaluate("__kalvenorTestTap.since(%f)" % since) or []

    # -- the checks ------------------------------------------------------------

    def look(self, page, name, passes):
        """Looks at the tab until passes(screen) holds; the verdict."""
        return view.look(page, self.work, name, passes)[0]

    def playing(self, name, *options):
        """The screenshot NAME shows a game in play: the shared screen check,
        and no statistics box, which only the game-over screen has."""
        ok = view.check_screen_file(self.work, name, "playing", *options)
        box = view.screen_box_darkening(check_screen_of(self.work, name), self.refs)
        print("     %s   no statistics box (%.2f of its place darkened)" % ("ok" if box < 0.5 else "FAIL", box))
        return ok and box < 0.5

    def transfer(self):
        total = 0
        parts = []
        for name in sorted(os.listdir(self.args.build_dir)):
            path = os.path.join(self.args.build_dir, name)
            if not os.path.isfile(path):
                continue
            with open(path, "rb") as f:
                size = len(gzip.compress(f.read(), 9))
            parts.append("%s %.1f" % (name, size / 1024))
            total += size
        print("     gzip -9 KiB: " + ", ".join(parts))
        self.expect(total <= MAX_TRANSFER, "transfer %.0f KiB gzip-compressed, at most %d KiB"
                    % (total / 1024, MAX_TRANSFER // 1024))
        self.figures.append("transfer %.0f KiB" % (total / 1024))

    def fit_window(self, browser, page):
        """Sizes the window so that the page itself gets WINDOW: the picture
        then lands 1:1 on the screen's pixels."""
        window = browser.send("Browser.getWindowForTarget", {"targetId": page.target_id})["windowId"]
        for _ in range(3):
            inner = page.evaluate("[innerWidth, innerHeight, outerWidth, outerHeight]")
            if inner[:2] == list(WINDOW):
                return
            bounds = {"width": WINDOW[0] + inner[2] - inner[0], "height": WINDOW[1] + inner[3] - inner[1]}
            browser.send("Browser.setWindowBounds", {"windowId": window, "bounds": bounds})
            time.sleep(0.2)
        raise Failed("cannot give the page %dx%d (it has %dx%d)" % (WINDOW + tuple(inner[:2])))

    def open_page(self, browser, url, probe, touch):
        if self.main_session is None:
            page = first_page(browser)
            self.main_session = page.session
            self.fit_window(browser, page)
        else:
            target = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
            page = Page(browser, target)
        for domain in ("Page", "Runtime", "Log"):
            page.send(domain + ".enable")
        if touch:
            page.send("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 1})
        page.send("Page.addScriptToEvaluateOnNewDocument", {"source": probe})
        page.send("Page.navigate", {"url": url})
        return page

    def intro(self, page):
        print("     sound before any input: contexts %s" % page.evaluate("__kalvenorTestTap.states()"))
        # F3 means nothing to the game, but lets the page play sound.
        since = self.page_now(page)
        self.key(page, "F3", "F3", 114)
        heard = 0.0
        deadline = time.monotonic() + 3
        while time.monotonic() < deadline and heard < HEARD:
            time.sleep(0.2)
            heard = max([level for _, level in self.levels(page, since)] or [0.0])
        self.expect(heard >= HEARD, "the intro's tune plays after a first key (level %.3f)" % heard)

        # The click that takes the pointer is no shot: the intro stays, and
        # the page's hints over the picture go.
        self.move(page, 400, 300)
        self.click(page)
        time.sleep(0.3)
        locked = page.evaluate("document.pointerLockElement ? document.pointerLockElement.id : null")
        self.require(locked == "screen", "a click on the page takes pointer lock (locked: %s)" % locked)
        a = view.screenshot(page, self.work, "intro")
        self.require(view.check_screen_file(self.work, "intro", "intro"), "the intro is drawn")
        time.sleep(0.15)
        b = view.screenshot(page, self.work, "intro-later")
        band, above = view.band_change(a, b)
        self.expect(band > 0.05 and above < 0.01, "the band ripples: %.2f of it changed in 150 ms, %.3f above it"
                    % (band, above))

    def first_game(self, page, refs):
        self.key(page, "Space", " ", 32)
        started = time.monotonic()
        time.sleep(0.5)
        quiet_from = self.page_now(page)
        time.sleep(0.3)
        quiet = max([level for _, level in self.levels(page, quiet_from)] or [0.0])
        self.require(self.look(page, "started", lambda _: self.playing("started", "--cartridges", 6)),
                     "a key starts the game: playing screen, six cartridges")
        self.aim(page, 300, 200)
        self.expect(self.look(page, "aimed", lambda _: self.playing("aimed", "--cursor", 300, 200)),
                    "relative motion aims")

        shots = []
        for _ in range(3):
            shots.append(self.page_now(page))
            self.click(page)
            time.sleep(SHOT_GAP_S)
        time.sleep(0.1)
        self.expect(self.look(page, "fired",
                              lambda _: self.playing("fired", "--cursor", 300, 200, "--cartridges", 3)),
                    "three zero-length clicks fire three rounds")
        history = self.levels(page, shots[0] - 1000)
        for n, at in enumerate(shots, 1):
            level = max([lv for t, lv in history if at <= t < at + 1000 * SHOT_GAP_S] or [0.0])
            self.expect(level >= HEARD and level > 4 * quiet,
                        "shot %d is heard: level %.3f, %.3f before the shots" % (n, level, quiet))

        self.click(page, "right")
        time.sleep(0.3)
        self.expect(self.look(page, "reloaded", lambda _: self.playing("reloaded", "--cartridges", 6)),
                    "the right button reloads")
        self.tap(page, 520, 330)
        time.sleep(0.35)
        _, screen = view.look(page, self.work, "tapped", lambda screen: crosshair_near(screen, refs, 495, 305)
                              and view.cartridges(screen, refs) == 5)
        where = view.find_crosshair(screen, refs, 495, 305)
        self.expect(crosshair_near(screen, refs, 495, 305),
                    "a tap at (520, 330) puts the crosshair's centre there (top-left %s, want (495, 305))"
                    % (where,))
        count = view.cartridges(screen, refs)
        self.expect(count == 5, "the tap fires one round after a reload (%d cartridges, want 5)" % count)

        over = self.wait_game_over(page, refs, started)
        print("     that game, with the test's screenshots in it, lasted %.2f s" % (over - started))
        time.sleep(0.3)
        self.expect(self.look(page, "gameover", lambda _: view.check_screen_file(self.work, "gameover", "gameover")),
                    "the game-over screen")

    def wait_game_over(self, page, refs, started):
        """When the game-over screen showed, polling from 25 s into the game."""
        while time.monotonic() < started + 25:
            time.sleep(0.5)
        while time.monotonic() < started + 90:
            # The look shows a frame drawn after it was asked for.
            asked = time.monotonic()
            if view.box_darkening(page, refs) > GAME_OVER_DARKENING:
                return asked
            time.sleep(0.05)
        raise Failed("no game-over screen within 90 s of the game's start")

    def next_game(self, page, refs):
        """Clicks on the game-over screen; when the next game started."""
        self.click(page)
        started = time.monotonic()
        time.sleep(0.3)
        if self.expect(view.box_darkening(page, refs) < 0.5, "a click on the game-over screen starts a game"):
            return started
        self.click(page, hold=0.05)
        started = time.monotonic()
        time.sleep(0.3)
        self.require(view.box_darkening(page, refs) < 0.5, "a click held for 50 ms does")
        return started

    def timed_game(self, page, refs, browser):
        """A game left alone from its first frame to its last: how long its
        3000 frames take, and what the page costs meanwhile."""
        started = self.next_game(page, refs)
        time.sleep(max(0.0, started + 1.0 - time.monotonic()))
        cpu_from, cpu_at = process_cpu.sample(browser.pids()), time.monotonic()
        time.sleep(24.0)
        cpu_to, cpu_span = process_cpu.sample(browser.pids()), time.monotonic() - cpu_at
        usage = process_cpu.usage(cpu_from, cpu_to, cpu_span)
        over = self.wait_game_over(page, refs, started)
        seconds = over - started
        fps = GAME_FRAMES / seconds
        print("     3000-frame game: %.2f s, %.1f frames a second" % (seconds, fps))
        self.figures.append("3000 frames in %.2f s (%.1f fps)" % (seconds, fps))
        self.expect(seconds >= MIN_GAME_S, "the frames are paced: the game lasts at least %.1f s (%.2f s)"
                    % (MIN_GAME_S, seconds))
        total = sum(usage.values())
        parts = ", ".join("%s %.0f%%" % (k, 100 * v) for k, v in sorted(usage.items(), key=lambda kv: -kv[1]))
        print("     page CPU while playing, share of one core over %.1f s: all Chromium %.0f%% (%s)"
              % (cpu_span, 100 * total, parts))
        self.figures.append("page CPU %.0f%% of a core (renderer %.0f%%)"
                            % (100 * total, 100 * usage.get("renderer", 0)))
        if self.native:
            print("     native game while playing, share of one core: game %.0f%%, X server %.0f%%"
                  % (100 * self.native[0], 100 * self.native[1]))
            self.figures.append("native game %.0f%%" % (100 * self.native[0]))

    def background(self, page, refs, browser):
        time.sleep(0.3)
        self.next_game(page, refs)
        time.sleep(0.2)
        ok, screen = view.look(page, self.work, "second", lambda _: self.playing("second"))
        self.require(ok, "the next game plays")
        before = view.cartridges(screen, refs)

        hidden_from = self.page_now(page) + 500
        other = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        slowest = 0.0
        hidden = False
        deadline = time.monotonic() + 2.5
        while time.monotonic() < deadline:
            asked = time.monotonic()
            hidden = page.evaluate("document.visibilityState", timeout=5) == "hidden" or hidden
            slowest = max(slowest, time.monotonic() - asked)
            time.sleep(0.1)
        self.expect(hidden, "another tab in front hides the page")
        print("     sound level while hidden: %.3f" % max([lv for _, lv in self.levels(page, hidden_from)] or [0.0]))
        self.expect(slowest < 1.0, "the hidden page answers (slowest %.0f ms)" % (1000 * slowest))
        browser.send("Target.activateTarget", {"targetId": page.target_id})
        browser.send("Target.closeTarget", {"targetId": other})
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline and page.evaluate("document.visibilityState") != "visible":
            time.sleep(0.1)
        time.sleep(0.4)
        # The pointer was freed on the way out: a click takes it again,
        # without a shot.
        if not page.evaluate("!!document.pointerLockElement"):
            self.move(page, 400, 300)
            self.click(page)
            time.sleep(0.3)
        self.expect(self.look(page, "back", lambda _: self.playing("back", "--cartridges", before)),
                    "back in front, the game is where it was (%d cartridges)" % before)
        self.aim(page, 450, 300)
        self.expect(self.look(page, "back-aimed", lambda _: self.playing("back-aimed", "--cursor", 450, 300)),
                    "and the mouse aims again")
        at = self.page_now(page)
        self.click(page)
        time.sleep(0.4)
        level = max([lv for t, lv in self.levels(page, at) if t < at + 300] or [0.0])
        self.expect(level >= HEARD, "and a shot is heard again (level %.3f)" % level)

    def letterbox(self, page, refs, browser):
        """A wider window: the picture scaled to its height in the middle,
        black beside it, and a tap still lands where the finger is."""
        window = browser.send("Browser.getWindowForTarget", {"targetId": page.target_id})["windowId"]
        bounds = browser.send("Browser.getWindowBounds", {"windowId": window})["bounds"]
        browser.send("Browser.setWindowBounds", {"windowId": window,
                                                 "bounds": {"width": bounds["width"] + WIDE_EXTRA}})
        time.sleep(0.5)
        left = WIDE_EXTRA // 2
        self.expect(self.look(page, "wide", lambda _: self.playing("wide", "--cursor", 450, 300)),
                    "a window %d pixels wider shows the picture in the middle, black beside it" % WIDE_EXTRA)
        self.tap(page, left + 300, 250)
        time.sleep(0.35)
        _, screen = view.look(page, self.work, "wide-tapped", lambda screen: crosshair_near(screen, refs, 275, 225))
        where = view.find_crosshair(screen, refs, 275, 225)
        self.expect(crosshair_near(screen, refs, 275, 225),
                    "a tap at (300, 250) of the picture puts the crosshair's centre there (top-left %s)" % (where,))

    def escape(self, page):
        for press in (1, 2):
            self.key(page, "Escape", "Escape", 27)
            if self.wait_state(page, ("ended",), 3) == "ended":
                print("     the game ended at Escape number %d" % press)
                break
        self.expect(page.evaluate("document.body.dataset.state") == "ended" and self.shown(page, "ended"),
                    "Escape ends the game and the page says so")
        view.screenshot(page, self.work, "ended")

    def write_console(self):
        with open(os.path.join(self.work, "console.log"), "w") as f:
            for session, (level, text) in self.console:
                f.write("%s %s %s\n" % ("main" if session == self.main_session else "other", level, text))

    def no_console_errors(self):
        self.expect(not self.errors, "no console error on the page%s"
                    % "".join("\n       " + e for e in self.errors))

    def no_violations(self, page, when):
        violations = page.evaluate("__kalvenorTestTap.violations()")
        self.expect(not violations, "no Content-Security-Policy violation %s%s" % (when, violations or ""))

    def play_again(self, page):
        """The page's offer to play again, clicked: the game starts afresh."""
        box = page.evaluate("(() => { const r = document.getElementById('restart').getBoundingClientRect();"
                            " return [r.x + r.width / 2, r.y + r.height / 2]; })()")
        self.move(page, round(box[0]), round(box[1]))
        self.click(page, hold=0.08)
        time.sleep(0.5)
        state = self.wait_state(page, ("running",), 20)
        self.require(state == "running", "the offer to play again loads the game again (state %r)" % state)
        # The pointer, taken again, clears the page's hint from the bars.
        self.move(page, WINDOW[0] // 2, WINDOW[1] // 2)
        self.click(page)
        time.sleep(0.5)
        self.expect(self.look(page, "again", lambda _: view.check_screen_file(self.work, "again", "intro")),
                    "with its intro")

    def lacking(self, browser, url, probe, removal):
        """The page opened in a new tab of a browser without what removal takes away."""
        page = self.open_page(browser, url, probe + "\n" + removal, False)
        state = self.wait_state(page, ("running", "unsupported", "ended"), 20)
        text = page.evaluate("document.body.innerText") or ""
        dialog = self.dialog_text(page)
        return page, state, text, dialog

    def bad_browsers(self, browser, url, probe):
        page, state, text, _ = self.lacking(browser, url, probe, "delete window.WebAssembly;")
        self.expect(state == "unsupported" and "WebAssembly" in text,
                    "without WebAssembly the page says so (state %s)" % state)
        browser.send("Target.closeTarget", {"targetId": page.target_id})
        page, state, text, _ = self.lacking(browser, url, probe, "delete Element.prototype.requestPointerLock;")
        self.expect(state == "running" and "pointer" in text.lower(),
                    "without pointer lock the game runs and the page says what is missing (state %s)" % state)
        browser.send("Target.closeTarget", {"targetId": page.target_id})
        page, state, _, _ = self.lacking(browser, url, probe,
                                         "delete HTMLCanvasElement.prototype.transferControlToOffscreen;")
        self.move(page, 400, 300)
        self.click(page)
        time.sleep(0.5)
        self.expect(state == "running" and self.look(
            page, "own-painting", lambda _: view.check_screen_file(self.work, "own-painting", "intro")),
            "where a canvas cannot go to a worker the page paints the intro itself (state %s)" % state)
        browser.send("Target.closeTarget", {"targetId": page.target_id})
        page, state, text, dialog = self.lacking(
            browser, url, probe,
            "delete window.AudioWorkletNode; delete window.AudioWorklet;"
            " delete BaseAudioContext.prototype.audioWorklet;")
        deadline = time.monotonic() + 5
        while dialog is None and time.monotonic() < deadline:
            time.sleep(0.1)
            dialog = self.dialog_text(page)
        self.expect(dialog is not None and "Failed to initialise the sound" in dialog,
                    "without AudioWorklet the game says it has no sound (%r)" % dialog)
        if dialog is not None:
            page.send("Runtime.evaluate", {"expression": "document.getElementById('message-ok').click()"})
            time.sleep(0.5)
            self.move(page, 400, 300)
            self.click(page)
            time.sleep(0.5)
            self.expect(self.look(page, "silent", lambda _: view.check_screen_file(self.work, "silent", "intro")),
                        "and then runs silent")
        browser.send("Target.closeTarget", {"targetId": page.target_id})

    def play(self):
        refs = self.refs = view.References(self.args.resource_dir, self.work)
        self.transfer()
        # Measured first, alone on the machine, for comparison later.
        self.native = native_cpu.measure(self.args.native) if self.args.native else None
        with open(os.path.join(HERE, "page_probe.js")) as f:
            probe = f.read()
        server = StaticServer(self.args.build_dir)
        browser = Browser(self.args.chromium, WINDOW, os.path.join(self.work, "chromium.log"))
        try:
            browser.on_event(self.on_event)
            page = self.open_page(browser, server.url, probe, True)
            state = self.wait_state(page, ("running", "unsupported", "ended"), 30)
            if state != "running":
                text = page.evaluate("document.body ? document.body.innerText : ''")
                self.require(False, "the page runs the game (state %r: %s)" % (state, text.strip()[:200]))
            dialog = self.dialog_text(page)
            self.require(dialog is None, "no message box at start-up (%r)" % dialog)
            time.sleep(0.5)
            self.intro(page)
            self.first_game(page, refs)
            self.timed_game(page, refs, browser)
            self.background(page, refs, browser)
            self.letterbox(page, refs, browser)
            self.escape(page)
            self.no_violations(page, "in the game")
            self.play_again(page)
            self.no_violations(page, "after playing again")
            self.bad_browsers(browser, server.url, probe)
        finally:
            self.write_console()
            browser.close()
            server.close()
        self.no_console_errors()


def check_screen_of(work, name):
    return view.check_screen.Screen(os.path.join(work, name + ".ppm"))


def add_arguments(ap):
    ap.add_argument("--native", help="the SDL build of the game, whose CPU is printed beside the page's")


def main():
    return bounded_run.main(Run, DEADLINE_S, "browser test", add_arguments)


if __name__ == "__main__":
    sys.exit(main())
