// Averaging a colour into a rectangle of the back buffer.
#pragma once

#include <ddraw.h>

#include <cstdint>

HRESULT TranslucentBox(LONG left, LONG top, LONG right, LONG bottom, uint32_t colour);
