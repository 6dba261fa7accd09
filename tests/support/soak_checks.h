// The game's invariants, checked from outside between frames. Each check
// returns an empty string when it holds, otherwise what is wrong.
#pragma once

#include <string>

#include "platform/headless/headless.h"

namespace kalvenor_test {

std::string CheckCursor();
std::string CheckRounds();
// The ring from head holds gActors.count actors, linked both ways, and every
// figure is within its lifetime and dying animation.
std::string CheckActors();
// No pixel of the fill that restored surface memory starts with.
std::string CheckDrawnCompletely(const headless::Frame& frame);
// Every surface slot answers a Lock, i.e. none is lost.
bool SurfacesUsable();

}  // namespace kalvenor_test
