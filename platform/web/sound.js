// The sound output on the page's side: an AudioContext with our worklet,
// kept about 60 ms ahead by the game's own mixing. Browsers start sound
// only after a click or a key; until then the first block waits, so the
// intro's tune starts from its beginning at the player's first gesture.
'use strict';

const KalvenorSound = (() => {
  // Sound queued ahead: topped up to the most whenever it falls below the
  // least, so that blocks are few and about 60 ms wait on average.
  const kLeastAheadSeconds = 0.045;
  const kMostAheadSeconds = 0.075;
  let context = null;
  let sink = null;
  // Context time at which the sound queued so far runs out.
  let queueEnd = 0;

  function available() {
    return typeof AudioContext === 'function' && typeof AudioWorkletNode === 'function';
  }

  async function open() {
    if (!available()) return 0;
    try {
      context = new AudioContext({latencyHint: 'interactive'});
      await context.audioWorklet.addModule('audio_sink.js');
      sink = new AudioWorkletNode(context, 'kalvenor-sink',
          {numberOfInputs: 0, numberOfOutputs: 1, outputChannelCount: [1]});
      sink.connect(context.destination);
      queueEnd = 0;
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
  }

  function wanted() {
    if (!sink) return 0;
    const now = context.currentTime;
    if (queueEnd < now) queueEnd = now;
    const ahead = queueEnd - now;
    if (ahead >= kLeastAheadSeconds) return 0;
    return Math.ceil((kMostAheadSeconds - ahead) * context.sampleRate);
  }

  // samples: a view of the module's memory, copied before it moves on.
  function push(samples) {
    if (!sink) return;
    const block = samples.slice();
    queueEnd += block.length / context.sampleRate;
    sink.port.postMessage(block, [block.buffer]);
  }

  // Out of sight the sound stops where it is, as the game is not in front,
  // and goes on when the page is back.
  let pausedUnseen = false;

  // Called on every click, tap and key, and when the page comes back.
  function resume() {
    if (!context || context.state !== 'suspended' || document.hidden) return;
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

  return {available, open, close, wanted, push, resume};
})();
