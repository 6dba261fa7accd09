// The window icon: the best image of the embedded icon 101.
#include <cstdint>

#include "platform/host_events.h"
#include "platform/sdl/host_state.h"
#include "platform/sdl/icon_decode.h"

namespace sdlhost {

namespace {

// Icon image ids are small; the group of icon 101 uses the first few.
constexpr int kMaxIconImageId = 32;

}  // namespace

void SetWindowIcon(SDL_Window* window) {
    IconPixels best;
    int bestScore = -1;
    for (int id = 1; id <= kMaxIconImageId; ++id) {
        uint32_t size = 0;
        const uint8_t* data = platform::IconImage(id, &size);
        IconPixels candidate;
        if (!data || !DecodeIconImage(data, size, &candidate)) continue;
        int score = IconPreference(candidate);
        if (score > bestScore) {
            bestScore = score;
            best = std::move(candidate);
        }
    }
    if (bestScore < 0) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(best.argb.data(), best.width, best.height, 32,
                                                              best.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

}  // namespace sdlhost
