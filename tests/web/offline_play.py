#!/usr/bin/env python3
"""The page installed and played offline, in headless Chromium, as a player
comes to it: Chromium finds it installable, with its manifest and icons; once
visited, it loads and plays with its sound with its server stopped; a second
build served over the first is offered on the open page and runs once taken,
and each page holds the files of one build only; two folders of one origin
keep a cache each; a server that lacks a file, or answers one from another
build, leaves the page playing from the network; a browser without service
workers plays as before.

usage: offline_play.py BUILD_DIR RESOURCE_DIR WORK_DIR [--chromium PATH]
  BUILD_DIR     the built page (index.html and the files it loads)
  RESOURCE_DIR  the game's bitmaps (resources/)
  WORK_DIR      screenshots, the browser's log, the second build go here

Every wait is bounded; the whole run is stopped after DEADLINE_S seconds.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import threading
import time

sys.dont_write_bytecode = True  # nothing left behind in the source tree
from bounded_run import Failed
from browser_play import Run, SHOT_GAP_S
import bounded_run
from cdp import Browser, CdpError
from static_server import StaticServer
import page_view as view

HERE = os.path.dirname(os.path.abspath(__file__))
STAMP = os.path.join(HERE, "..", "..", "web", "stamp_worker.cmake")
DEADLINE_S = 200
# A worker fetches and keeps every file of its build before it is installed:
# on a busy machine that has taken over 20 s.
WORKER_WAIT_S = 60
WORKER = "service_worker.js"
# The file the second build changes, and what it adds to it.
CHANGED, MARK = "page.css", "/* the second build */\n"
# The file the failing server lacks.
MISSING = "kalvenor.ico"
# A shot is heard at this level or above.
HEARD = 0.02

# The SHA-256 of every file the page lists, as the page's own fetches get
# them: through whatever worker serves the page.
PAGE_DIGESTS = """(async (names) => {
  const out = {};
  for (const name of names) {
    const body = await (await fetch(name)).arrayBuffer();
    out[name] = Array.from(new Uint8Array(await crypto.subtle.digest('SHA-256', body)),
                           (b) => b.toString(16).padStart(2, '0')).join('');
  }
  return out;
})(%s)"""

ICON_SIZES = """Promise.all(%s.map((src) => new Promise((done) => {
  const image = new Image();
  image.onload = () => done([image.naturalWidth, image.naturalHeight]);
  image.onerror = () => done(null);
  image.src = src;
})))"""


def worker_of(site, scope="/"):
    """The cache name the build's worker keeps in scope, and the file
    digests it holds."""
    with open(os.path.join(site, WORKER)) as f:
        text = f.read()
    build = re.search(r"const BUILD = '([^']+)';", text).group(1)
    files = json.loads(re.search(r"const FILES = (\{.*?\});", text, re.S).group(1))
    return "kalvenor %s %s" % (scope, build), files


class OfflineRun(Run):
    def __init__(self, args):
        super().__init__(args)
        self.versions = {}
        self.changed = threading.Condition()

    def on_event(self, msg):
        if msg.get("method") == "ServiceWorker.workerVersionUpdated":
            with self.changed:
                for version in msg["params"]["versions"]:
                    self.versions[version["versionId"]] = (version["scriptURL"], version["status"])
                self.changed.notify_all()
        super().on_event(msg)

    def wait_worker(self, origin, statuses, timeout=WORKER_WAIT_S, skip=()):
        """A worker of origin reaching one of statuses, not one of skip: its
        version id, or None."""
        deadline = time.monotonic() + timeout
        with self.changed:
            while True:
                for vid, (url, status) in self.versions.items():
                    if url.startswith(origin) and status in statuses and vid not in skip:
                        return vid
                left = deadline - time.monotonic()
                if left <= 0:
                    return None
                self.changed.wait(left)

    def load(self, page, url, what):
        page.send("Page.navigate", {"url": url})
        time.sleep(0.3)
        state = self.wait_state(page, ("running", "unsupported", "ended"), 15)
        self.require(state == "running", "%s runs the game (state %r)" % (what, state))

    def caches(self, page):
        return sorted(page.evaluate("caches.keys()", await_promise=True))

    def plays(self, page, name, heard=False):
        """The intro, a key starts a game, a shot takes a cartridge and,
        when heard, sounds."""
        time.sleep(0.3)
        self.move(page, 400, 300)
        self.click(page)
        time.sleep(0.3)
        self.expect(self.look(page, name + "-intro", lambda _: view.check_screen_file(self.work, name + "-intro",
                                                                                      "intro")),
                    "%s: the intro" % name)
        self.key(page, "Space", " ", 32)
        time.sleep(0.5)
        self.expect(self.look(page, name + "-started", lambda _: self.playing(name + "-started", "--cartridges", 6)),
                    "%s: a key starts a game" % name)
        since = self.page_now(page)
        self.click(page)
        time.sleep(SHOT_GAP_S)
        if heard:
            level = max([lv for _, lv in self.levels(page, since)] or [0.0])
            self.expect(level >= HEARD, "%s: the shot is heard (level %.3f)" % (name, level))
        self.expect(self.look(page, name + "-fired", lambda _: self.playing(name + "-fired", "--cartridges", 5)),
                    "%s: a shot takes a cartridge" % name)

    def installable(self, page, origin):
        self.require(self.wait_worker(origin, ("activated",)) is not None,
                     "the page's service worker is activated")
        errors = page.send("Page.getInstallabilityErrors")["installabilityErrors"]
        self.expect(not errors, "Chromium finds the page installable %s" % (errors or ""))
        manifest = page.send("Page.getAppManifest")
        self.expect(not manifest.get("errors"), "the manifest parses %s" % (manifest.get("errors") or ""))
        data = json.loads(manifest.get("data") or "{}")
        fields = {k: data.get(k) for k in ("name", "short_name", "display", "orientation",
                                           "theme_color", "background_color")}
        self.expect(fields == {"name": "Kalvenor", "short_name": "Kalvenor", "display": "fullscreen",
                               "orientation": "landscape", "theme_color": "#000000",
                               "background_color": "#000000"}, "the manifest's fields %s" % fields)
        icons = data.get("icons", [])
        sizes = page.evaluate(ICON_SIZES % json.dumps([i["src"] for i in icons]), await_promise=True)
        wanted = [[int(n) for n in i["sizes"].split("x")] for i in icons]
        self.expect(sorted(i["sizes"] for i in icons) == ["192x192", "512x512"] and sizes == wanted,
                    "the icons load at their sizes (%s, listed %s)" % (sizes, wanted))

    def one_build(self, page, site, what):
        """Every file the page gets is the one of site's build."""
        _, files = worker_of(site)
        got = page.evaluate(PAGE_DIGESTS % json.dumps(sorted(files)), timeout=20, await_promise=True)
        odd = sorted(name for name in files if got.get(name) != files[name])
        self.expect(not odd, "%s gets every file of its own build%s" % (what, (": not " + ", ".join(odd)) if odd else ""))

    def second_build(self):
        """The build in the work folder with one file changed, its worker
        written again the way the build writes it."""
        second = os.path.join(self.work, "second-build")
        shutil.rmtree(second, ignore_errors=True)
        shutil.copytree(self.args.build_dir, second)
        with open(os.path.join(second, CHANGED), "a") as f:
            f.write(MARK)
        subprocess.run(["cmake", "-DSITE=" + second, "-P", STAMP], check=True)
        return second

    def take_offer(self, page, origin, old_version):
        """The waiting build is offered on the page; its button reloads
        the page on the new build."""
        deadline = time.monotonic() + WORKER_WAIT_S
        while time.monotonic() < deadline and not self.shown(page, "update"):
            time.sleep(0.2)
        self.require(self.shown(page, "update"), "the page offers the waiting build")
        box = page.evaluate("(() => { const r = document.getElementById('update-now').getBoundingClientRect();"
                            " return [r.x + r.width / 2, r.y + r.height / 2]; })()")
        page.evaluate("window.__beforeTheSwitch = true")
        self.move(page, box[0], box[1])
        self.click(page)
        self.require(self.wait_worker(origin, ("activated",), skip=(old_version,)) is not None,
                     "the button makes the new build's worker take over")
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline and page.evaluate("!!window.__beforeTheSwitch"):
            time.sleep(0.2)
        self.require(not page.evaluate("!!window.__beforeTheSwitch"), "and the page reloads")
        state = self.wait_state(page, ("running", "unsupported", "ended"), 15)
        self.require(state == "running", "the new build runs the game (state %r)" % state)

    def two_scopes(self, page, second):
        """Two folders of one origin, one build each: each keeps its cache
        when the other's worker takes over."""
        root = os.path.join(self.work, "two-scopes")
        shutil.rmtree(root, ignore_errors=True)
        shutil.copytree(self.args.build_dir, os.path.join(root, "a"))
        shutil.copytree(second, os.path.join(root, "b"))
        server = StaticServer(root)
        try:
            for folder in ("a", "b"):
                self.load(page, server.url + folder + "/", "the page in /%s/" % folder)
                self.require(self.wait_worker(server.url + folder + "/", ("activated",)) is not None,
                             "the worker of /%s/ is activated" % folder)
            wanted = sorted([worker_of(os.path.join(root, "a"), "/a/")[0],
                             worker_of(os.path.join(root, "b"), "/b/")[0]])
            self.expect(self.caches(page) == wanted, "each folder keeps its own cache (%s)" % self.caches(page))
            page.send("Page.navigate", {"url": "about:blank"})
        finally:
            server.close()

    def refused(self, page, others, what, spoil):
        """A server with the first build spoilt by spoil(folder): its
        worker is dropped and no cache is left; the page plays."""
        folder = os.path.join(self.work, what.replace(" ", "-"))
        shutil.rmtree(folder, ignore_errors=True)
        shutil.copytree(self.args.build_dir, folder)
        spoil(folder)
        others.append(StaticServer(folder))
        self.load(page, others[-1].url, "a server %s:" % what)
        self.expect(self.wait_worker(others[-1].url, ("redundant",)) is not None,
                    "the worker that cannot keep every file of its build is dropped")
        self.expect(self.caches(page) == [] and not page.evaluate("!!navigator.serviceWorker.controller"),
                    "and leaves no cache behind (%s)" % self.caches(page))
        self.plays(page, what.split()[0])

    def play(self):
        self.refs = view.References(self.args.resource_dir, self.work)
        with open(os.path.join(HERE, "page_probe.js")) as f:
            probe = f.read()
        first_cache, _ = worker_of(self.args.build_dir)
        second = self.second_build()
        second_cache, _ = worker_of(second)
        self.require(second_cache != first_cache, "a changed file names a new cache (%s, %s)"
                     % (first_cache, second_cache))
        server = StaticServer(self.args.build_dir)
        origin = server.url
        browser = Browser(self.args.chromium, (800, 600), os.path.join(self.work, "chromium.log"))
        others = []
        try:
            browser.on_event(self.on_event)
            page = self.open_page(browser, "about:blank", probe, False)
            page.send("ServiceWorker.enable")
            self.load(page, origin, "the first visit")
            self.installable(page, origin)
            self.expect(self.caches(page) == [first_cache], "the cache is named after the build (%s)"
                        % self.caches(page))

            server.close()
            self.load(page, origin, "with the server stopped, the page")
            self.plays(page, "offline", heard=True)

            server = StaticServer(second, server.port)
            first_version = self.wait_worker(origin, ("activated",), 1)
            self.load(page, origin, "a second build on the server: the open page")
            waiting = self.wait_worker(origin, ("installed",), skip=(first_version,))
            self.expect(waiting is not None, "the second build's worker installs and waits")
            self.one_build(page, self.args.build_dir, "the page the first build's worker serves")
            self.take_offer(page, origin, first_version)
            self.expect(self.caches(page) == [second_cache], "the first build's cache is gone (%s)"
                        % self.caches(page))
            self.one_build(page, second, "the second build's page")

            self.two_scopes(page, second)
            self.refused(page, others, "lacking %s" % MISSING, lambda f: os.remove(os.path.join(f, MISSING)))
            # The browser reports the missing file, as it should.
            missing = others[-1].url + MISSING
            self.errors = [e for e in self.errors if not e.endswith(missing)]
            self.refused(page, others, "answering %s from another build" % CHANGED,
                         lambda f: shutil.copy(os.path.join(second, CHANGED), os.path.join(f, CHANGED)))

            others.append(StaticServer(self.args.build_dir))
            page.send("Page.addScriptToEvaluateOnNewDocument",
                      {"source": "delete Navigator.prototype.serviceWorker;"})
            self.load(page, others[-1].url, "a browser without service workers")
            time.sleep(1.0)
            self.expect(self.wait_worker(others[-1].url, ("new", "installing", "installed", "activated"), 0)
                        is None, "and registers none")
            self.no_violations(page, "on the way")
        finally:
            self.write_console()
            browser.close()
            server.close()
            for other in others:
                other.close()
        self.no_console_errors()


def main():
    return bounded_run.main(OfflineRun, DEADLINE_S, "offline test", errors=(subprocess.CalledProcessError,))


if __name__ == "__main__":
    sys.exit(main())
