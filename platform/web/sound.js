// The sound output on the page's side: an AudioContext whose worklet mixes
// the game's voices itself (audio_sink.js, with the platform's mixer built
// into sound_mixer.wasm). The page passes on each change the game makes to
// a voice and hands back the voices that ran out. Browsers start sound only
// after a click or a key; until then the context waits, so the intro's tune
// starts from its beginning at the player's first gesture.
'use strict';

const KalvenorSound = (() => {
  // How often, at most, the worklet is asked which voices ran out: about a
  // frame, as the game checks a voice once a frame at most.
  const kAskEveryMs = 5;
  let context = null;
  let sink = null;
  let asking = false;
  let askedAt = -Infinity;
  const ranOutQueue = [];
  // The player's volume, kept for a sink made later; and whether the
  // settings dialog holds the sound still.
  let level = 100;
  let held = false;

  function available() {
    return typeof AudioContext === 'function' && typeof AudioWorkletNode === 'function';
  }

  // The module's imports, none of which the mixer reaches.
  function stubs(module) {
    const imports = {};
    for (const wanted of WebAssembly.Module.imports(module)) {
      imports[wanted.module] = imports[wanted.module] || {};
      imports[wanted.module][wanted.name] = () => 0;
    }
    return imports;
  }

  // Checked here, where a fault can still silence the game in its own
  // words: a mixer that numbers its voices otherwise than the game's side
  // would play the wrong ones.
  async function mixerModule(slots) {
    const response = await fetch('sound_mixer.wasm');
    if (!response.ok) throw new Error('sound_mixer.wasm: HTTP ' + response.status);
    const bytes = await response.arrayBuffer();
    const module = await WebAssembly.compile(bytes);
    const held = new WebAssembly.Instance(module, stubs(module)).exports.kvm_slots();
    if (held !== slots) throw new Error('sound_mixer.wasm holds ' + held + ' voices, the game ' + slots);
    return bytes;
  }

  // slots: how many voices the game's side numbers, which the worklet's
  // mixer must hold too.
  async function open(slots) {
    if (!available()) return 0;
    try {
      // The shortest buffer the device offers: its delay adds to ours.
      context = new AudioContext({latencyHint: 0});
      // A gesture's resume may land after the dialog's suspend.
      context.addEventListener('statechange', () => {
        if (held && context && context.state === 'running') context.suspend();
      });
      const [mixer] = await Promise.all([mixerModule(slots), context.audioWorklet.addModule('audio_sink.js')]);
      sink = new AudioWorkletNode(context, 'kalvenor-sink', {
        numberOfInputs: 0, numberOfOutputs: 1, outputChannelCount: [1], processorOptions: {mixer}});
      const ranOutHandler = (event) => {
        asking = false;
        for (let i = 0; i < event.data.length; i += 2) ranOutQueue.push({slot: event.data[i], changes: event.data[i + 1]});
      };
      sink.onprocessorerror = () => console.warn('The sound stopped: its worklet failed');
      sink.port.onmessage = ranOutHandler;
      sink.port.postMessage(level);
      sink.connect(context.destination);
      return context.sampleRate;
    } catch (error) {
      console.warn('No sound:', error);
      close();
      return 0;
    }
  }

  function close() {
    if (context) context.close();
    context = null;
    sink = null;
    asking = false;
    ranOutQueue.length = 0;
  }

  function change(kind, slot, arg, changes) {
    if (sink) sink.port.postMessage([kind, slot, arg, changes]);
  }

  // bytes: a copy of the sound, handed over to the worklet.
  function refill(slot, rate, channels, bits, bytes) {
    if (sink) sink.port.postMessage({slot, rate, channels, bits, bytes}, [bytes.buffer]);
  }

  function ranOut() {
    if (!sink) return null;
    const now = performance.now();
    if (!asking && now - askedAt >= kAskEveryMs) {
      asking = true;
      askedAt = now;
      sink.port.postMessage(null);
    }
    return ranOutQueue.shift() || null;
  }

  // Out of sight the sound stops where it is, as the game is not in front,
  // and goes on when the page is back.
  let pausedUnseen = false;

  function setLevel(percent) {
    level = percent;
    if (sink) sink.port.postMessage(level);
  }

  // Called on every click, tap and key, and when the page comes back.
  function resume() {
    if (!context || held || context.state !== 'suspended' || document.hidden) return;
    if (pausedUnseen || !navigator.userActivation || navigator.userActivation.hasBeenActive) {
      pausedUnseen = false;
      context.resume();
    }
  }

  document.addEventListener('visibilitychange', () => {
    if (!context) return;
    if (!document.hidden) {
      resume();
    } else if (context.state === 'running') {
      pausedUnseen = true;
      context.suspend();
    }
  });

  // The game's sound stands still while its clock does.
  function hold(on) {
    held = on;
    if (!context) return;
    if (on && context.state !== 'closed') {
      pausedUnseen = true;
      context.suspend();
    } else if (!on) {
      resume();
    }
  }

  return {available, open, close, change, refill, ranOut, resume, setLevel, hold};
})();
