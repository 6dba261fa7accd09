// Fingers on the picture: every finger that lands aims and fires where it
// lands, at once, whatever other fingers are down; one that then travels
// drags the crosshair and fires no more. The Reload controls reload.
'use strict';

const KalvenorTouch = (() => {
  // A finger that travels farther than this from where it landed drags; a
  // resting thumb's tremor stays within it.
  const kStillPx = 24;
  // Where a refusal of full screen is kept for the rest of the session.
  const kRefusedKey = 'kalvenor-fullscreen-refused';

  const canvas = KalvenorScreen.canvas;
  const reloadButtons = document.querySelectorAll('.reload');
  const portrait = matchMedia('(orientation: portrait)');
  // The fingers on the picture: where each landed, and whether it drags.
  const fingers = new Map();
  let seen = false;
  let askedFullScreen = refusedBefore();
  let onFirstTouch = () => {};

  function refusedBefore() {
    try {
      return sessionStorage.getItem(kRefusedKey) !== null;
    } catch (error) {
      return false;
    }
  }

  function keepRefusal() {
    try {
      sessionStorage.setItem(kRefusedKey, '1');
    } catch (error) {
      // Without storage the refusal is kept for this page only.
    }
  }

  function firstTouch() {
    if (seen) return;
    seen = true;
    onFirstTouch();
  }

  // Upright, the first tap asks for the whole screen turned on its side,
  // once: a player who refused is not asked again.
  function turnToLandscape() {
    if (!portrait.matches || askedFullScreen || document.fullscreenElement) return;
    askedFullScreen = true;
    const request = document.documentElement.requestFullscreen && document.documentElement.requestFullscreen();
    if (!request || !request.then) return;
    request.then(() => {
      if (screen.orientation && screen.orientation.lock) return screen.orientation.lock('landscape');
      return null;
    }).catch(keepRefusal);
  }

  canvas.addEventListener('touchstart', (event) => {
    event.preventDefault();
    firstTouch();
    if (KalvenorInput.blocked()) return;
    KalvenorInput.gesture();
    for (const touch of event.changedTouches) {
      fingers.set(touch.identifier, {x: touch.clientX, y: touch.clientY, drags: false});
      const at = KalvenorScreen.pictureAt(touch.clientX, touch.clientY);
      if (at) KalvenorInput.tap(at.x, at.y);
    }
  }, {passive: false});

  canvas.addEventListener('touchmove', (event) => {
    event.preventDefault();
    for (const touch of event.changedTouches) {
      const finger = fingers.get(touch.identifier);
      if (!finger) continue;
      finger.drags = finger.drags || Math.hypot(touch.clientX - finger.x, touch.clientY - finger.y) > kStillPx;
      const at = finger.drags && !KalvenorInput.blocked() && KalvenorScreen.pictureAt(touch.clientX, touch.clientY);
      if (at) KalvenorInput.drag(at.x, at.y);
    }
  }, {passive: false});

  function lifted(event) {
    for (const touch of event.changedTouches) fingers.delete(touch.identifier);
  }

  canvas.addEventListener('touchend', (event) => {
    event.preventDefault();
    lifted(event);
    // A touch lets the page play sound and go full screen only once the
    // finger is lifted.
    KalvenorInput.gesture();
    turnToLandscape();
  }, {passive: false});
  canvas.addEventListener('touchcancel', lifted);

  // Touched, a control acts as the thumb lands; its default prevented, no
  // click follows. A mouse click or a key works it as any button.
  for (const button of reloadButtons) {
    button.addEventListener('touchstart', (event) => {
      event.preventDefault();
      firstTouch();
      if (KalvenorInput.blocked()) return;
      KalvenorInput.gesture();
      KalvenorInput.reload();
    }, {passive: false});
    button.addEventListener('touchend', (event) => {
      event.preventDefault();
      KalvenorInput.gesture();
    }, {passive: false});
    button.addEventListener('click', () => {
      if (!KalvenorInput.blocked()) KalvenorInput.reload();
    });
  }

  return {
    touched: () => seen,
    setFirstTouchListener(listener) {
      onFirstTouch = listener;
    },
  };
})();
