// The sound output: plays the mono blocks the page posts, in order, and
// silence when none is waiting.
'use strict';

// Blocks beyond this much waiting sound are dropped, oldest first, so that a
// late block never delays everything after it for good.
const kMostWaitingSeconds = 0.15;

class KalvenorSink extends AudioWorkletProcessor {
  constructor() {
    super();
    this.blocks = [];
    this.offset = 0;
    this.waiting = 0;
    this.port.onmessage = (event) => {
      this.blocks.push(event.data);
      this.waiting += event.data.length;
      const most = kMostWaitingSeconds * sampleRate;
      while (this.waiting - this.offset > most && this.blocks.length > 1) {
        this.waiting -= this.blocks.shift().length;
        this.offset = 0;
      }
    };
  }

  process(inputs, outputs) {
    const out = outputs[0][0];
    let at = 0;
    while (at < out.length && this.blocks.length > 0) {
      const block = this.blocks[0];
      const count = Math.min(out.length - at, block.length - this.offset);
      out.set(block.subarray(this.offset, this.offset + count), at);
      at += count;
      this.offset += count;
      if (this.offset === block.length) {
        this.blocks.shift();
        this.waiting -= block.length;
        this.offset = 0;
      }
    }
    out.fill(0, at);
    return true;
  }
}

registerProcessor('kalvenor-sink', KalvenorSink);
