#!/usr/bin/env python3
"""Works the page's settings dialog in headless Chromium as players do: by
keys alone (F10, Tab, arrows, Escape), by a scripted pad (a short Back, the
d-pad, A, B) and by touch on the gear. While it is open the game presents
no frame. The changes are kept over a reload, with the stored text's
comments and unknown keys, and its bad lines named in the console; with
storage refused the dialog says they will not be kept and the game plays.
Every wait polls with a backstop; the run stops itself after DEADLINE_S.

usage: settings_play.py BUILD_DIR RESOURCE_DIR WORK_DIR [--chromium PATH]
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
DEADLINE_S = 120
WINDOW = (800, 600)
PHONE = (844, 390)
KEYS = {"F1": 112, "F10": 121, "Tab": 9, "ArrowLeft": 37, "ArrowRight": 39, "Escape": 27}
# Standard mapping buttons; a press lasts this many looks at the pad.
PAD_A, PAD_B, PAD_BACK, PAD_DOWN = 0, 1, 8, 13
PRESS_LOOKS = 6
HOLD_S = 0.1
# The page's own frames the dialog stays open for while the game's are counted.
STILL_FRAMES = 30
WARNINGS = "window.__warnings = []; const warn = console.warn;" \
           " console.warn = (...a) => { __warnings.push(a.join(' ')); warn(...a); };"
REFUSED = "Object.defineProperty(window, 'localStorage', {get() { throw new DOMException('no', 'SecurityError'); }});"
STORED = "(localStorage.getItem('kalvenor.settings') || '')"
# Frames the game has made; the screen's worker may still paint one made
# before the dialog opened.
GAME_FRAMES = "KalvenorScreen.frames()"


class Run(bounded_run.Checks):
    def until(self, page, expression, what, backstop_s=10):
        deadline = time.monotonic() + backstop_s
        while time.monotonic() < deadline:
            if page.evaluate(expression):
                return True
            time.sleep(0.05)
        return self.expect(False, what)

    def open_tab(self, browser, url, scripts, phone=False):
        target = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        page = Page(browser, target)
        page.send("Page.enable")
        if phone:
            page.send("Emulation.setDeviceMetricsOverride", {"width": PHONE[0], "height": PHONE[1],
                                                             "deviceScaleFactor": 2, "mobile": True})
            page.send("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        else:
            self.require(view.fit_window(browser, page, WINDOW), "the tab gets %dx%d" % WINDOW)
        for name in ("touch_probe.js", "gamepad_pad.js"):
            with open(os.path.join(HERE, name)) as f:
                page.send("Page.addScriptToEvaluateOnNewDocument", {"source": f.read()})
        page.send("Page.addScriptToEvaluateOnNewDocument", {"source": WARNINGS + scripts})
        page.send("Page.navigate", {"url": url})
        self.wait_running(page)
        return page

    def wait_running(self, page):
        self.require(self.until(page, "document.body && document.body.dataset.state === 'running'"
                                " && __kalvenorTestTouch.since(0).length > 0", "the page runs the game", 20),
                     "the page runs the game")

    def key(self, page, code, times=1):
        for _ in range(times):
            for kind in ("rawKeyDown", "keyUp"):
                page.send("Input.dispatchKeyEvent", {"type": kind, "code": code, "key": code,
                                                     "windowsVirtualKeyCode": KEYS[code]})
                time.sleep(HOLD_S if kind == "rawKeyDown" else 0.02)

    def pad(self, page, button, check, what):
        page.evaluate("__kalvenorTestPad.press(%d, %d)" % (button, PRESS_LOOKS))
        return self.until(page, check, what)

    def is_open(self, page, want=True):
        return self.until(page, "document.getElementById('settings').open === %s" % ("true" if want else "false"),
                          "the dialog is %s" % ("open" if want else "closed"))

    def value(self, page, name):
        return page.evaluate("(e => e.type === 'checkbox' ? String(e.checked) : e.value)"
                             "(document.querySelector('#settings [name=%s]'))" % name)

    def frames_still(self, page):
        """No game frame while the page draws STILL_FRAMES of its own; then
        frames come again once the dialog is closed."""
        before = page.evaluate(GAME_FRAMES)
        page.evaluate("new Promise(r => { let n = 0; const f = () => ++n >= %d ? r() : requestAnimationFrame(f);"
                      " requestAnimationFrame(f); })" % STILL_FRAMES, await_promise=True)
        return page.evaluate(GAME_FRAMES) == before, before

    def keyboard(self, page):
        self.key(page, "F10")
        self.require(self.is_open(page), "F10 opens the settings")
        still, before = self.frames_still(page)
        self.expect(still, "no game frame while the dialog is open, %d of the page's frames" % STILL_FRAMES)
        self.until(page, "__kalvenorTestTap.states().length && __kalvenorTestTap.states().every(s => s !== 'running')",
                   "no sound plays while it is open (%s)" % page.evaluate("__kalvenorTestTap.states()"))
        self.key(page, "Tab", 3)
        self.key(page, "ArrowLeft", 5)
        self.expect(self.value(page, "volume") == "95", "Tab and arrows set the volume to 95")
        self.key(page, "Escape")
        self.is_open(page, False)
        self.until(page, GAME_FRAMES + " > %d" % before, "the game's frames come again once it is closed")
        self.expect("volume = 95" in page.evaluate(STORED), "the volume is stored")

    def gamepad(self, page):
        page.evaluate("__kalvenorTestPad.connect()")
        self.pad(page, PAD_BACK, "document.getElementById('settings').open", "a short Back opens the settings")
        for name in ("pad_speed", "swap_buttons"):
            self.pad(page, PAD_DOWN, "document.activeElement.name === '%s'" % name, "the d-pad moves to " + name)
        self.pad(page, PAD_A, "document.querySelector('#settings [name=swap_buttons]').checked",
                 "A ticks the focused box")
        self.pad(page, PAD_B, "!document.getElementById('settings').open", "B closes the settings")
        self.expect("swap_buttons = true" in page.evaluate(STORED), "the swap is stored")

    def kept(self, page):
        page.evaluate("localStorage.setItem('kalvenor.settings', %s + '# a note\\nfuture_key = 1\\npad_speed = 9\\n"
                      "not a setting\\n')" % STORED)
        page.send("Page.reload")
        self.wait_running(page)
        self.key(page, "F10")
        self.is_open(page)
        kept = (self.value(page, "volume"), self.value(page, "swap_buttons"), self.value(page, "pad_speed"))
        self.expect(kept == ("95", "true", "1"), "a reload keeps them, a bad one at its default: %s" % (kept,))
        warnings = " | ".join(page.evaluate("__warnings"))
        self.expect("pad_speed" in warnings and "not key = value" in warnings and "line " in warnings,
                    "the console names the bad lines: %s" % warnings)
        self.key(page, "ArrowRight")
        self.key(page, "Escape")
        text = page.evaluate(STORED)
        self.expect("mouse_speed = 1.05" in text and "# a note" in text and "future_key = 1" in text,
                    "a change keeps the note and the unknown key")

    def touch(self, page):
        self.tap(page, self.centre(page, "settings-open-touch"))
        self.require(self.is_open(page), "a touch on the gear opens the settings")
        self.tap(page, self.centre(page, "settings [name=mute]"))
        self.expect(self.value(page, "mute") == "true", "a touch ticks Mute")
        self.tap(page, self.centre(page, "settings-close"))
        self.is_open(page, False)
        self.expect("mute = true" in page.evaluate(STORED), "and it is stored")

    def centre(self, page, selector):
        return page.evaluate("(e => { e.scrollIntoView({block: 'center'}); const r = e.getBoundingClientRect();"
                             " return [r.left + r.width / 2, r.top + r.height / 2]; })"
                             "(document.querySelector('#%s'))" % selector)

    def tap(self, page, point):
        page.send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": point[0], "y": point[1]}]})
        time.sleep(HOLD_S)
        page.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def refused(self, page, refs):
        self.key(page, "F10")
        self.is_open(page)
        self.expect(page.evaluate("!document.getElementById('settings-unsaved').hidden"),
                    "storage refused: the dialog says the settings will not be kept")
        self.key(page, "Tab", 3)
        self.key(page, "ArrowLeft")
        self.expect(self.value(page, "volume") == "99", "and they still change")
        self.key(page, "Escape")
        self.is_open(page, False)
        self.key(page, "F1")
        self.expect(view.look_cartridges(page, self.work, "refused", refs, 6) == 6, "and the game plays")

    def play(self):
        refs = view.References(self.args.resource_dir, self.work)
        with open(os.path.join(HERE, "page_probe.js")) as f:
            sound_probe = f.read()
        server = StaticServer(self.args.build_dir)
        browser = Browser(self.args.chromium, WINDOW, os.path.join(self.work, "chromium.log"))
        try:
            first_page(browser)
            page = self.open_tab(browser, server.url, sound_probe)
            self.keyboard(page)
            self.gamepad(page)
            self.kept(page)
            phone = self.open_tab(browser, server.url, "", phone=True)
            self.touch(phone)
            refused = self.open_tab(browser, server.url, REFUSED)
            self.refused(refused, refs)
        finally:
            browser.close()
            server.close()


def main():
    return bounded_run.main(Run, DEADLINE_S, "settings test")


if __name__ == "__main__":
    sys.exit(main())
