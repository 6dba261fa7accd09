// The canvas: the game's frames, and the pointer over them.
'use strict';

const KalvenorScreen = (() => {
  const kWidth = 800;
  const kHeight = 600;
  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d', {alpha: false});
  let image = null;
  let imageBuffer = null;
  let imageAddress = -1;

  // The game's RGBA pixels, read in place from the module's memory; the
  // view is made again only when that memory grows or the pixels move.
  function present(buffer, address) {
    if (buffer !== imageBuffer || address !== imageAddress) {
      image = new ImageData(new Uint8ClampedArray(buffer, address, kWidth * kHeight * 4), kWidth, kHeight);
      imageBuffer = buffer;
      imageAddress = address;
    }
    context.putImageData(image, 0, 0);
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

  return {canvas, present, showPointer, pictureAt};
})();
