// The game's message boxes: a modal dialog over the picture; the game waits
// until the player dismisses it.
'use strict';

const KalvenorMessageBox = (() => {
  const dialog = document.getElementById('message');

  function show(text, caption) {
    if (document.pointerLockElement) document.exitPointerLock();
    document.getElementById('message-title').textContent = caption;
    document.getElementById('message-text').textContent = text;
    return new Promise((resolve) => {
      dialog.addEventListener('close', () => resolve(), {once: true});
      dialog.showModal();
      document.getElementById('message-ok').focus();
    });
  }

  function isOpen() {
    return dialog.open;
  }

  return {show, isOpen};
})();
