#include "platform/sdl/menu.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/controls/key_table.h"
#include "platform/host_events.h"
#include "platform/sdl/audio_preview.h"
#include "platform/sdl/gamepad.h"
#include "platform/sdl/host_state.h"
#include "platform/sdl/key_map.h"
#include "platform/settings/active.h"
#include "platform/settings/settings_file.h"

namespace sdlhost {

namespace {

namespace ps = platform::settings;

// The menu looks at input this often; no game frame runs meanwhile.
constexpr Uint32 kMenuFrameMs = 10;
constexpr double kSpeedStep = 0.25;
constexpr int kVolumeStep = 10;
constexpr int kGameSpeedStep = 10;
// The menu's size at 600 pixels of height; it grows with the output.
constexpr float kMenuWidth = 430.0f;
constexpr float kBaseHeight = 600.0f;
constexpr float kMostScale = 3.0f;

enum class Capture { None, Key, PadButton };

struct Menu {
    bool open = false;
    bool focusFirst = false;
    ps::Settings editing;
    Capture capture = Capture::None;
    const ps::Field* capturing = nullptr;
    std::vector<SDL_Event> waiting;  // for the next frame
};

Menu gMenu;

bool Is(const ps::Field& f, const char* name) { return std::string_view(f.name) == name; }

// The other action's setting that holds `value` gives up its value to the
// one that takes it, so two actions never share a key or a button.
void Assign(const ps::Field& field, const std::string& value) {
    std::string old = ps::ValueText(gMenu.editing, field);
    bool anAction = field.kind == ps::Kind::KeyName || field.kind == ps::Kind::PadName;
    for (const ps::Field& other : ps::Fields()) {
        if (!anAction || &other == &field || other.kind != field.kind) continue;
        if (ps::ValueText(gMenu.editing, other) == value) {
            std::string why;
            ps::SetValue(&gMenu.editing, other.name, old, &why);
        }
    }
    std::string why;
    ps::SetValue(&gMenu.editing, field.name, value, &why);
}

void Step(const ps::Field& f, int direction) {
    ps::Settings& s = gMenu.editing;
    if (Is(f, "mouse_speed")) s.mouseSpeed = std::clamp(s.mouseSpeed + direction * kSpeedStep, f.low, f.high);
    if (Is(f, "pad_speed")) s.padSpeed = std::clamp(s.padSpeed + direction * kSpeedStep, f.low, f.high);
    if (Is(f, "volume")) {
        s.volume = std::clamp(s.volume + direction * kVolumeStep, int(f.low), int(f.high));
        PlayPreviewTone(s.mute ? 0 : s.volume);
    }
    if (Is(f, "game_speed")) s.gameSpeed = std::clamp(s.gameSpeed + direction * kGameSpeedStep, int(f.low), int(f.high));
}

void Cycle(const ps::Field& f) {
    std::string now = ps::ValueText(gMenu.editing, f);
    size_t at = 0;
    while (at < f.choices.size() && now != f.choices[at]) ++at;
    Assign(f, f.choices[(at + 1) % f.choices.size()]);
    if (Is(f, "mute")) PlayPreviewTone(gMenu.editing.mute ? 0 : gMenu.editing.volume);
}

void Row(const ps::Field& f) {
    ImGui::PushID(f.name);
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(f.label);
    ImGui::SameLine(ImGui::GetContentRegionAvail().x * 0.5f);
    std::string value = ps::ValueText(gMenu.editing, f);
    switch (f.kind) {
        case ps::Kind::Number:
        case ps::Kind::Whole:
            if (ImGui::Button(" - ")) Step(f, -1);
            ImGui::SameLine();
            ImGui::Text("%6s", value.c_str());
            ImGui::SameLine();
            if (ImGui::Button(" + ")) Step(f, 1);
            break;
        case ps::Kind::Flag:
            if (ImGui::Button(value == "true" ? "On" : "Off")) Cycle(f);
            break;
        case ps::Kind::Choice:
        case ps::Kind::PadName:
            if (gMenu.capturing == &f) {
                ImGui::Button("Press a controller button...");
            } else if (ImGui::Button(value.c_str())) {
                if (f.kind == ps::Kind::Choice) {
                    Cycle(f);
                } else {
                    gMenu.capture = Capture::PadButton;
                    gMenu.capturing = &f;
                }
            }
            break;
        case ps::Kind::KeyName:
            if (gMenu.capturing == &f) {
                ImGui::Button("Press a key...");
            } else if (ImGui::Button(value.c_str())) {
                gMenu.capture = Capture::Key;
                gMenu.capturing = &f;
            }
            break;
    }
    ImGui::PopID();
}

// The menu wants the pointer the game keeps captured.
void FreePointer() {
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
}

void CloseMenu() {
    HostState& s = State();
    gMenu.open = false;
    gMenu.waiting.clear();
    gMenu.capture = Capture::None;
    gMenu.capturing = nullptr;
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    ps::ChangeFile(&s.settings, gMenu.editing);
    // The press that closed the menu is the menu's, not a shot.
    HoldPadUntilLetGo();
    HoldGameSound(false);
    platform::HostPause(false);
    ApplyMouseMode();
    Redraw();
}

// Keys and buttons the menu takes before ImGui sees them: closing, and the
// key or button being chosen.
bool TakeEvent(const SDL_Event& e) {
    if (e.type == SDL_KEYDOWN && !e.key.repeat) {
        SDL_Scancode sc = e.key.keysym.scancode;
        if (gMenu.capture == Capture::Key) {
            const platform::Key* key = platform::FindKeyByUsage(sc);
            if (sc != SDL_SCANCODE_F10 && key != nullptr && key->codes.vk != 0) Assign(*gMenu.capturing, key->name);
            gMenu.capture = Capture::None;
            gMenu.capturing = nullptr;
            return true;
        }
        if (sc == SDL_SCANCODE_ESCAPE || sc == SDL_SCANCODE_F10) {
            CloseMenu();
            return true;
        }
    }
    if (e.type == SDL_CONTROLLERBUTTONDOWN) {
        if (gMenu.capture == Capture::PadButton) {
            const char* name = ps::PadButtonName(static_cast<platform::PadButton>(e.cbutton.button));
            if (name[0] != '\0') Assign(*gMenu.capturing, name);
            gMenu.capture = Capture::None;
            gMenu.capturing = nullptr;
            return true;
        }
        if (e.cbutton.button == SDL_CONTROLLER_BUTTON_B) {
            CloseMenu();
            return true;
        }
    }
    if (e.type == SDL_QUIT) {
        // Closing the window closes the menu first; the game then hears it.
        CloseMenu();
        SDL_Event again = e;
        SDL_PushEvent(&again);
        return true;
    }
    return false;
}

// ImGui's keyboard works a button with Space; players press Enter too.
const SDL_Event* EnterActs(const SDL_Event& e) {
    static SDL_Event asSpace;
    bool enter = (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) &&
                 (e.key.keysym.scancode == SDL_SCANCODE_RETURN || e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER);
    if (!enter) return &e;
    asSpace = e;
    asSpace.key.keysym.scancode = SDL_SCANCODE_SPACE;
    asSpace.key.keysym.sym = SDLK_SPACE;
    return &asSpace;
}

void DrawMenu() {
    HostState& s = State();
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(s.renderer, &outW, &outH);
    float scale = std::clamp(static_cast<float>(outH) / kBaseHeight, 1.0f, kMostScale);
    ImGui::GetIO().FontGlobalScale = scale;
    ImGui::SetNextWindowPos(ImVec2(outW * 0.5f, outH * 0.5f), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    ImGui::SetNextWindowSize(ImVec2(kMenuWidth * scale, 0));
    ImGui::Begin("Settings", nullptr,
                 ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize |
                     ImGuiWindowFlags_NoSavedSettings);
    if (gMenu.focusFirst) {
        ImGui::SetKeyboardFocusHere();
        gMenu.focusFirst = false;
    }
    for (const ps::Field& f : ps::Fields()) Row(f);
    ImGui::Separator();
    bool close = ImGui::Button("Close");
    ImGui::SameLine();
    ImGui::TextDisabled("Escape, F10 or B also close");
    ImGui::End();
    ImGui::Render();
    ComposeLastFrame();
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
    SDL_RenderPresent(s.renderer);
    if (close) CloseMenu();
}

}  // namespace

bool MenuOpen() { return gMenu.open; }

void OpenMenu() {
    HostState& s = State();
    if (gMenu.open || !s.window || !s.renderer) return;
    platform::HostPause(true);
    HoldGameSound(true);
    FreePointer();
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard | ImGuiConfigFlags_NavEnableGamepad;
    io.BackendFlags |= ImGuiBackendFlags_HasGamepad;
    ImGui::StyleColorsDark();
    ImGui_ImplSDL2_InitForSDLRenderer(s.window);
    ImGui_ImplSDLRenderer_Init(s.renderer);
    gMenu.editing = s.settings.settings;
    gMenu.focusFirst = true;
    gMenu.open = true;
}

void MenuFrame() {
    if (!gMenu.open) return;
    // ImGui reads keys as levels once a frame: a key let go in the frame it
    // went down would go unseen, so a key moves once a frame at most; a
    // second move waits for the next frame, and the events after it with it.
    std::vector<SDL_Event> events;
    events.swap(gMenu.waiting);
    SDL_Event e;
    while (SDL_PollEvent(&e)) events.push_back(e);
    std::vector<SDL_Scancode> moved;
    for (size_t i = 0; i < events.size() && gMenu.open; ++i) {
        const SDL_Event& event = events[i];
        if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
            SDL_Scancode sc = event.key.keysym.scancode;
            if (std::find(moved.begin(), moved.end(), sc) != moved.end()) {
                gMenu.waiting.assign(events.begin() + static_cast<std::ptrdiff_t>(i), events.end());
                break;
            }
            moved.push_back(sc);
        }
        if (TakeEvent(event)) continue;
        ImGui_ImplSDL2_ProcessEvent(EnterActs(event));
    }
    if (!gMenu.open) return;
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    ps::Settings before = gMenu.editing;
    DrawMenu();
    if (!gMenu.open) return;
    // Changes act at once: the volume is heard as it moves.
    if (!(gMenu.editing == before)) {
        bool screenChanged = gMenu.editing.fullscreen != before.fullscreen;
        ps::Apply(gMenu.editing);
        if (screenChanged && gMenu.editing.fullscreen == State().windowed) {
            ToggleWindowed();
            FreePointer();
        }
    }
}

void RunMenu() {
    OpenMenu();
    while (gMenu.open) {
        MenuFrame();
        SDL_Delay(kMenuFrameMs);
    }
}

}  // namespace sdlhost
