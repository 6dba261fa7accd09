// ClipToScreen and ClampRectToScreen: integer clipping against 800 x 600.
#include "display/blit.h"

#include <cstdint>

int ClipToScreen(RECT& srcRect, LONG& x, LONG& y) {
    // 64-bit arithmetic, so that extreme positions cannot wrap onto the screen.
    int64_t left = srcRect.left, top = srcRect.top, right = srcRect.right, bottom = srcRect.bottom;
    int64_t px = x, py = y;
    const int64_t w = right - left;
    const int64_t h = bottom - top;
    if (px >= kScreenWidth || px + w < 0 || py >= kScreenHeight || py + h < 0) return 0;
    if (px < 0) {
        left -= px;
        px = 0;
    }
    if (py < 0) {
        top -= py;
        py = 0;
    }
    if (px + (right - left) >= kScreenWidth) right = left - px + kScreenWidth;
    if (py + (bottom - top) >= kScreenHeight) bottom = top - py + kScreenHeight;
    srcRect = RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                   static_cast<LONG>(bottom)};
    x = static_cast<LONG>(px);
    y = static_cast<LONG>(py);
    return 1;
}

int ClampRectToScreen(RECT& rect) {
    if (rect.left >= kScreenWidth || rect.top >= kScreenHeight || rect.right < 0 || rect.bottom < 0) return 0;
    if (rect.left < 0) rect.left = 0;
    if (rect.top < 0) rect.top = 0;
    if (rect.right >= kScreenWidth) rect.right = kScreenWidth;
    if (rect.bottom >= kScreenHeight) rect.bottom = kScreenHeight;
    return 1;
}
