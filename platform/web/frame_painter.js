// Painting the game's 16-bit pixels on a 2D canvas: each becomes RGBA
// through a table made once per pixel layout, and only the rectangle that
// changed since the last frame is converted and put. The screen's worker
// paints with it, or the page itself where a canvas cannot be handed to one.
'use strict';

function KalvenorPainter(canvas) {
  const kWidth = 800;
  const kHeight = 600;
  const kOpaque = 0xFF000000;
  const context = canvas.getContext('2d', {alpha: false});
  const image = context.createImageData(kWidth, kHeight);
  const rgba = new Uint32Array(image.data.buffer);
  const table = new Uint32Array(1 << 16);
  let tableIs555 = null;

  // A channel of `bits` bits widened to 8, its high bits repeated below so
  // that full scale stays full.
  const widen = (value, bits) => (value << (8 - bits)) | (value >> (2 * bits - 8));

  function build(is555) {
    for (let p = 0; p < table.length; ++p) {
      const r = is555 ? widen((p >> 10) & 0x1F, 5) : widen(p >> 11, 5);
      const g = is555 ? widen((p >> 5) & 0x1F, 5) : widen((p >> 5) & 0x3F, 6);
      const b = widen(p & 0x1F, 5);
      // RGBA bytes as a little-endian word.
      table[p] = (kOpaque | (b << 16) | (g << 8) | r) >>> 0;
    }
    tableIs555 = is555;
  }

  // pixels: the changed rectangle's rows, one after another.
  return function paint(x, y, width, height, pixels, is555) {
    if (tableIs555 !== is555) build(is555);
    for (let row = 0; row < height; ++row) {
      const from = row * width;
      const to = (y + row) * kWidth + x;
      for (let i = 0; i < width; ++i) rgba[to + i] = table[pixels[from + i]];
    }
    context.putImageData(image, 0, 0, x, y, width, height);
  };
}
