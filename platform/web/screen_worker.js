// The screen's worker: it is handed the canvas once, then each frame's
// changed pixels, which it paints and hands back at once for the next
// frame, so the page's own thread never converts, puts or commits a
// picture. Handing them back only at the display's refresh would hold a
// shot's frame back by up to one refresh.
'use strict';

importScripts('frame_painter.js');

let paint = null;

onmessage = (event) => {
  const frame = event.data;
  if (frame.canvas) {
    paint = KalvenorPainter(frame.canvas);
    return;
  }
  paint(frame.x, frame.y, frame.width, frame.height, new Uint16Array(frame.pixels, 0, frame.width * frame.height),
        frame.is555);
  postMessage(frame.pixels, [frame.pixels]);
};
