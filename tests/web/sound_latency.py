#!/usr/bin/env python3
"""The page's sound as a player hears it, in headless Chromium: the intro's
tune from its first sample, held while the page is hidden; ten shots, each
heard, the first sample for sample as the native mixer makes it; a shot on
time right after the page's thread stalled; and a minute of play with the
other core busy, every sound in it whole and as the native mixer makes it.
How long each shot took from its mousedown to the speakers, how far this
machine's audio thread ran behind the wall clock and what the page's own
process() cost are printed: they measure the machine as much as the page.

usage: sound_latency.py BUILD_DIR WORK_DIR --reference EXE [--chromium PATH]
  BUILD_DIR    the built page
  WORK_DIR     the browser's log goes here
  --reference  web_mix_reference of the native build: the native mixer's output
Every wait is bounded; the whole run is stopped after DEADLINE_S seconds.
"""
import array
import json
import os
import re
import statistics
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # nothing left behind in the source tree
from cdp import Browser, CdpError, first_page
from static_server import StaticServer
from bounded_run import Failed
import bounded_run

HERE = os.path.dirname(os.path.abspath(__file__))
# The mixer's changes, as the worklet's module numbers them.
MIXER_H = os.path.join(HERE, "..", "..", "platform", "dsound", "mixer.h")
DEADLINE_S = 200
WINDOW = (800, 600)
# A sample this far from silence (full scale 1) is the shot being heard.
LOUD = 0.05
SHOTS = 10
# A click's shot reaches the speakers within this long, on any machine.
HEARD_WITHIN_S = 3
# The shot right after a stall: a backlog would put it the stall's length
# behind. The bound is three times the worst seen on two loaded cores.
AFTER_STALL_LIMIT_MS = 150
STALL_MS = 200
# A shot's loud part is over by then (about 0.3 s), the whole shot (0.85 s)
# by the longer gap.
SHOT_GAP_S = 0.45
WHOLE_SHOT_S = 1.0
SHOT_CAPTURE_S = 0.8
INTRO_CAPTURE_S = 2.5
SOAK_S = 60
# Longer than any of the soak's sounds, so each is heard alone.
SOAK_SHOT_GAP_S = 1.2
# Three shots from a full gun, then a reload: every click while playing
# sounds, even where a busy machine held a click long enough to fire twice.
SOAK_SHOTS_PER_RELOAD = 3
# What a click in play can make heard: a shot or a reload, and with the shot
# the sound of a figure it hit, wherever the crosshair is.
SOAK_SOUNDS = ("shot", "reload", "click", "wrong", "hit1", "hit2", "hit3")
# A voice cut short fades out over this many frames (kFadeFrames).
FADE_FRAMES = 64
# A sound ends after this much silence; none of the game's has as much inside.
RUN_QUIET_S = 0.05
# The clicks that leave a game-over screen start the next game silently: a
# game lasts at least 30 s, so a minute holds at most two of them.
MOST_SILENT_CLICKS = 2
# The page's process() is well inside its render quantum when its mean
# takes at most this share of it.
SINK_SHARE = 0.25
# A sink of the test's own, given the page's messages straight: a sound in
# slot 0, a duplicate of it in slot 1, slot 0 refilled, the duplicate played;
# then renders below, at and above the usual 128 frames and above the most
# the mixer takes at once. Heard after its fade-in (kFadeFrames).
TRIAL_LEVELS, TRIAL_RENDERS, FADE_FRAMES = (1000, -3000), (1, 127, 128, 200, 1500, 2048), 64
TRIAL = """(async (codes, levels, renders) => {
  const Node = Object.getPrototypeOf(AudioWorkletNode);
  const context = new AudioContext();
  await context.audioWorklet.addModule('audio_sink.js');
  const mixer = await (await fetch('sound_mixer.wasm')).arrayBuffer();
  new Node(context, 'kalvenor-sink', {numberOfInputs: 0, outputChannelCount: [1], processorOptions: {mixer}});
  const tap = new Node(context, 'sound-tap', {outputChannelCount: [1]});
  const sound = (level) => ({slot: 0, rate: context.sampleRate, channels: 1, bits: 16,
                             bytes: new Uint8Array(new Int16Array(5000).fill(level).buffer)});
  const messages = [[codes.Attach, 0, 0, 1], sound(levels[0]), [codes.Attach, 1, 1, 1],
                    [codes.Refill, 0, 0, 2], sound(levels[1]), [codes.Start, 1, 0, 2]];
  const got = new Promise((done) => { tap.port.onmessage = (event) => done(event.data.trial); });
  tap.port.postMessage({trial: {messages, frames: renders}});
  const answer = (await got).map((render) => render.map((s) => Math.round(s * 32768)));
  context.close();
  return answer;
})(%s, %s, %s)"""



def explain(run, natives):
    """Which of natives the run is, whole: one; two summed from where the
    second begins, as the mixer sums a hit's sound into a shot's; or one cut
    short and fading out while the next starts, as a button held past the
    shot's seven frames fires again. None when it is none of these."""
    for name, first in natives.items():
        if run == first:
            return name
    for name, first in natives.items():
        cut = next((i for i, (a, b) in enumerate(zip(run, first)) if a != b), min(len(run), len(first)))
        rest = [sample - (first[i] if i < len(first) else 0) for i, sample in enumerate(run)]
        for other, second in natives.items():
            start = len(run) - len(second)
            if len(first) <= len(run) and rest[cut:] == second + [0] * (len(run) - cut - len(second)):
                return name + "+" + other
            if 0 < cut <= start and run[start + FADE_FRAMES:] == second[FADE_FRAMES:]:
                return name + ">" + other
    return None


class Run(bounded_run.Checks):
    def key(self, code, key, vk):
        self.page.send("Input.dispatchKeyEvent", {"type": "rawKeyDown", "code": code, "key": key,
                                                  "windowsVirtualKeyCode": vk})
        time.sleep(0.1)
        self.page.send("Input.dispatchKeyEvent", {"type": "keyUp", "code": code, "key": key,
                                                  "windowsVirtualKeyCode": vk})

    def move(self, x, y):
        self.page.send("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y, "button": "none",
                                                    "buttons": 0})

    def click(self, button="left"):
        self.page.click(400, 300, button)

    # -- what reaches the speakers ---------------------------------------------

    def probe(self, expression):
        return self.page.evaluate("__soundProbe." + expression, timeout=10)

    def capture(self, seconds):
        self.require(self.probe("arm({capture: %d})" % round(seconds * self.rate)), "the page's sound is tapped")

    def captured(self, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            got = self.probe("take('captures')")
            if got:
                return got[0]
            time.sleep(0.1)
        return None

    def reference(self, sound, frames):
        """The native mixer's output from its first non-zero sample on."""
        out = subprocess.run([self.args.reference, sound, str(self.rate), str(frames + self.rate)],
                             capture_output=True, timeout=30, check=True).stdout
        samples = array.array("h")
        samples.frombytes(out)
        if sys.byteorder == "big":
            samples.byteswap()
        first = next(i for i, s in enumerate(samples) if s != 0)
        return list(samples[first:first + frames])

    def whole(self, sound):
        """A sound the game plays once, from its first non-zero sample to its last."""
        samples = self.reference(sound, 2 * self.rate)
        while samples and samples[-1] == 0:
            samples.pop()
        return samples

    def keep(self, name, samples):
        """Samples kept in the work folder as raw 16-bit mono, to be heard."""
        with open(os.path.join(self.args.work_dir, name), "wb") as f:
            f.write(array.array("h", samples).tobytes())

    def same_as_native(self, sound, heard, what):
        if not self.expect(heard is not None, "%s reaches the speakers" % what):
            return
        native = self.reference(sound, len(heard))
        differ = [i for i, (a, b) in enumerate(zip(heard, native)) if a != b]
        self.expect(not differ, "%s: %d samples at %d Hz as the native mixer makes them (%d differ%s)"
                    % (what, len(heard), self.rate, len(differ),
                       ", first at %d: %d, native %d" % (differ[0], heard[differ[0]], native[differ[0]])
                       if differ else ""))

    def shot_latency(self, before_click=None):
        """Milliseconds from the mousedown of one left click to the first
        loud sample at the speakers, or None when none came."""
        self.probe("take('downs')")
        self.probe("take('loud')")
        self.probe("arm({loudAbove: %f})" % LOUD)
        time.sleep(0.05)
        if before_click:
            before_click()
        self.click()
        deadline = time.monotonic() + HEARD_WITHIN_S
        loud = []
        while time.monotonic() < deadline and not loud:
            time.sleep(0.05)
            loud = self.probe("take('loud')")
        downs = self.probe("take('downs')")
        if not loud or len(downs) != 1:
            return None
        return loud[0]["wall"] - downs[0]

    # -- the checks ------------------------------------------------------------

    def intro(self):
        """Before any input the context waits; the first key starts the
        intro's tune at its first sample, and a page sent to the background
        and back goes on where it was."""
        self.capture(INTRO_CAPTURE_S)
        self.key("F3", "F3", 114)
        time.sleep(0.8)
        other = self.browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        deadline = time.monotonic() + 3
        state = None
        while time.monotonic() < deadline and state != "suspended":
            time.sleep(0.1)
            state = self.probe("context()")["state"]
        self.expect(state == "suspended", "the page out of sight suspends its sound (%s)" % state)
        time.sleep(0.5)
        self.browser.send("Target.activateTarget", {"targetId": self.page.target_id})
        self.browser.send("Target.closeTarget", {"targetId": other})
        self.same_as_native("intro", self.captured(5 + INTRO_CAPTURE_S),
                            "the intro's first %.1f s, hidden and back after 0.8 s" % INTRO_CAPTURE_S)

    def shots(self):
        # The click that takes the pointer is no shot; a key starts the game;
        # the crosshair goes to the top-left corner, where no figure walks.
        self.click()
        time.sleep(0.3)
        self.key("Space", " ", 32)
        time.sleep(0.5)
        self.move(WINDOW[0] - 1, WINDOW[1] - 1)
        time.sleep(0.2)
        self.move(0, 0)
        time.sleep(0.3)
        latencies = []
        for n in range(SHOTS):
            if n == 6:
                # Six shots sound from a full gun; the right button reloads.
                self.click("right")
                time.sleep(SHOT_GAP_S)
            if n == 0:
                self.capture(SHOT_CAPTURE_S)
            latencies.append(self.shot_latency())
            time.sleep(WHOLE_SHOT_S if n == 0 else SHOT_GAP_S)
        heard = [ms for ms in latencies if ms is not None]
        self.require(len(heard) == SHOTS, "every shot is heard (%d of %d)" % (len(heard), SHOTS))
        median = statistics.median(heard)
        context = self.probe("context()")
        print("     mousedown to the first loud sample at the speakers, ms: %s"
              % " ".join("%.0f" % ms for ms in heard))
        print("     the context's own latency on top: base %.1f ms, output %.1f ms"
              % (1000 * context["base"], 1000 * context["output"]))
        self.figures.append("shot latency median %.0f ms (base %.1f, output %.1f ms)"
                            % (median, 1000 * context["base"], 1000 * context["output"]))
        self.same_as_native("shot", self.captured(3), "the first shot's first %.1f s" % SHOT_CAPTURE_S)

    def worklet(self):
        """A duplicate plays what its original was refilled with, and
        renders of any size come out whole, after the voice's fade-in."""
        with open(MIXER_H) as f:
            names = re.search(r"enum class Change \{([^}]*)\}", f.read()).group(1)
        codes = {name.strip(): i for i, name in enumerate(names.split(","))}
        renders = self.page.evaluate(TRIAL % (json.dumps(codes), json.dumps(TRIAL_LEVELS), json.dumps(TRIAL_RENDERS)),
                                     timeout=20, await_promise=True)
        self.require(renders is not None, "the trial sink answers")
        sizes = [len(render) for render in renders]
        odd = sorted(set([s for render in renders for s in render][FADE_FRAMES:]) - {TRIAL_LEVELS[1]})
        self.expect(sizes == list(TRIAL_RENDERS) and not odd,
                    "the worklet renders %s frames as asked (%s), the duplicate at its original's new level"
                    " %d (other levels: %s)" % (list(TRIAL_RENDERS), sizes, TRIAL_LEVELS[1], odd[:5] or "none"))

    def stall(self):
        def stall_page():
            self.page.evaluate("(() => { const t = performance.now(); while (performance.now() - t < %d); })()"
                               % STALL_MS)
        latency = self.shot_latency(stall_page)
        if latency is not None:
            print("     a shot right after a %d ms stall: %.0f ms" % (STALL_MS, latency))
        self.expect(latency is not None and latency <= AFTER_STALL_LIMIT_MS,
                    "a shot right after a %d ms stall of the page is on time: at most %d ms (%s)"
                    % (STALL_MS, AFTER_STALL_LIMIT_MS, "none heard" if latency is None else "%.0f ms" % latency))

    def soak(self):
        """A minute of play beside a CPU-bound process, shots and reloads and
        the games ending and starting again on the clicks: what reaches the
        speakers is the native mixer's sounds, each whole, one per click."""
        natives = {name: self.whole(name) for name in SOAK_SOUNDS}
        self.click("right")
        time.sleep(SOAK_SHOT_GAP_S)
        self.probe("take('runs')")
        self.probe("take('reports')")
        self.require(self.probe("arm({runs: %d})" % round(RUN_QUIET_S * self.rate)), "the page's sound is cut")
        busy = subprocess.Popen([sys.executable, "-c",
                                 "import time\nend = time.monotonic() + %d\nwhile time.monotonic() < end: pass"
                                 % (SOAK_S + 2)])
        heard = []
        clicks = 0
        try:
            end = time.monotonic() + SOAK_S
            while time.monotonic() < end:
                clicks += 1
                self.click("right" if clicks % (SOAK_SHOTS_PER_RELOAD + 1) == 0 else "left")
                time.sleep(SOAK_SHOT_GAP_S)
                heard += self.probe("take('runs')")
        finally:
            busy.kill()
            busy.wait()
        self.probe("arm({report: true})")
        deadline = time.monotonic() + 5
        reports = []
        while time.monotonic() < deadline and not reports:
            time.sleep(0.1)
            reports = self.probe("take('reports')")
        heard += self.probe("take('runs')")
        self.require(bool(reports) and reports[0]["sinkCalls"] > 0, "the tap reports on the page's own output")
        report = reports[0]
        names = [explain(run, natives) for run in heard]
        wrong = [(i, len(run)) for i, (run, name) in enumerate(zip(heard, names)) if name is None]
        mixed = [name for name in names if name and name not in natives]
        for i, _ in wrong:
            self.keep("soak-sound-%d.raw" % i, heard[i])
        print("     %d clicks in %d s of play beside a busy core: %d sounds, %d of them whole%s"
              % (clicks, SOAK_S, len(heard), len(heard) - len(wrong),
                 " (%s: + a hit's sound, > cut and fired again)" % ", ".join(mixed) if mixed else ""))
        print("     the wall clock ran %.1f ms ahead of the audio clock; the page's process() took %.3f ms"
              " a call on average, of a %.2f ms quantum"
              % (report["wallAheadMs"], report["sinkMs"] / report["sinkCalls"], report["quantumMs"]))
        self.figures.append("wall clock %.1f ms ahead of the audio in %d s" % (report["wallAheadMs"], SOAK_S))
        self.expect(not wrong, "every sound of the soak is whole and sample for sample as the native mixer makes"
                    " it, alone, with a hit's or cut by the next (%s)"
                    % (", ".join("sound %d: %d samples" % w for w in wrong) or "all"))
        self.expect(clicks - MOST_SILENT_CLICKS <= len(heard) <= clicks,
                    "one sound per click but the game-over ones (%d sounds, %d clicks)" % (len(heard), clicks))
        self.expect(report["sinkMs"] / report["sinkCalls"] <= SINK_SHARE * report["quantumMs"],
                    "the page's process() takes at most %d%% of its quantum on average" % (100 * SINK_SHARE))

    def play(self):
        with open(os.path.join(HERE, "sound_probe.js")) as f:
            probe = f.read()
        server = StaticServer(self.args.build_dir, extra={"/sound_tap.js": os.path.join(HERE, "sound_tap.js")})
        self.browser = Browser(self.args.chromium, WINDOW, os.path.join(self.args.work_dir, "chromium.log"))
        try:
            self.page = first_page(self.browser)
            for domain in ("Page", "Runtime"):
                self.page.send(domain + ".enable")
            self.page.send("Page.addScriptToEvaluateOnNewDocument", {"source": probe})
            self.page.send("Page.navigate", {"url": server.url})
            deadline = time.monotonic() + 30
            context = None
            while time.monotonic() < deadline and not context:
                time.sleep(0.2)
                context = self.page.evaluate("window.__soundProbe ? __soundProbe.context() : null")
            self.require(bool(context), "the page opens its sound")
            self.rate = int(context["rate"])
            self.expect(context["state"] == "suspended", "before any input the sound waits (%s)" % context["state"])
            time.sleep(0.5)
            self.intro()
            self.worklet()
            self.shots()
            self.stall()
            self.soak()
        finally:
            self.browser.close()
            server.close()


def main():
    return bounded_run.main(Run, DEADLINE_S, "sound test", lambda ap: ap.add_argument("--reference", required=True),
                            (subprocess.SubprocessError,), resources=False)


if __name__ == "__main__":
    sys.exit(main())
