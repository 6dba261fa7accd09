// The page's controller: the first standard-mapped gamepad connected plays,
// read through the Gamepad API when the game asks, once a frame; and a line
// of help naming it while it is there.
'use strict';

const KalvenorGamepad = (() => {
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

  // Fills `axes` with the playing pad's first axes, and `buttons` with a
  // value and a pressed flag for each of its first buttons, as many as the
  // host asks for and numbered as the standard mapping numbers them; the
  // pad's timestamp goes to stamp[0]. 0 when no pad plays.
  function read(axes, buttons, stamp) {
    // The browser announces every pad it lets the page see, one plugged in
    // before the page opened too; until then there is nothing to read.
    if (!connected.length) return 0;
    const pad = playing(navigator.getGamepads() || []);
    if (!pad) return 0;
    for (let i = 0; i < axes.length; ++i) axes[i] = pad.axes[i] || 0;
    for (let i = 0; 2 * i < buttons.length; ++i) {
      const button = pad.buttons[i];
      const object = button && typeof button === 'object';
      buttons[2 * i] = object ? button.value : (button || 0);
      buttons[2 * i + 1] = object && button.pressed ? 1 : 0;
    }
    stamp[0] = pad.timestamp || 0;
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

  // The pad that plays now, for the settings dialog to read while the game waits.
  function pad() {
    return available && connected.length ? playing(navigator.getGamepads() || []) : null;
  }

  return {read, pad};
})();
