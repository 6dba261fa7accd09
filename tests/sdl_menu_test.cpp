// The desktop host's settings menu worked by a controller alone: SDL's
// virtual controller on an offscreen window, one menu frame at a time.
#include <SDL.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/host.h"
#include "platform/sdl/host_state.h"
#include "platform/sdl/menu.h"
#include "platform/settings/active.h"
#include "platform/settings/settings_file.h"
#include "support/virtual_pad.h"

namespace {

// Down for two menu frames and up for two, as a thumb presses.
void Press(kalvenor_test::VirtualPad& pad, SDL_GameControllerButton button) {
    pad.Button(button, true);
    sdlhost::MenuFrame();
    sdlhost::MenuFrame();
    pad.Button(button, false);
    sdlhost::MenuFrame();
    sdlhost::MenuFrame();
}

std::string Read(const std::string& path) {
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

TEST(SdlMenu, ThePadAloneMovesChangesAndClosesAndTheGameStandsStillMeanwhile) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // An offscreen window never has the focus, without which SDL drops a
    // controller's events.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
    char folder[] = "/tmp/kalvenor-menu-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/settings.ini";
    sdlhost::HostState& s = sdlhost::State();
    platform::settings::LoadFile(&s.settings, path);
    s.windowed = true;
    host::WindowShown(true);
    ASSERT_NE(s.renderer, nullptr) << SDL_GetError();
    kalvenor_test::VirtualPad pad;
    host::PumpEvents();  // starts the controllers
    pad.Plug();
    host::PumpEvents();

    sdlhost::OpenMenu();
    ASSERT_TRUE(sdlhost::MenuOpen());
    // The player sees the menu before pressing anything.
    sdlhost::MenuFrame();
    sdlhost::MenuFrame();
    uint32_t stood = GetTickCount();
    for (int row = 0; row < 4; ++row) Press(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Press(pad, SDL_CONTROLLER_BUTTON_A);  // the fifth row: Mute
    EXPECT_TRUE(platform::settings::Active().mute) << "a change acts at once";
    Press(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Press(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Press(pad, SDL_CONTROLLER_BUTTON_A);  // Game speed: +
    EXPECT_EQ(platform::settings::Active().gameSpeed, 100) << "already at its most";
    Press(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    Press(pad, SDL_CONTROLLER_BUTTON_A);  // Game speed: -
    EXPECT_EQ(GetTickCount(), stood);
    EXPECT_TRUE(Read(path).empty()) << "saved only when the menu closes";
    Press(pad, SDL_CONTROLLER_BUTTON_B);
    EXPECT_FALSE(sdlhost::MenuOpen());
    std::string saved = Read(path);
    EXPECT_NE(saved.find("\nmute = true\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\ngame_speed = 90\n"), std::string::npos) << saved;

    sdlhost::Shutdown();
    std::system((std::string("rm -rf '") + folder + "'").c_str());
}

}  // namespace
