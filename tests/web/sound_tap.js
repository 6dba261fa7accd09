// The sound test's tap, between the page's output node and the speakers:
// passes the sound on unchanged and, when asked, tells when the first loud
// sample went by (wall-clock milliseconds), records a stretch of sound from
// its first non-zero sample, or watches for the output falling behind the
// wall clock while it carries sound: an underrun at the speakers.
'use strict';

// Watching learns this long how far the output may run behind the clock in
// its steady state (it renders a device buffer at a time).
const kLearnSeconds = 1;
// Sound this recent counts as the game's mix having sound.
const kSoundingSeconds = 0.1;

class SoundTap extends AudioWorkletProcessor {
  constructor() {
    super();
    this.loudAbove = 0;
    this.capture = null;
    this.captured = 0;
    this.watching = false;
    this.port.onmessage = (event) => {
      const order = event.data;
      if (order.loudAbove) this.loudAbove = order.loudAbove;
      if (order.capture) {
        this.capture = new Float32Array(order.capture);
        this.captured = 0;
      }
      if (order.watch) {
        this.watching = true;
        this.watchFrom = currentFrame;
        this.watchWall = undefined;
        this.slack = -Infinity;
        this.lastSound = -Infinity;
        this.underruns = [];
      }
      if (order.report) {
        this.watching = false;
        this.port.postMessage({underruns: this.underruns});
      }
    };
  }

  watch(wall, sounding) {
    const audio = (currentFrame - this.watchFrom) / sampleRate;
    if (sounding) this.lastSound = audio;
    if (this.watchWall === undefined) this.watchWall = wall;
    const behind = (wall - this.watchWall) / 1000 - audio;
    if (audio < kLearnSeconds) {
      this.slack = Math.max(this.slack, behind);
      return;
    }
    if (behind <= this.slack) return;
    if (audio - this.lastSound < kSoundingSeconds) this.underruns.push(behind - this.slack);
    this.slack = behind;
  }

  process(inputs, outputs) {
    const input = inputs[0][0];
    const output = outputs[0][0];
    if (!input) {
      output.fill(0);
      return true;
    }
    output.set(input);
    const wall = Date.now();
    let sounding = false;
    for (let i = 0; i < input.length; ++i) {
      const sample = input[i];
      if (sample !== 0) sounding = true;
      if (this.loudAbove && Math.abs(sample) > this.loudAbove) {
        this.port.postMessage({wall: wall + (1000 * i) / sampleRate});
        this.loudAbove = 0;
      }
      if (this.capture && (this.captured > 0 || sample !== 0)) {
        this.capture[this.captured++] = sample;
        if (this.captured === this.capture.length) {
          this.port.postMessage({samples: this.capture});
          this.capture = null;
        }
      }
    }
    if (this.watching) this.watch(wall, sounding);
    return true;
  }
}

registerProcessor('sound-tap', SoundTap);
