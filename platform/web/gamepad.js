// The page's controller: the first standard-mapped gamepad connected plays,
// read through the Gamepad API when the game asks, once a frame; and a line
// of help naming it while it is there.
'use strict';

const KalvenorGamepad = (() => {
  // Standard mapping: buttons 0 A, 2 X, 5 right shoulder, 6 and 7 the
  // triggers, 8 Back, 9 Start, 12 to 15 the d-pad up, down, left, right.
  const kA = 0, kX = 2, kRightShoulder = 5, kLeftTrigger = 6, kRightTrigger = 7, kBack = 8, kStart = 9;
  const kUp = 12, kDown = 13, kLeft = 14, kRight = 15;
  // In the order of the host's reading (platform/controls/pad_reading.h):
  // four axes, two triggers, then the buttons.
  const kButtonOrder = [kA, kX, kRightShoulder, kStart, kBack, kUp, kDown, kLeft, kRight];
  const kHelp = ': the sticks aim (hold the left trigger for fine aim), A or the right trigger fires, ' +
      'X or the right shoulder reloads, Start starts a new game, Back held for a second quits.';

  const available = typeof navigator.getGamepads === 'function';
  // Indices of standard pads in the order they were connected.
  const connected = [];
  let help = null;

  function isStandard(pad) {
    return pad && pad.connected && pad.mapping === 'standard';
  }

  function showHelp(pad) {
    if (!help) {
      help = document.createElement('p');
      help.id = 'pad-help';
      document.body.appendChild(help);
    }
    help.textContent = pad ? pad.id + kHelp : '';
    help.hidden = !pad;
  }

  function playing(pads) {
    for (const index of connected) if (isStandard(pads[index])) return pads[index];
    return null;
  }

  function value(button) {
    return button ? (typeof button === 'object' ? button.value : button) : 0;
  }

  // Fills `out` (15 floats) from the pad that plays; 0 when there is none.
  function read(out) {
    // The browser announces every pad it lets the page see, one plugged in
    // before the page opened too; until then there is nothing to read.
    if (!connected.length) return 0;
    const pad = playing(navigator.getGamepads() || []);
    if (!pad) return 0;
    for (let i = 0; i < 4; ++i) out[i] = pad.axes[i] || 0;
    out[4] = value(pad.buttons[kLeftTrigger]);
    out[5] = value(pad.buttons[kRightTrigger]);
    kButtonOrder.forEach((button, i) => {
      const held = pad.buttons[button];
      out[6 + i] = held && (held.pressed || value(held) > 0.5) ? 1 : 0;
    });
    return 1;
  }

  if (available) {
    window.addEventListener('gamepadconnected', (event) => {
      const pad = event.gamepad;
      if (pad.mapping !== 'standard') return;
      if (!connected.includes(pad.index)) connected.push(pad.index);
      showHelp(playing(navigator.getGamepads() || []) || pad);
    });
    window.addEventListener('gamepaddisconnected', (event) => {
      const at = connected.indexOf(event.gamepad.index);
      if (at >= 0) connected.splice(at, 1);
      showHelp(playing(navigator.getGamepads() || []));
    });
  }

  return {read};
})();
