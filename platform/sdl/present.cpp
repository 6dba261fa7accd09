// Showing a frame: upload the 16-bit pixels as they are into a streaming
// texture of the same layout and draw it letterboxed.
#include <cstdint>

#include "platform/host.h"
#include "platform/host_events.h"
#include "platform/sdl/host_state.h"
#include "platform/sdl/letterbox.h"
#include "platform/settings/active.h"

namespace sdlhost {

namespace {

bool EnsureTexture(bool is555) {
    HostState& s = State();
    if (s.texture && s.textureIs555 == is555) return true;
    if (s.texture) SDL_DestroyTexture(s.texture);
    s.texture = SDL_CreateTexture(s.renderer, is555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565,
                                  SDL_TEXTUREACCESS_STREAMING, kFrameWidth, kFrameHeight);
    s.textureIs555 = is555;
    return s.texture != nullptr;
}

bool Compose(const uint16_t* pixels, int32_t pitchBytes, bool is555) {
    HostState& s = State();
    if (!s.renderer || !pixels || pitchBytes < kFrameWidth * 2) return false;
    if (!EnsureTexture(is555)) return false;
    SDL_UpdateTexture(s.texture, nullptr, pixels, pitchBytes);

    int outW = 0, outH = 0;
    if (SDL_GetRendererOutputSize(s.renderer, &outW, &outH) != 0) return false;
    Placement place = PlaceFrame(outW, outH, kFrameWidth, kFrameHeight, platform::settings::Active().scale);
    SDL_SetTextureScaleMode(s.texture, place.sharp ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_Rect dst{place.x, place.y, place.width, place.height};
    SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
    SDL_RenderClear(s.renderer);
    SDL_RenderCopy(s.renderer, s.texture, nullptr, &dst);
    return true;
}

void Draw(const uint16_t* pixels, int32_t pitchBytes, bool is555) {
    if (Compose(pixels, pitchBytes, is555)) SDL_RenderPresent(State().renderer);
}

}  // namespace

void ComposeLastFrame() {
    int32_t pitch = 0;
    bool is555 = false;
    const uint16_t* pixels = platform::LastFrame(&pitch, &is555);
    if (pixels && Compose(pixels, pitch, is555)) return;
    HostState& s = State();
    if (!s.renderer) return;
    SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
    SDL_RenderClear(s.renderer);
}

void Redraw() {
    ComposeLastFrame();
    if (State().renderer) SDL_RenderPresent(State().renderer);
}

}  // namespace sdlhost

namespace host {

void PresentFrame(const uint16_t* pixels, int32_t pitchBytes, int width, int height, bool is555) {
    if (width != sdlhost::kFrameWidth || height != sdlhost::kFrameHeight) return;
    sdlhost::StatsPresentBegin();
    sdlhost::Draw(pixels, pitchBytes, is555);
    sdlhost::StatsPresentEnd();
}

}  // namespace host
