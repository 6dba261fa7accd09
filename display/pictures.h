// The six pictures: each surface slot and the bitmap resource it holds.
#pragma once

#include <ddraw.h>

struct Picture {
    LPDIRECTDRAWSURFACE* slot;
    const char* name;
};

constexpr int kPictureCount = 6;

// In the order Display::LoadSurfaces loads them.
extern const Picture kPictures[kPictureCount];
