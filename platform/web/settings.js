// The player's settings: a dialog built from the module's own table of
// fields, each change used at once and kept in localStorage as the same ini
// text the desktop keeps in its file. While it is open the game waits, its
// clock and its sound still. Keys, mouse, touch and the pad all work it.
'use strict';

const KalvenorSettings = (() => {
  const kStoreKey = 'kalvenor.settings';
  const kMenuKey = 'F10';
  // The standard mapping's buttons the dialog answers to.
  const kPadA = 0, kPadB = 1, kPadUp = 12, kPadDown = 13, kPadLeft = 14, kPadRight = 15;
  const kListening = 'Press a key';

  const dialog = document.getElementById('settings');
  const fieldsBox = document.getElementById('settings-fields');
  const why = document.getElementById('settings-why');
  const unsaved = document.getElementById('settings-unsaved');
  const closeButton = document.getElementById('settings-close');
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  const controls = new Map();
  let module = null;
  let stored = '';
  let keeps = true;
  let asked = false;
  let listening = null;
  let padHeld = [];
  let padPressedHere = new Set();

  // A call of the module's: `input` goes into its room first.
  function call(exported, input, arg) {
    if (input !== undefined) {
      const bytes = encoder.encode(input);
      const at = module._kv_settings_room(bytes.length);
      module.HEAPU8.set(bytes, at);
    }
    const at = exported(arg);
    return decoder.decode(module.HEAPU8.subarray(at, at + module._kv_settings_out_size()));
  }

  function refused() {
    keeps = false;
    unsaved.hidden = false;
  }

  // A private window, a full quota or a page without storage: the settings
  // last for the session.
  function readStored() {
    try {
      const text = window.localStorage.getItem(kStoreKey);
      return typeof text === 'string' ? text : '';
    } catch (error) {
      refused();
      return '';
    }
  }

  function keep(text) {
    stored = text;
    if (!keeps) return;
    try {
      window.localStorage.setItem(kStoreKey, text);
    } catch (error) {
      refused();
    }
  }

  function fields() {
    return JSON.parse(call(module._kv_settings_fields));
  }

  function change(name, value) {
    const answer = call(module._kv_settings_set, name + value, encoder.encode(name).length);
    why.textContent = answer ? controls.get(name).label + ': ' + answer : '';
    why.hidden = !answer;
    refresh();
    const text = call(module._kv_settings_text, stored);
    if (text !== stored) keep(text);
  }

  function showValue(field) {
    const c = controls.get(field.name);
    if (c.kind === 'flag') c.input.checked = field.value === field.choices[1];
    else if (c.kind === 'key') c.input.textContent = c.input === listening ? kListening : field.value;
    else c.input.value = field.value;
    if (c.shown) c.shown.textContent = field.value;
  }

  function refresh() {
    for (const field of fields()) showValue(field);
  }

  function listen(button) {
    listening = button;
    button.textContent = kListening;
  }

  function stopListening() {
    listening = null;
    refresh();
  }

  function makeControl(field) {
    const row = document.createElement('label');
    row.className = 'setting';
    const label = document.createElement('span');
    label.textContent = field.label;
    row.appendChild(label);
    let input;
    let shown = null;
    if (field.kind === 'number' || field.kind === 'whole') {
      input = document.createElement('input');
      input.type = 'range';
      input.min = field.low;
      input.max = field.high;
      input.step = field.step;
      input.addEventListener('input', () => change(field.name, input.value));
      shown = document.createElement('output');
    } else if (field.kind === 'flag') {
      input = document.createElement('input');
      input.type = 'checkbox';
      input.addEventListener('change', () => change(field.name, field.choices[input.checked ? 1 : 0]));
    } else if (field.kind === 'key') {
      input = document.createElement('button');
      input.type = 'button';
      input.addEventListener('click', () => listen(input));
      input.addEventListener('blur', () => { if (listening === input) stopListening(); });
    } else {
      input = document.createElement('select');
      for (const choice of field.choices) input.appendChild(new Option(choice, choice));
      input.addEventListener('change', () => change(field.name, input.value));
    }
    input.name = field.name;
    row.appendChild(input);
    if (shown) row.appendChild(shown);
    fieldsBox.appendChild(row);
    controls.set(field.name, {kind: field.kind, label: field.label, input, shown});
  }

  function focusables() {
    return [...controls.values()].map((c) => c.input).concat(closeButton);
  }

  function moveFocus(by) {
    const all = focusables();
    const at = all.indexOf(document.activeElement);
    all[(at + by + all.length) % all.length].focus();
  }

  // Left and right step a slider or a list, as the arrow keys do.
  function stepFocused(by) {
    const input = document.activeElement;
    if (input.type === 'range') {
      if (by > 0) input.stepUp(); else input.stepDown();
      input.dispatchEvent(new Event('input'));
    } else if (input instanceof HTMLSelectElement) {
      const index = Math.min(input.options.length - 1, Math.max(0, input.selectedIndex + by));
      if (index === input.selectedIndex) return;
      input.selectedIndex = index;
      input.dispatchEvent(new Event('change'));
    }
  }

  // A pad button acts as it is let go, so the game never finds it held.
  const padActions = new Map([
    [kPadUp, () => moveFocus(-1)],
    [kPadDown, () => moveFocus(1)],
    [kPadLeft, () => stepFocused(-1)],
    [kPadRight, () => stepFocused(1)],
    [kPadA, () => document.activeElement.click()],
    [kPadB, () => dialog.close()],
  ]);

  function padButtons() {
    const pad = KalvenorGamepad.pad();
    return pad ? pad.buttons.map((b) => (typeof b === 'object' ? b.pressed : b > 0.5)) : [];
  }

  function readPad() {
    if (!dialog.open) return;
    const now = padButtons();
    for (const [index, act] of padActions) {
      if (now[index] && !padHeld[index]) padPressedHere.add(index);
      if (!now[index] && padPressedHere.delete(index)) act();
    }
    padHeld = now;
    requestAnimationFrame(readPad);
  }

  dialog.addEventListener('keydown', (event) => {
    if (listening) {
      event.preventDefault();
      event.stopPropagation();
      const button = listening;
      stopListening();
      change(button.name, event.code);
      return;
    }
    if (event.code === kMenuKey) {
      event.preventDefault();
      dialog.close();
    } else if (event.code === 'Enter' || event.code === 'NumpadEnter') {
      // Enter works the control it is on, and never closes the dialog unasked.
      if (event.target instanceof HTMLButtonElement) return;
      event.preventDefault();
      if (event.target.type === 'checkbox') event.target.click();
    }
  }, {capture: true});

  dialog.addEventListener('close', () => {
    listening = null;
    asked = false;
    KalvenorSound.hold(false);
  });

  // The game's wait: the dialog until the player closes it.
  function show() {
    if (document.pointerLockElement) document.exitPointerLock();
    KalvenorSound.hold(true);
    why.hidden = true;
    refresh();
    padHeld = padButtons();
    padPressedHere = new Set();
    return new Promise((resolve) => {
      dialog.addEventListener('close', () => resolve(), {once: true});
      dialog.showModal();
      focusables()[0].focus();
      requestAnimationFrame(readPad);
    });
  }

  // The player asks: the game opens the dialog as it next looks at its input.
  function request() {
    if (!module || asked || dialog.open || KalvenorInput.blocked()) return;
    asked = true;
    KalvenorInput.askSettings();
  }

  // Before the game runs: the stored settings used, their faults told.
  function start(started) {
    module = started;
    stored = readStored();
    for (const line of call(module._kv_settings_load, stored).split('\n')) {
      if (line) console.warn(kStoreKey + ' ' + line);
    }
    for (const field of fields()) makeControl(field);
    refresh();
  }

  for (const opener of document.querySelectorAll('.settings-open')) {
    opener.addEventListener('touchstart', (event) => {
      event.preventDefault();
      request();
    }, {passive: false});
    opener.addEventListener('click', (event) => {
      event.currentTarget.blur();
      request();
    });
  }

  return {
    start,
    show,
    request,
    isOpen: () => dialog.open,
    menuKey: kMenuKey,
  };
})();
