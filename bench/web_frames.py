#!/usr/bin/env python3
"""How many frames a second the built page shows in headless Chromium with
the processor slowed as a phone's (DevTools CPU throttling), and what the
page's main thread works for each frame, beside the native game's CPU per
frame. Prints; never fails on a figure.

usage: web_frames.py BUILD_DIR [--chromium PATH] [--native EXE] [--runs N] [--no-worker]

Frames are the game's, as it hands them to the page. Drawn frames are those
the page hands the screen's worker whenever it has painted the last, or
puts on the canvas itself at each display refresh where it has no worker;
both counted and timed by a probe wrapped around them. Each over SPAN_S of
the intro at each rate; then SPAN_S of play at 1x and at the slowest rate.
"""
import argparse
import os
import sys
import time

sys.dont_write_bytecode = True  # nothing left behind in the source tree
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "web"))
from cdp import Browser, first_page  # noqa: E402
from static_server import StaticServer  # noqa: E402
import native_cpu  # noqa: E402

RATES = (1, 2, 4, 6)
SPAN_S = 5.0
SETTLE_S = 1.0
# The game's frames are 10 ms apart.
FRAME_MS = 10.0

# Counts the page's presents and the time spent inside them. Installed before
# the page's own scripts; the page is not told.
PROBE = """
(() => {
  const counted = {frames: 0, ms: 0};
  function wrap(proto, name) {
    if (!proto || !proto[name]) return;
    const original = proto[name];
    proto[name] = function (...args) {
      const from = performance.now();
      const result = original.apply(this, args);
      counted.ms += performance.now() - from;
      counted.frames++;
      return result;
    };
  }
  wrap(window.CanvasRenderingContext2D && CanvasRenderingContext2D.prototype, 'putImageData');
  wrap(window.Worker && Worker.prototype, 'postMessage');
  Object.defineProperty(window, '__kalvenorBenchPresents', {value: () => [counted.frames, counted.ms]});
})();
"""


# A browser that cannot hand a canvas to a worker, for the page's own
# painting.
NO_WORKER = "delete HTMLCanvasElement.prototype.transferControlToOffscreen;"


def sample(page):
    drawn, present_ms = page.evaluate("__kalvenorBenchPresents()")
    frames = page.evaluate("KalvenorScreen.frames()")
    metrics = {m["name"]: m["value"] for m in page.send("Performance.getMetrics")["metrics"]}
    return {"at": time.monotonic(), "frames": frames, "drawn": drawn, "present": present_ms / 1000.0,
            "task": metrics["TaskDuration"], "script": metrics["ScriptDuration"]}


def span(page):
    """Frames a second and main-thread ms per frame over SPAN_S."""
    time.sleep(SETTLE_S)
    a = sample(page)
    time.sleep(SPAN_S)
    b = sample(page)
    frames = b["frames"] - a["frames"]
    per = lambda key: 1000.0 * (b[key] - a[key]) / frames if frames else float("nan")
    seconds = b["at"] - a["at"]
    return {"fps": frames / seconds, "drawn": (b["drawn"] - a["drawn"]) / seconds, "task": per("task"),
            "script": per("script"), "present": per("present")}


def line(label, figures):
    return "  %-14s %6.1f fps (%5.1f drawn)   task %5.2f ms   script %5.2f ms   drawing %5.2f ms" % (
        label, figures["fps"], figures["drawn"], figures["task"], figures["script"], figures["present"])


def run_once(args, server):
    browser = Browser(args.chromium, (800, 600))
    try:
        page = first_page(browser)
        for domain in ("Page", "Runtime", "Performance"):
            page.send(domain + ".enable")
        page.send("Page.addScriptToEvaluateOnNewDocument", {"source": PROBE + (NO_WORKER if args.no_worker else "")})
        page.send("Page.navigate", {"url": server.url})
        deadline = time.monotonic() + 30
        while page.evaluate("document.body ? document.body.dataset.state : ''") != "running":
            if time.monotonic() > deadline:
                raise RuntimeError("the page did not start the game")
            time.sleep(0.2)
        print("  the canvas is painted by %s" % ("the page" if args.no_worker else "the screen's worker"))
        for rate in RATES:
            page.send("Emulation.setCPUThrottlingRate", {"rate": rate})
            print(line("intro %dx" % rate, span(page)))
        page.send("Emulation.setCPUThrottlingRate", {"rate": 1})
        for kind in ("rawKeyDown", "keyUp"):
            page.send("Input.dispatchKeyEvent", {"type": kind, "code": "Space", "key": " ",
                                                 "windowsVirtualKeyCode": 32})
        print(line("play 1x", span(page)))
        page.send("Emulation.setCPUThrottlingRate", {"rate": RATES[-1]})
        print(line("play %dx" % RATES[-1], span(page)))
    finally:
        browser.close()


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("build_dir")
    ap.add_argument("--chromium", default="chromium")
    ap.add_argument("--native", help="the SDL build of the game, whose CPU per frame is printed")
    ap.add_argument("--runs", type=int, default=1)
    ap.add_argument("--no-worker", action="store_true",
                    help="the page in a browser that cannot hand a canvas to a worker")
    args = ap.parse_args()
    if args.native:
        native = native_cpu.measure(args.native)
        if native:
            print("native game: %.2f ms of CPU per frame (%.0f%% of a core), X server %.2f ms"
                  % (native[0] * FRAME_MS, 100 * native[0], native[1] * FRAME_MS))
        else:
            print("native game: not measured (needs Xvfb, xdotool and the executable)")
    server = StaticServer(args.build_dir)
    try:
        for n in range(args.runs):
            print("page, run %d of %d (main thread per frame shown):" % (n + 1, args.runs))
            run_once(args, server)
    finally:
        server.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
