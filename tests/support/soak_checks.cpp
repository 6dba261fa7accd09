#include "support/soak_checks.h"

#include <ddraw.h>

#include <algorithm>
#include <cstdint>

#include "app/static_objects.h"
#include "display/display.h"
#include "game/actor_list.h"
#include "game/figure_kind.h"
#include "game/figures.h"
#include "game/game.h"
#include "input/input_devices.h"

namespace kalvenor_test {
namespace {

// What a restored surface holds before anything is drawn into it.
constexpr uint16_t kRestoredFill = 0xF81F;

// The lifetime runs on while a figure dies: one hit in its last frames
// goes below zero by up to the animation's length.
constexpr int32_t kDyingFrames = kDyingStart / 2;

template <typename Figure>
std::string CheckFigure(const Figure& f) {
    const int32_t lowest = f.dyingCount == 0 ? 0 : -kDyingFrames;
    if (f.lifetime < lowest || f.lifetime > kFigureLifetime)
        return "lifetime " + std::to_string(f.lifetime) + " at dyingCount " + std::to_string(f.dyingCount);
    if (f.dyingCount < 0 || f.dyingCount > kDyingStart || f.dyingCount % 2 != 0)
        return "dyingCount " + std::to_string(f.dyingCount);
    return {};
}

}  // namespace

std::string CheckCursor() {
    if (gInput.cursorX < 0 || gInput.cursorX > kCursorMaxX || gInput.cursorY < 0 || gInput.cursorY > kCursorMaxY)
        return "cursor at " + std::to_string(gInput.cursorX) + ", " + std::to_string(gInput.cursorY);
    return {};
}

std::string CheckRounds() {
    if (gGame.roundsLeft < 0 || gGame.roundsLeft > kRoundsPerReload)
        return "roundsLeft " + std::to_string(gGame.roundsLeft);
    return {};
}

std::string CheckActors() {
    if (gActors.head == nullptr)
        return gActors.count == 0 ? std::string() : "empty ring, count " + std::to_string(gActors.count);
    // Walk at most one step past the count, so a broken ring cannot trap us.
    const int32_t limit = std::max(gActors.count, 0) + 1;
    int32_t seen = 0;
    const Actor* a = gActors.head;
    do {
        if (a->next == nullptr || a->next->prev != a) return "ring broken after actor " + std::to_string(seen);
        if (a->layer < 0 || a->layer >= kLayerCount) return "layer " + std::to_string(a->layer);
        std::string wrong;
        if (auto* v = dynamic_cast<const VillainFigure*>(a)) wrong = CheckFigure(*v);
        if (auto* p = dynamic_cast<const PresidentFigure*>(a)) wrong = CheckFigure(*p);
        if (!wrong.empty()) return "figure " + std::to_string(seen) + ": " + wrong;
        ++seen;
        a = a->next;
    } while (a != gActors.head && seen <= limit);
    if (seen != gActors.count)
        return "ring holds " + std::to_string(seen) + ", count " + std::to_string(gActors.count);
    return {};
}

std::string CheckDrawnCompletely(const headless::Frame& frame) {
    auto found = std::find(frame.pixels.begin(), frame.pixels.end(), kRestoredFill);
    if (found == frame.pixels.end()) return {};
    const auto index = static_cast<size_t>(found - frame.pixels.begin());
    return "undrawn pixel at " + std::to_string(index % headless::kScreenWidth) + ", " +
           std::to_string(index / headless::kScreenWidth);
}

bool SurfacesUsable() {
    for (LPDIRECTDRAWSURFACE s : {PrimarySurface, lpDDSFonts, lpDDSSprites, lpDDSDesert, lpDDSIntroPic,
                                  lpDDSVillain, lpDDSPresident}) {
        if (s == nullptr) return false;
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof(desc);
        if (s->Lock(NULL, &desc, DDLOCK_WAIT, NULL) != DD_OK) return false;
        s->Unlock(NULL);
    }
    return true;
}

}  // namespace kalvenor_test
