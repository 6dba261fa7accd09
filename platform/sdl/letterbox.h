// Where the 800 x 600 picture goes on an output of any size: as large as
// fits with its aspect kept, centred, black bars around it. The player may
// ask for whole multiples only (sharp) or smoothing always (smooth).
#pragma once

#include "platform/settings/settings.h"

namespace sdlhost {

struct Placement {
    int x, y, width, height;
    bool sharp;  // whole scale factor: nearest sampling keeps pixels crisp
};

inline Placement PlaceFrame(int outWidth, int outHeight, int frameWidth, int frameHeight,
                           platform::settings::Scale scale = platform::settings::Scale::Auto) {
    if (outWidth <= 0 || outHeight <= 0 || frameWidth <= 0 || frameHeight <= 0)
        return {0, 0, frameWidth, frameHeight, true};
    Placement p{};
    if (scale == platform::settings::Scale::Sharp) {
        int byWidth = outWidth / frameWidth, byHeight = outHeight / frameHeight;
        int factor = byWidth < byHeight ? byWidth : byHeight;
        // An output smaller than the frame still gets all of it, smoothed.
        if (factor >= 1) {
            p.width = frameWidth * factor;
            p.height = frameHeight * factor;
            p.x = (outWidth - p.width) / 2;
            p.y = (outHeight - p.height) / 2;
            p.sharp = true;
            return p;
        }
    }
    // Compare the two ratios by cross-multiplying, so no rounding decides
    // which side fills the output.
    if (static_cast<long long>(outWidth) * frameHeight <= static_cast<long long>(outHeight) * frameWidth) {
        p.width = outWidth;
        p.height = static_cast<int>(static_cast<long long>(frameHeight) * outWidth / frameWidth);
    } else {
        p.height = outHeight;
        p.width = static_cast<int>(static_cast<long long>(frameWidth) * outHeight / frameHeight);
    }
    p.x = (outWidth - p.width) / 2;
    p.y = (outHeight - p.height) / 2;
    p.sharp = scale != platform::settings::Scale::Smooth && p.width % frameWidth == 0 &&
              p.height % frameHeight == 0 && p.width / frameWidth == p.height / frameHeight;
    return p;
}

// The windowed size: the frame times the largest whole factor that fits the
// desktop, at least once.
inline int WindowFactor(int desktopWidth, int desktopHeight, int frameWidth, int frameHeight) {
    int byWidth = desktopWidth / frameWidth;
    int byHeight = desktopHeight / frameHeight;
    int factor = byWidth < byHeight ? byWidth : byHeight;
    return factor < 1 ? 1 : factor;
}

}  // namespace sdlhost
