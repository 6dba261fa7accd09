// Runs the game on the headless host through the same screens the Windows
// build is driven through, and writes what our platform presents:
//   intro.ppm     the title screen
//   playing.ppm   a playing frame with no figure yet, crosshair at its limit
//   gameover.ppm  the game-over screen of a game without a shot, once the
//                 last figure has gone
//   villain.ppm, president.ppm  the figures as the display holds them
// usage: wine_reference OUTPUT_DIR
#include <windows.h>
#include <ddraw.h>
#include <dinput.h>

#include <cstdio>
#include <string>

#include "app/static_objects.h"
#include "display/display.h"
#include "game/actor_list.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "support/game_run.h"
#include "wine/image.h"

namespace {

using namespace kalvenor_test;
using wine_check::Image;

constexpr uint32_t kIntroShot = 3;
constexpr uint32_t kLeaveIntro = 5;
constexpr uint32_t kAimAt = 6;
// The Windows run pushes the mouse far to the bottom right, which clamps the
// crosshair at its limit.
constexpr int32_t kFarMotion = 2000;
constexpr int32_t kCursorLimitX = 750;
constexpr int32_t kCursorLimitY = 550;
// A figure lives at most 150 frames after its game ends.
constexpr uint32_t kFiguresGone = 200;
constexpr uint32_t kLastFrame = 3500;

Image FromFrame(const headless::Frame& frame) {
    Image image = wine_check::MakeImage(headless::kScreenWidth, headless::kScreenHeight);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) wine_check::Set565(image, x, y, frame.At(x, y), frame.is555);
    }
    return image;
}

bool FromSurface(LPDIRECTDRAWSURFACE surface, bool is555, Image& image) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    if (surface == nullptr || surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return false;
    image = wine_check::MakeImage(static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight));
    const auto* bytes = static_cast<const uint8_t*>(desc.lpSurface);
    for (int y = 0; y < image.height; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(bytes + static_cast<ptrdiff_t>(y) * desc.lPitch);
        for (int x = 0; x < image.width; ++x) wine_check::Set565(image, x, y, row[x], is555);
    }
    surface->Unlock(nullptr);
    return true;
}

struct Saved {
    bool intro = false;
    bool playing = false;
    bool gameOver = false;
    bool figures = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    Saved saved;
    uint32_t gameOverAt = 0;
    uint32_t lastFrame = kLastFrame;
    auto save = [&](const char* name, const Image& image) {
        bool ok = wine_check::WritePpm(dir + "/" + name, image);
        if (!ok) std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), name);
        return ok;
    };

    GameRun run;
    run.At(kLeaveIntro, [] { TapKey(VK_SPACE, DIK_SPACE); });
    run.At(kAimAt, [] { MoveMouseBy(kFarMotion, kFarMotion); });
    run.EveryFrame([&](uint32_t presented, const headless::Frame& frame) {
        if (presented == kIntroShot) saved.intro = save("intro.ppm", FromFrame(frame));
        bool atLimit = gInput.cursorX == kCursorLimitX && gInput.cursorY == kCursorLimitY;
        if (gGame.state == Playing && !saved.playing && atLimit && gActors.count == 0) {
            saved.playing = save("playing.ppm", FromFrame(frame));
            Image villain, president;
            saved.figures = FromSurface(lpDDSVillain, frame.is555, villain) &&
                            FromSurface(lpDDSPresident, frame.is555, president) &&
                            save("villain.ppm", villain) && save("president.ppm", president);
        }
        if (gGame.state == GameOver && gameOverAt == 0) gameOverAt = presented;
        if (gameOverAt != 0 && presented >= gameOverAt + kFiguresGone && !saved.gameOver && gActors.count == 0) {
            saved.gameOver = save("gameover.ppm", FromFrame(frame));
            lastFrame = presented;
        }
        if (presented == lastFrame) PostQuitMessage(0);
    });
    int result = run.Run(0);
    bool all = saved.intro && saved.playing && saved.gameOver && saved.figures;
    if (!all) std::fprintf(stderr, "not every screen was reached\n");
    return result == 0 && all ? 0 : 1;
}
