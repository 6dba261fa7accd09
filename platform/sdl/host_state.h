// State shared by the SDL host's parts: one window, one renderer, one audio
// device. Everything but the audio callback runs on the game's thread.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/settings/settings_file.h"

namespace sdlhost {

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;

struct HostState {
    bool videoTried = false;
    bool videoReady = false;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool textureIs555 = false;
    bool windowed = false;
    bool pointerVisible = false;
    bool closeSent = false;
    // Foreground as last told to the platform; focus events that arrive
    // while the window changes mode are ignored until focusQuietUntil.
    bool foreground = true;
    uint32_t focusQuietUntil = 0;
    SDL_AudioDeviceID audio = 0;
    platform::settings::SettingsFile settings;
};

HostState& State();

// SDL video started once, on first need; false when there is no display.
bool EnsureVideo();

// Close the audio device and the window and leave SDL.
void Shutdown();

// Window parts (window.cpp, window_icon.cpp).
void ToggleWindowed();
void ApplyMouseMode();
void SetWindowIcon(SDL_Window* window);

// Drawing (present.cpp): show the platform's last frame again; or draw it
// without showing it yet, for something to be drawn over it.
void Redraw();
void ComposeLastFrame();

// Frame statistics (frame_stats.cpp), gathered only when debugging.
void StatsPresentBegin();
void StatsPresentEnd();
void StatsTick();
void StatsReport();

}  // namespace sdlhost
