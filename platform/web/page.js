// The page: checks what the browser offers, starts the game's module and
// says when the game has ended.
'use strict';

(() => {
  const body = document.body;
  const unsupported = document.getElementById('unsupported');
  const bar = document.getElementById('bar');
  const touchHelp = document.getElementById('touch-help');
  const reloadButtons = document.querySelectorAll('.reload');
  const touchSettings = document.getElementById('settings-open-touch');
  // A site's frame that does not allow full screen gets no button for it.
  document.getElementById('fullscreen').hidden = !document.fullscreenEnabled;
  // A phone or tablet speaks of fingers from the start; anything else once
  // its first touch comes.
  let touched = matchMedia('(pointer: coarse)').matches && !matchMedia('(any-pointer: fine)').matches;
  if (touched) body.classList.add('fingers');

  function note(text) {
    unsupported.textContent += (unsupported.textContent ? '\n' : '') + text;
    unsupported.hidden = false;
  }

  function cannotRun(text) {
    note(text);
    body.dataset.state = 'unsupported';
  }

  function updateBar() {
    const running = body.dataset.state === 'running';
    bar.hidden = !running || !KalvenorInput.canLock || touched || KalvenorInput.locked();
    // Whoever holds the pointer plays by mouse for now.
    touchHelp.hidden = !running || !touched || KalvenorInput.locked();
    for (const button of reloadButtons) button.hidden = !running || !KalvenorTouch.touched() || KalvenorInput.locked();
    touchSettings.hidden = !running || !touched || KalvenorInput.locked();
  }

  function ended() {
    KalvenorInput.stop();
    body.dataset.state = 'ended';
    updateBar();
    document.getElementById('ended').hidden = false;
    document.getElementById('restart').focus();
  }

  function stopped(what) {
    note('The game stopped: ' + what);
    ended();
  }

  // What the game's module asks of the page (host_library.js).
  const host = {
    nextEvent: KalvenorInput.next,
    present: KalvenorScreen.present,
    showPointer: KalvenorScreen.showPointer,
    openAudio: KalvenorSound.open,
    closeAudio: KalvenorSound.close,
    soundChange: KalvenorSound.change,
    soundRefill: KalvenorSound.refill,
    soundRanOut: KalvenorSound.ranOut,
    soundLevel: KalvenorSound.setLevel,
    showSettings: KalvenorSettings.show,
    messageBox: KalvenorMessageBox.show,
    debug: (text) => console.debug(text.replace(/\n$/, '')),
    ended,
  };

  function start() {
    // The module is made on this object, and it is the object's calls the
    // settings use.
    const module = {
      host,
      onRuntimeInitialized() {
        KalvenorSettings.start(module);
        body.dataset.state = 'running';
        KalvenorInput.start();
        updateBar();
      },
      onAbort: (what) => stopped(String(what)),
    };
    createKalvenor(module).catch((error) => stopped(String(error)));
  }

  document.getElementById('restart').addEventListener('click', () => location.reload());
  document.getElementById('fullscreen').addEventListener('click', (event) => {
    // Keys are for the game, not for pressing this button again.
    event.currentTarget.blur();
    const request = document.documentElement.requestFullscreen();
    if (request && request.catch) request.catch(() => {});
    KalvenorInput.lock();
  });
  KalvenorInput.setLockListener(updateBar);
  KalvenorTouch.setFirstTouchListener(() => {
    touched = true;
    body.classList.add('fingers');
    updateBar();
  });
  // A note on what the browser lacks makes way once the player starts.
  KalvenorScreen.canvas.addEventListener('pointerdown', () => {
    if (body.dataset.state === 'running') unsupported.hidden = true;
  });

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    cannotRun('This browser cannot run WebAssembly, which the game is made of.');
    return;
  }
  if (!KalvenorInput.canLock) {
    note('This browser cannot lock the mouse pointer, so the mouse cannot aim. Tap the picture to shoot.');
  }
  if (!KalvenorSound.available()) {
    note('This browser offers no AudioWorklet (pages from another machine need https://), so the game is silent.');
  }
  const script = document.createElement('script');
  script.src = 'kalvenor.js';
  script.onload = start;
  script.onerror = () => cannotRun('The game could not be loaded.');
  document.head.appendChild(script);
})();
