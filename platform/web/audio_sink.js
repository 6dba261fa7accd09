// The sound output: the platform's mixer (sound_mixer.wasm) mixing the
// game's voices on the audio thread, changed by what the page sends: a
// voice's change as [change, slot, arg, changes], its sound as
// {slot, rate, channels, bits, bytes}, the mix's level in percent as a
// number, and null to ask which voices ran out,
// answered as [slot, changes, ...]. The changes, the number of slots and
// the longest render are the module's own: nothing here repeats them.
// Rendering allocates nothing and makes no view.
'use strict';

class KalvenorSink extends AudioWorkletProcessor {
  constructor(options) {
    super();
    const module = new WebAssembly.Module(options.processorOptions.mixer);
    // The module asks nothing of its host that the mixer reaches.
    const imports = {};
    for (const wanted of WebAssembly.Module.imports(module)) {
      imports[wanted.module] = imports[wanted.module] || {};
      imports[wanted.module][wanted.name] = () => 0;
    }
    this.mixer = new WebAssembly.Instance(module, imports).exports;
    this.mixer._initialize();
    this.slots = this.mixer.kvm_slots();
    this.mostFrames = this.mixer.kvm_most_frames();
    this.changes = new Int32Array(this.slots);
    this.ranOut = new Int32Array(2 * this.slots);
    this.ranOutCount = 0;
    this.view();
    this.port.onmessage = (event) => this.receive(event.data);
  }

  // Views of the module's memory, made again after whatever may have grown
  // it: only what the page sends, never the mixing.
  view() {
    const buffer = this.mixer.memory.buffer;
    if (this.output && this.output.buffer === buffer) return;
    this.output = new Float32Array(buffer, this.mixer.kvm_output(), this.mostFrames);
    this.ranOutSlots = new Int32Array(buffer, this.mixer.kvm_ran_out(), this.slots);
  }

  receive(message) {
    const mixer = this.mixer;
    if (message === null) {
      this.port.postMessage(Array.from(this.ranOut.subarray(0, 2 * this.ranOutCount)));
      this.ranOutCount = 0;
      return;
    }
    if (typeof message === 'number') {
      mixer.kvm_level(message);
    } else if (Array.isArray(message)) {
      const [kind, slot, arg, changes] = message;
      if (slot < 0 || slot >= this.slots) return;
      this.changes[slot] = changes;
      mixer.kvm_change(kind, slot, arg);
    } else {
      const {slot, rate, channels, bits, bytes} = message;
      const at = mixer.kvm_alloc(bytes.length);
      if (at === 0 && bytes.length > 0) return;
      new Uint8Array(mixer.memory.buffer, at, bytes.length).set(bytes);
      mixer.kvm_refill(slot, rate, channels, bits, at, bytes.length);
      mixer.kvm_free(at);
    }
    this.view();
  }

  // However many frames the browser asks for, in renders the mixer takes.
  process(inputs, outputs) {
    const out = outputs[0][0];
    for (let done = 0; done < out.length;) {
      const frames = Math.min(this.mostFrames, out.length - done);
      const ranOut = this.mixer.kvm_mix(frames, sampleRate);
      for (let i = 0; i < frames; ++i) out[done + i] = this.output[i];
      for (let i = 0; i < ranOut && this.ranOutCount < this.slots; ++i, ++this.ranOutCount) {
        const slot = this.ranOutSlots[i];
        this.ranOut[2 * this.ranOutCount] = slot;
        this.ranOut[2 * this.ranOutCount + 1] = this.changes[slot];
      }
      done += frames;
    }
    return true;
  }
}

registerProcessor('kalvenor-sink', KalvenorSink);
