// Touch: a tap aims and fires at the tapped point through the mouse the game
// already reads; a tap with two fingers presses the right button.
#pragma once

namespace webhost {

// A tap at (x, y) on the 800 x 600 picture.
void QueueTap(int x, int y);
// A tap with two or more fingers: the right button pressed, then released a
// frame later.
void QueueReload();
// Hand the mouse the next step of the oldest tap, once per frame: called on
// every pump, it acts only on the first pump after a frame was presented,
// which comes before that next frame reads the mouse.
void StepTaps();
void TapFramePresented();

}  // namespace webhost
