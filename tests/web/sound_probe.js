// Installed by the sound test before the page's own scripts: the page's
// output node also feeds the test's tap (sound_tap.js, served by the test
// from the page's origin), and the wall-clock time of every mousedown is
// recorded. The page is not told.
(() => {
  const addModule = AudioWorklet.prototype.addModule;
  AudioWorklet.prototype.addModule = function (url, options) {
    return addModule.call(this, "sound_tap.js").then(() => addModule.call(this, url, options));
  };

  const found = { context: null, tap: null, loud: [], captures: [], runs: [], reports: [], downs: [] };
  const ints = (samples) => Array.from(samples, (s) => Math.round(s * 32768));
  const connect = AudioNode.prototype.connect;
  const Node = window.AudioWorkletNode;
  window.AudioWorkletNode = class extends Node {
    constructor(context, name, options) {
      super(context, name, options);
      if (name !== "kalvenor-sink") return;
      found.context = context;
      const tap = new Node(context, "sound-tap", { numberOfInputs: 1, numberOfOutputs: 1, outputChannelCount: [1] });
      tap.port.onmessage = (e) => {
        if (e.data.samples) found.captures.push(ints(e.data.samples));
        else if (e.data.run) found.runs.push(ints(e.data.run));
        else if (e.data.report) found.reports.push(e.data.report);
        else found.loud.push(e.data);
      };
      connect.call(this, tap);
      connect.call(tap, context.destination);
      found.tap = tap;
    }
  };

  window.addEventListener("mousedown", () => found.downs.push(Date.now()), true);

  function take(name) {
    const list = found[name];
    found[name] = [];
    return list;
  }

  Object.defineProperty(window, "__soundProbe", {
    value: {
      context: () => found.context && { rate: found.context.sampleRate, state: found.context.state,
                                        base: found.context.baseLatency, output: found.context.outputLatency },
      arm: (order) => found.tap && (found.tap.port.postMessage(order), true),
      take,
    },
  });
})();
