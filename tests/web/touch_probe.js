// Installed by the touch test before the page's own scripts: every frame the
// page hands its canvas (or the worker that paints it) is timed, with a hash
// of each of the HUD's six cartridge slots; every touchstart is timed; and
// full screen is refused, each request counted. The page is not told.
(() => {
  const kSlots = 6, kSlotX = 260, kSlotStep = 20, kSlotY = 10, kSlotW = 16, kSlotH = 40, kWidth = 800;
  const frames = [];
  const touches = [];
  let fullScreenAsks = 0;
  function record(pixel) {
    const slots = [];
    for (let s = 0; s < kSlots; ++s) {
      let hash = 0;
      for (let y = kSlotY; y < kSlotY + kSlotH; ++y) {
        for (let x = kSlotX + s * kSlotStep; x < kSlotX + s * kSlotStep + kSlotW; ++x) {
          hash = (hash * 31 + pixel(y * kWidth + x)) | 0;
        }
      }
      slots.push(hash);
    }
    frames.push([performance.now(), slots]);
    if (frames.length > 6000) frames.splice(0, 1000);
  }
  // The page paints itself: RGBA.
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
    const data = image.data;
    record((i) => data[4 * i] + data[4 * i + 1] * 7 + data[4 * i + 2] * 13);
    return put.call(this, image, ...rest);
  };
  // The screen's worker paints: a changed rectangle of 16-bit pixels, laid
  // over the frames before it.
  const shown = new Uint16Array(kWidth * 600);
  const post = Worker.prototype.postMessage;
  Worker.prototype.postMessage = function (message, ...rest) {
    if (message && message.pixels instanceof ArrayBuffer) {
      const rows = new Uint16Array(message.pixels, 0, message.width * message.height);
      for (let y = 0; y < message.height; ++y) {
        shown.set(rows.subarray(y * message.width, (y + 1) * message.width), (message.y + y) * kWidth + message.x);
      }
      record((i) => shown[i]);
    }
    return post.call(this, message, ...rest);
  };
  addEventListener('touchstart', () => touches.push(performance.now()), {capture: true});
  Element.prototype.requestFullscreen = function () {
    fullScreenAsks += 1;
    return Promise.reject(new TypeError('refused by the test'));
  };
  Object.defineProperty(window, '__kalvenorTestTouch', {
    value: {
      lastTouch: () => touches[touches.length - 1],
      since: (t) => frames.filter((f) => f[0] >= t),
      // A still picture hands nothing over, so the frame before may be old.
      lastBefore: (t) => frames.filter((f) => f[0] < t).pop(),
      fullScreenAsks: () => fullScreenAsks,
    },
  });
})();
