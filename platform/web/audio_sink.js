// The sound output: the platform's mixer (sound_mixer.wasm) mixing the
// game's voices on the audio thread, changed by what the page sends: a
// voice's change as [change, slot, arg, changes], its sound as
// {slot, rate, channels, bits, bytes}, and null to ask which voices ran out,
// answered as [slot, changes, ...]. Rendering allocates nothing.
'use strict';

// The mixer's changes (platform/dsound/mixer.h), in its order.
const kAttach = 0;
const kDetach = 1;
const kStart = 3;
const kCut = 4;
const kSeek = 5;
// As many voices as sound_slots.h names.
const kSlots = 64;

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
    this.changes = new Int32Array(kSlots);
    this.ranOut = new Int32Array(2 * kSlots);
    this.ranOutCount = 0;
    this.view();
    this.port.onmessage = (event) => this.receive(event.data);
  }

  // Views of the module's memory, made again whenever it grew.
  view() {
    const buffer = this.mixer.memory.buffer;
    this.output = new Float32Array(buffer, this.mixer.kvm_output(), 128);
    this.ranOutSlots = new Int32Array(buffer, this.mixer.kvm_ran_out(), kSlots);
  }

  receive(message) {
    const mixer = this.mixer;
    if (message === null) {
      this.port.postMessage(Array.from(this.ranOut.subarray(0, 2 * this.ranOutCount)));
      this.ranOutCount = 0;
      return;
    }
    if (Array.isArray(message)) {
      const [kind, slot, arg, changes] = message;
      if (slot < 0 || slot >= kSlots) return;
      this.changes[slot] = changes;
      if (kind === kAttach) mixer.kvm_attach(slot);
      else if (kind === kDetach) mixer.kvm_detach(slot);
      else if (kind === kStart) mixer.kvm_start(slot, arg);
      else if (kind === kCut) mixer.kvm_cut(slot);
      else if (kind === kSeek) mixer.kvm_seek(slot, arg >>> 0);
      return;
    }
    const {slot, rate, channels, bits, bytes} = message;
    const at = mixer.kvm_alloc(bytes.length);
    if (at === 0 && bytes.length > 0) return;
    if (this.output.buffer !== mixer.memory.buffer) this.view();
    new Uint8Array(mixer.memory.buffer, at, bytes.length).set(bytes);
    mixer.kvm_refill(slot, rate, channels, bits, at, bytes.length);
    mixer.kvm_free(at);
  }

  process(inputs, outputs) {
    const out = outputs[0][0];
    const ranOut = this.mixer.kvm_mix(out.length, sampleRate);
    if (this.output.buffer !== this.mixer.memory.buffer) this.view();
    for (let i = 0; i < out.length; ++i) out[i] = this.output[i];
    for (let i = 0; i < ranOut && this.ranOutCount < kSlots; ++i, ++this.ranOutCount) {
      const slot = this.ranOutSlots[i];
      this.ranOut[2 * this.ranOutCount] = slot;
      this.ranOut[2 * this.ranOutCount + 1] = this.changes[slot];
    }
    return true;
  }
}

registerProcessor('kalvenor-sink', KalvenorSink);
