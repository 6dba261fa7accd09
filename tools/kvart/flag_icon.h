// The game's icon picture, a small waving flag on its pole, drawn at any
// size: hard-edged for the program's icon images, smoothed for the large
// desktop icons.
#pragma once

#include <cstdint>
#include <vector>

#include "picture.h"

namespace kvart {

// Colour and opacity, top row first; the hard-edged drawing is fully opaque
// or fully transparent everywhere.
struct FlagDrawing {
    int size = 0;
    std::vector<Rgb> colour;
    std::vector<uint8_t> alpha;
};

// One sample per pixel, at its centre: the pictures of the icon resource.
FlagDrawing DrawFlag(int size);

// Many samples per pixel, soft edges and folds shaded: for the sizes the
// icon resource does not hold.
FlagDrawing DrawSmoothFlag(int size);

}  // namespace kvart
