// Each size is drawn, not scaled: the sizes the program's icon holds are its
// very pictures; the larger ones are smoothed.
#include "desktop_icons.h"

#include <cstdint>
#include <vector>

#include "flag_icon.h"
#include "png_writer.h"

namespace kvart {
namespace {

// 192 and 512 are the sizes a browser asks for a page put on a home screen.
constexpr int kSizes[] = {16, 32, 48, 64, 128, 192, 256, 512};
// The largest size the icon resource holds.
constexpr int kLargestResourceSize = 48;

}  // namespace

bool WriteDesktopIcons(const std::string& dir) {
    bool ok = true;
    for (int size : kSizes) {
        FlagDrawing d = size <= kLargestResourceSize ? DrawFlag(size) : DrawSmoothFlag(size);
        std::vector<uint8_t> rgba;
        rgba.reserve(d.colour.size() * 4);
        for (size_t i = 0; i < d.colour.size(); ++i)
            rgba.insert(rgba.end(), {d.colour[i].r, d.colour[i].g, d.colour[i].b, d.alpha[i]});
        ok &= WritePng(dir + "kalvenor" + std::to_string(size) + ".png", size, size, rgba);
    }
    return ok;
}

}  // namespace kvart
