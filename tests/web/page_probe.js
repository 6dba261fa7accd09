// Installed by the browser test before the page's own scripts: whatever the
// page connects to a context's speakers is also fed to an analyser, whose
// level is sampled every 40 ms into a history the test reads; and every
// Content-Security-Policy violation is recorded. The page is not told and
// behaves as it would for a player.
(() => {
  const history = [];
  const analysers = [];
  const contexts = [];
  const connect = AudioNode.prototype.connect;
  const buffer = new Float32Array(2048);

  function analyserFor(context) {
    let entry = analysers.find((a) => a.context === context);
    if (!entry) {
      const node = new AnalyserNode(context, { fftSize: 2048 });
      entry = { context, node };
      analysers.push(entry);
    }
    return entry.node;
  }

  AudioNode.prototype.connect = function (destination, ...rest) {
    const result = connect.call(this, destination, ...rest);
    if (destination instanceof AudioDestinationNode) connect.call(this, analyserFor(destination.context));
    return result;
  };

  const Context = window.AudioContext;
  if (Context) {
    window.AudioContext = function (...args) {
      const context = new Context(...args);
      contexts.push(context);
      return context;
    };
    window.AudioContext.prototype = Context.prototype;
  }

  setInterval(() => {
    let rms = 0;
    for (const { node } of analysers) {
      node.getFloatTimeDomainData(buffer);
      let sum = 0;
      for (const s of buffer) sum += s * s;
      rms = Math.max(rms, Math.sqrt(sum / buffer.length));
    }
    history.push([Math.round(performance.now()), rms]);
    if (history.length > 4000) history.splice(0, 1000);
  }, 40);

  const violations = [];
  document.addEventListener("securitypolicyviolation", (e) => {
    violations.push(e.violatedDirective + " blocked " + (e.blockedURI || "inline code") + " at " +
                    e.sourceFile + ":" + e.lineNumber);
  });

  Object.defineProperty(window, "__kalvenorTestTap", {
    value: {
      states: () => contexts.map((c) => c.state),
      rates: () => contexts.map((c) => c.sampleRate),
      since: (t) => history.filter((h) => h[0] >= t),
      violations: () => violations,
    },
  });
})();
