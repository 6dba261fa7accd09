// Drawing of the screens and the head-up display, other than the figures.
#pragma once

#include <windows.h>

void DrawBackdrop();
void DrawIntroPicture();
void DrawCrosshair();
void DrawMuzzleFlash(LONG top);
// The slogan and credit line shown while E and P are held.
void DrawDedication();
