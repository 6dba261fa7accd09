// Touch: a finger's landing aims and fires at its point through the mouse
// the game already reads; a moving finger drags the crosshair; the Reload
// control clicks the right button.
#pragma once

namespace webhost {

// A finger landed at (x, y) on the 800 x 600 picture.
void QueueTap(int x, int y);
// A finger that drags is now at (x, y); only its latest point matters.
void QueueDrag(int x, int y);
// The Reload control: the right button clicked.
void QueueReload();
// Hand the mouse the next step of the oldest touch, once per frame: called
// on every pump, it acts only on the first pump after a frame was
// presented, which comes before that next frame reads the mouse.
void StepTaps();
void TapFramePresented();
// The mouse or a pad moved the crosshair: the next touch finds it afresh.
void CrosshairMovedElsewhere();

}  // namespace webhost
