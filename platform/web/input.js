// The page's listeners: keys, the mouse under pointer lock and the
// foreground; touch.js hands in the taps and drags, queued for the game to
// take when it next looks.
'use strict';

const KalvenorInput = (() => {
  // Event kinds as the host reads them (web_event.h).
  const kKeyDown = 1;
  const kKeyUp = 2;
  const kMotion = 3;
  const kButton = 4;
  const kForeground = 5;
  const kTap = 6;
  const kReload = 7;
  const kDrag = 8;
  const kSettings = 9;
  // An Escape this soon after the pointer was freed is the one the browser
  // took to free it.
  const kEscapeTakenMs = 250;
  // Keys left to the browser: reload, full screen, developer tools.
  const kBrowserKeys = new Set(['F5', 'F11', 'F12']);
  // Keys that work a focused button of the page (the Reload control).
  const kButtonKeys = new Set(['Enter', 'NumpadEnter', 'Space']);
  // DOM button numbers to the game's: left, middle, right, back.
  const kButtons = {0: 0, 1: 2, 2: 1, 3: 3};

  const canvas = KalvenorScreen.canvas;
  const canLock = 'requestPointerLock' in Element.prototype;
  const queue = [];
  const keysDown = new Set();
  const buttonsDown = new Set();
  let running = false;
  let focused = true;
  let foreground = !document.hidden;
  let unlockedAt = -Infinity;
  let escapeTaken = false;
  let onLockChange = () => {};

  function push(kind, a, b, code) {
    if (running) queue.push({kind, a, b, code});
  }

  function locked() {
    return document.pointerLockElement === canvas;
  }

  function lock() {
    if (!canLock || locked()) return;
    const request = canvas.requestPointerLock();
    if (request && request.catch) request.catch(() => {});
  }

  // Buttons held when the pointer is freed, and keys too when the page
  // loses the keyboard, are let go: their releases will go elsewhere.
  function releaseButtons() {
    for (const index of buttonsDown) push(kButton, index, 0);
    buttonsDown.clear();
  }

  function releaseAll() {
    for (const code of keysDown) push(kKeyUp, 0, 0, code);
    keysDown.clear();
    releaseButtons();
  }

  function settleForeground() {
    const now = focused && !document.hidden;
    if (now === foreground) return;
    foreground = now;
    if (!now) releaseAll();
    push(kForeground, now ? 1 : 0, 0);
  }

  function gesture() {
    KalvenorSound.resume();
  }

  function blocked() {
    return !running || KalvenorMessageBox.isOpen() || KalvenorSettings.isOpen();
  }

  document.addEventListener('keydown', (event) => {
    if (blocked()) return;
    gesture();
    if (event.target instanceof HTMLButtonElement && kButtonKeys.has(event.code)) return;
    // The menu's key is the page's: it opens the settings.
    if (event.code === KalvenorSettings.menuKey) {
      event.preventDefault();
      if (!event.repeat) KalvenorSettings.request();
      return;
    }
    if (event.code === 'Escape' &&
        (locked() || performance.now() - unlockedAt < kEscapeTakenMs)) {
      escapeTaken = true;
      if (locked()) document.exitPointerLock();
      event.preventDefault();
      return;
    }
    if (!event.ctrlKey && !event.metaKey && !kBrowserKeys.has(event.code)) event.preventDefault();
    keysDown.add(event.code);
    push(kKeyDown, event.repeat ? 1 : 0, 0, event.code);
  });

  document.addEventListener('keyup', (event) => {
    if (blocked()) return;
    if (event.code === 'Escape' && escapeTaken) {
      escapeTaken = false;
      return;
    }
    if (!keysDown.delete(event.code)) return;
    push(kKeyUp, 0, 0, event.code);
  });

  // The click that takes the pointer is not a shot. Its default prevented,
  // it would leave the keys with the page around another site's frame.
  canvas.addEventListener('mousedown', (event) => {
    window.focus();
    if (blocked() || locked()) return;
    gesture();
    lock();
    event.preventDefault();
  });

  document.addEventListener('mousedown', (event) => {
    if (blocked() || !locked()) return;
    gesture();
    const index = kButtons[event.button];
    if (index === undefined) return;
    buttonsDown.add(index);
    push(kButton, index, 1);
  });

  document.addEventListener('mouseup', (event) => {
    const index = kButtons[event.button];
    if (index === undefined || !buttonsDown.delete(index)) return;
    push(kButton, index, 0);
  });

  document.addEventListener('mousemove', (event) => {
    if (blocked() || !locked()) return;
    if (event.movementX !== 0 || event.movementY !== 0) push(kMotion, event.movementX, event.movementY);
  });

  canvas.addEventListener('contextmenu', (event) => event.preventDefault());

  document.addEventListener('pointerlockchange', () => {
    if (!locked()) {
      unlockedAt = performance.now();
      releaseButtons();
    }
    onLockChange();
  });

  window.addEventListener('focus', () => {
    focused = true;
    settleForeground();
  });
  window.addEventListener('blur', () => {
    focused = false;
    settleForeground();
  });
  document.addEventListener('visibilitychange', settleForeground);

  return {
    canLock,
    blocked,
    gesture,
    tap(x, y) {
      push(kTap, x, y);
    },
    reload() {
      push(kReload, 0, 0);
    },
    drag(x, y) {
      push(kDrag, x, y);
    },
    // What is held is let go first: the game waits with nothing down.
    askSettings() {
      releaseAll();
      push(kSettings, 0, 0);
    },
    lock,
    locked,
    start() {
      running = true;
      if (!foreground) push(kForeground, 0, 0);
    },
    setLockListener(listener) {
      onLockChange = listener;
    },
    stop() {
      running = false;
      queue.length = 0;
      if (locked()) document.exitPointerLock();
    },
    next() {
      return queue.shift() || null;
    },
  };
})();
