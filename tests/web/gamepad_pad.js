// Installed by the gamepad test before the page's own scripts: one scripted
// controller in the standard mapping, offered through the Gamepad API as a
// browser offers a real one, and held by the test through __kalvenorTestPad.
(() => {
  const buttons = [];
  for (let i = 0; i < 17; ++i) buttons.push({pressed: false, touched: false, value: 0});
  const pad = {id: 'Scripted pad (STANDARD GAMEPAD)', index: 0, connected: true, mapping: 'standard',
               axes: [0, 0, 0, 0], buttons, timestamp: 0, vibrationActuator: null};
  // How long the game has seen the stick pushed: each look counts the time
  // since the one before it, up to the longest step the game's motion takes
  // (kLongestAimStepMs), so late frames on a busy machine count as they move.
  const kLongestAimStepMs = 250;
  let lastLook = null;
  let pushedMs = 0;
  let looks = 0;
  let restingSince = 0;
  // Presses let go after the game has looked at them a few times: a quick
  // press by the game's frames, however late the page's timers run.
  const later = [];
  // A brush of one button, let go by the pad's own clock, and a stall of the
  // page that begins once the game has seen it down.
  let brush = null;
  Object.defineProperty(Navigator.prototype, 'getGamepads', {
    configurable: true,
    value: () => {
      const now = performance.now();
      if (brush && brush.seen && now >= brush.upAt) {
        buttons[brush.index] = {pressed: false, touched: false, value: 0};
        pad.timestamp = brush.upAt;
        brush = null;
      } else if (brush && !brush.seen) {
        brush.seen = true;
        const stallMs = brush.stallMs;
        setTimeout(() => {
          const end = performance.now() + stallMs;
          while (performance.now() < end);
        }, 0);
      }
      if (pad.axes[0] !== 0 && lastLook !== null) pushedMs += Math.min(now - lastLook, kLongestAimStepMs);
      lastLook = now;
      looks += 1;
      for (const step of later) if (step.looks-- === 0) step.then();
      for (let i = later.length - 1; i >= 0; --i) if (later[i].looks < 0) later.splice(i, 1);
      return [pad.connected ? pad : null, null, null, null];
    },
  });
  let jank = 0;

  window.__kalvenorTestPad = {
    connect() {
      pad.connected = true;
      const event = new Event('gamepadconnected');
      event.gamepad = pad;
      window.dispatchEvent(event);
    },
    // Unplugged, with whatever it held still held.
    disconnect() {
      pad.connected = false;
      const event = new Event('gamepaddisconnected');
      event.gamepad = pad;
      window.dispatchEvent(event);
    },
    set(index, value) {
      buttons[index] = {pressed: value > 0.5, touched: value > 0, value};
      pad.timestamp = performance.now();
    },
    // A press the game sees for `looks` of its looks, then let go.
    press(index, looks) {
      this.set(index, 1);
      later.push({looks, then: () => { buttons[index] = {pressed: false, touched: false, value: 0}; }});
    },
    // Down for `brushMs` by the pad's clock, the page stalled `stallMs` just
    // after the game first sees it: the let-go is found after the stall.
    brushBeforeStall(index, brushMs, stallMs) {
      this.set(index, 1);
      brush = {index, upAt: performance.now() + brushMs, stallMs, seen: false};
    },
    brushDone: () => brush === null,
    // Held for `looks`, then unplugged with the button still down.
    unplugHeld(index, looks) {
      this.set(index, 1);
      later.push({looks, then: () => {
        pad.connected = false;
        setTimeout(() => this.disconnect(), 0);
      }});
    },
    // The left stick at x for `ms`, then back to rest.
    stick(x, ms) {
      pushedMs = 0;
      pad.axes[0] = x;
      restingSince = Infinity;
      setTimeout(() => { pad.axes[0] = 0; restingSince = looks; }, ms);
    },
    pushedMs: () => pushedMs,
    // The stick is back at rest and the game has drawn a frame since.
    rested: () => looks > restingSince + 1,
    // Every `everyMs` the page's thread is kept busy `busyMs`: frames late.
    jank(everyMs, busyMs) {
      clearInterval(jank);
      if (!everyMs) return;
      jank = setInterval(() => {
        const end = performance.now() + busyMs;
        while (performance.now() < end);
      }, everyMs);
    },
  };
})();
