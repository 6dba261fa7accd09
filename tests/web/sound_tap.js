// The sound test's tap, between the page's output node and the speakers:
// passes the sound on unchanged and, when asked, tells when the first loud
// sample went by (wall-clock milliseconds), records a stretch of sound from
// its first non-zero sample, or cuts the stream into its sounds, each from
// its first non-zero sample to its last. Meanwhile it times the page's own
// sink at work and how far the wall clock ran ahead of the audio clock:
// figures about this machine, which the test prints.
'use strict';

// The longest sound the game makes lasts under a second.
const kLongestRunSeconds = 2;

// Every call of the page's process(): how many and how long in all. The
// clock may be coarse here; over thousands of calls its mean is still right.
const sinkWork = {calls: 0, ms: 0, frames: 0};
const clock = globalThis.performance ? () => performance.now() : () => Date.now();
// Every page sink made in this scope, for a trial of the test's own.
const sinks = [];
const register = registerProcessor;
globalThis.registerProcessor = (name, processor) => {
  if (name === 'kalvenor-sink') {
    const process = processor.prototype.process;
    processor.prototype.process = function (inputs, outputs, parameters) {
      const start = clock();
      const result = process.call(this, inputs, outputs, parameters);
      sinkWork.ms += clock() - start;
      sinkWork.calls += 1;
      sinkWork.frames += outputs[0][0].length;
      return result;
    };
    const made = processor;
    processor = class extends made {
      constructor(options) {
        super(options);
        sinks.push(this);
      }
    };
  }
  register(name, processor);
};

class SoundTap extends AudioWorkletProcessor {
  constructor() {
    super();
    this.loudAbove = 0;
    this.capture = null;
    this.captured = 0;
    this.runs = null;
    this.port.onmessage = (event) => {
      const order = event.data;
      if (order.loudAbove) this.loudAbove = order.loudAbove;
      if (order.capture) {
        this.capture = new Float32Array(order.capture);
        this.captured = 0;
      }
      if (order.runs) {
        this.runs = {quiet: order.runs, samples: new Float32Array(kLongestRunSeconds * sampleRate), length: 0,
                     silent: 0, wall: Date.now(), frame: currentFrame};
        sinkWork.calls = sinkWork.ms = sinkWork.frames = 0;
      }
      // The last sink given the page's messages straight, then renders of
      // the sizes asked for, their samples sent back.
      if (order.trial) {
        const sink = sinks[sinks.length - 1];
        for (const message of order.trial.messages) sink.receive(message);
        this.port.postMessage({trial: order.trial.frames.map((frames) => {
          const out = new Float32Array(frames);
          sink.process([], [[out]]);
          return Array.from(out);
        })});
      }
      if (order.report) {
        const runs = this.runs;
        this.runs = null;
        const audioMs = (1000 * (currentFrame - runs.frame)) / sampleRate;
        this.port.postMessage({report: {wallAheadMs: Date.now() - runs.wall - audioMs, audioMs,
                                        sinkCalls: sinkWork.calls, sinkMs: sinkWork.ms,
                                        quantumMs: (1000 * sinkWork.frames) / sampleRate / sinkWork.calls}});
      }
    };
  }

  // A sound ends where `quiet` zero samples follow it; the zeros inside it
  // are written when it sounds again, as the buffer is reused.
  cut(sample) {
    const runs = this.runs;
    if (sample !== 0) {
      const at = runs.length + runs.silent;
      if (at < runs.samples.length) {
        runs.samples.fill(0, runs.length, at);
        runs.samples[at] = sample;
        runs.length = at + 1;
      }
      runs.silent = 0;
    } else if (runs.length > 0 && ++runs.silent === runs.quiet) {
      this.port.postMessage({run: runs.samples.slice(0, runs.length)});
      runs.length = 0;
      runs.silent = 0;
    }
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
    for (let i = 0; i < input.length; ++i) {
      const sample = input[i];
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
      if (this.runs) this.cut(sample);
    }
    return true;
  }
}

registerProcessor('sound-tap', SoundTap);
