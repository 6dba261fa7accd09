// Fingers on the picture: one finger taps to aim and fire where it lands,
// two or more at once tap to reload, and the reload control does the same.
// A tap is decided when its fingers lift: only then is it known whether a
// second finger joins, and a quick tap lifts within a frame or two anyway.
'use strict';

const KalvenorTouch = (() => {
  // Fingers that land this close together are one tap.
  const kTogetherMs = 200;
  // A finger that travels farther than this is a swipe, not a tap.
  const kStillPx = 24;

  const canvas = KalvenorScreen.canvas;
  const reloadButton = document.getElementById('reload');
  const portrait = matchMedia('(orientation: portrait)');
  // Fingers of the tap under way: where each landed, and whether the tap is
  // spoiled (a swipe, a finger come late, a cancel).
  const fingers = new Map();
  let firstAt = 0;
  let firstPoint = null;
  let count = 0;
  let spoiled = false;
  let seen = false;
  let onFirstTouch = () => {};

  function firstTouch() {
    if (seen) return;
    seen = true;
    onFirstTouch();
  }

  function movedFar(touch) {
    const from = fingers.get(touch.identifier);
    return from && Math.hypot(touch.clientX - from.x, touch.clientY - from.y) > kStillPx;
  }

  // Upright, the first tap asks for the whole screen turned on its side.
  function turnToLandscape() {
    if (!portrait.matches || document.fullscreenElement) return;
    const request = document.documentElement.requestFullscreen && document.documentElement.requestFullscreen();
    if (!request || !request.then) return;
    request.then(() => {
      if (screen.orientation && screen.orientation.lock) return screen.orientation.lock('landscape');
      return null;
    }).catch(() => {});
  }

  function reset() {
    fingers.clear();
    count = 0;
    spoiled = false;
    firstPoint = null;
  }

  canvas.addEventListener('touchstart', (event) => {
    event.preventDefault();
    firstTouch();
    if (KalvenorInput.blocked()) return;
    KalvenorInput.gesture();
    const now = performance.now();
    if (fingers.size === 0) {
      reset();
      firstAt = now;
    } else if (now - firstAt > kTogetherMs) {
      spoiled = true;
    }
    for (const touch of event.changedTouches) {
      fingers.set(touch.identifier, {x: touch.clientX, y: touch.clientY});
      if (count === 0) firstPoint = {x: touch.clientX, y: touch.clientY};
      count++;
    }
  }, {passive: false});

  canvas.addEventListener('touchmove', (event) => {
    event.preventDefault();
    for (const touch of event.changedTouches) if (movedFar(touch)) spoiled = true;
  }, {passive: false});

  canvas.addEventListener('touchend', (event) => {
    event.preventDefault();
    // A touch lets the page play sound only once the finger is lifted.
    KalvenorInput.gesture();
    turnToLandscape();
    for (const touch of event.changedTouches) {
      if (movedFar(touch)) spoiled = true;
      fingers.delete(touch.identifier);
    }
    if (fingers.size > 0 || count === 0) return;
    if (!spoiled && !KalvenorInput.blocked()) {
      if (count >= 2) {
        KalvenorInput.reload();
      } else {
        const at = KalvenorScreen.pictureAt(firstPoint.x, firstPoint.y);
        if (at) KalvenorInput.tap(at.x, at.y);
      }
    }
    reset();
  }, {passive: false});

  // Nothing is pressed before the fingers lift, so a cancelled tap has
  // nothing to let go.
  canvas.addEventListener('touchcancel', () => reset());

  reloadButton.addEventListener('touchstart', (event) => {
    event.preventDefault();
    firstTouch();
    if (KalvenorInput.blocked()) return;
    KalvenorInput.gesture();
    KalvenorInput.reload();
  }, {passive: false});
  reloadButton.addEventListener('touchend', (event) => {
    event.preventDefault();
    KalvenorInput.gesture();
  }, {passive: false});

  return {
    touched: () => seen,
    setFirstTouchListener(listener) {
      onFirstTouch = listener;
    },
  };
})();
