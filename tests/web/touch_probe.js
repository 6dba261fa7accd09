// Installed by the touch test before the page's own scripts: every frame the
// page hands its canvas is timed, with a hash of each of the HUD's six
// cartridge slots; every touchstart is timed; and full screen is
// refused, each request counted. The page is not told.
(() => {
  const kSlots = 6, kSlotX = 260, kSlotStep = 20, kSlotY = 10, kSlotW = 16, kSlotH = 40, kWidth = 800;
  const frames = [];
  const touches = [];
  let fullScreenAsks = 0;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
    const slots = [];
    for (let s = 0; s < kSlots; ++s) {
      let hash = 0;
      for (let y = kSlotY; y < kSlotY + kSlotH; ++y) {
        for (let x = kSlotX + s * kSlotStep; x < kSlotX + s * kSlotStep + kSlotW; ++x) {
          const i = (y * kWidth + x) * 4;
          hash = (hash * 31 + image.data[i] + image.data[i + 1] * 7 + image.data[i + 2] * 13) | 0;
        }
      }
      slots.push(hash);
    }
    frames.push([performance.now(), slots]);
    if (frames.length > 6000) frames.splice(0, 1000);
    return put.call(this, image, ...rest);
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
      fullScreenAsks: () => fullScreenAsks,
    },
  });
})();
