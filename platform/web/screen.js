// The canvas: the game's frames, and the pointer over them.
'use strict';

const KalvenorScreen = (() => {
  const kWidth = 800;
  const kHeight = 600;
  const canvas = document.getElementById('screen');

  // The canvas goes to a worker that paints it, so that this thread, which
  // runs the game, only hands over what changed; a browser that cannot do
  // that has the page paint it at each display refresh.
  function worker() {
    if (typeof Worker !== 'function' || typeof canvas.transferControlToOffscreen !== 'function' ||
        typeof OffscreenCanvas !== 'function' || !new OffscreenCanvas(1, 1).getContext('2d')) return null;
    let painter;
    try {
      painter = new Worker('screen_worker.js');
    } catch (error) {
      return null;
    }
    painter.onerror = () => console.warn('The picture stopped: its worker failed');
    const offscreen = canvas.transferControlToOffscreen();
    painter.postMessage({canvas: offscreen}, [offscreen]);
    return painter;
  }

  // The frame's change, as the module tells it (present.cpp).
  function take(module) {
    const at = module._kv_frame_take();
    if (!at) return null;
    const [x, y, width, height, pixels, is555] = new Int32Array(module.HEAPU8.buffer, at, 6);
    if (width <= 0) return null;
    return {x, y, width, height, is555: is555 !== 0,
            pixels: new Uint16Array(module.HEAPU8.buffer, pixels, width * height)};
  }

  const painter = worker();
  const paint = painter ? null : KalvenorPainter(canvas);
  let module = null;
  // The worker paints one frame at a time; the newest waits meanwhile.
  let painting = false;
  let waiting = false;
  // The pixel buffer the worker handed back, for the next frame.
  let spare = null;
  // Frames the game has handed over, shown or not.
  let frames = 0;

  function send() {
    const frame = take(module);
    if (!frame) return;
    // A whole frame's room, so any change fits.
    const buffer = spare || new ArrayBuffer(kWidth * kHeight * 2);
    spare = null;
    new Uint16Array(buffer, 0, frame.pixels.length).set(frame.pixels);
    frame.pixels = buffer;
    painter.postMessage(frame, [buffer]);
    painting = true;
  }

  if (painter) {
    painter.onmessage = (event) => {
      spare = event.data;
      painting = false;
      if (waiting) {
        waiting = false;
        send();
      }
    };
  }

  function draw() {
    waiting = false;
    const frame = take(module);
    if (frame) paint(frame.x, frame.y, frame.width, frame.height, frame.pixels, frame.is555);
  }

  // The game's newest frame, taken when it can be painted: frames made
  // faster than that are never converted at all.
  function present(from) {
    frames += 1;
    module = from;
    if (waiting) return;
    if (!painter) {
      waiting = true;
      requestAnimationFrame(draw);
    } else if (painting) {
      waiting = true;
    } else {
      send();
    }
  }

  function showPointer(visible) {
    canvas.classList.toggle('no-pointer', !visible);
  }

  // A point of the page in the picture's pixels, or null outside it.
  function pictureAt(clientX, clientY) {
    const rect = canvas.getBoundingClientRect();
    if (rect.width <= 0 || rect.height <= 0) return null;
    const x = Math.floor((clientX - rect.left) * kWidth / rect.width);
    const y = Math.floor((clientY - rect.top) * kHeight / rect.height);
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return null;
    return {x, y};
  }

  // At a whole scale the pixels stay sharp; between, smoothing looks better.
  function settleScale() {
    const scale = canvas.getBoundingClientRect().width * devicePixelRatio / kWidth;
    canvas.classList.toggle('sharp', scale >= 1 && Math.abs(scale - Math.round(scale)) < 1e-3);
  }
  window.addEventListener('resize', settleScale);
  settleScale();

  return {canvas, present, showPointer, pictureAt, frames: () => frames};
})();
