#include "app/static_objects.h"
#include "display/blit.h"
#include "display/display.h"
#include "effects/translucent_box.h"
#include "game/game.h"
#include "text/bitmap_font.h"

namespace {

constexpr RECT kCartridgeSprite{30, 48, 46, 88};
constexpr LONG kCartridgeLeft = 260;
constexpr LONG kCartridgeSpacing = 20;
constexpr LONG kCartridgeTop = 10;
constexpr LONG kMarkLeft = 10;
constexpr LONG kMarkSpacing = 30;
constexpr LONG kMarkTop = 54;
constexpr RECT kStatisticsBox{100, 175, 700, 455};
constexpr uint32_t kBoxColour = 0;
constexpr LONG kLabelX = 270;
constexpr LONG kValueX = 480;
constexpr LONG kShotsY = 250;
constexpr LONG kHitsY = 285;
constexpr LONG kMissesY = 320;

}  // namespace

void Game::DrawScore() {
    gFont.DrawText(10, 6, "Score:", kLargeFont, 0);
    gFont.DrawNumber(140, 6, score, kLargeFont, 0);
    for (int32_t i = 0; i < presidentHits; ++i) {
        gFont.DrawText(kMarkLeft + kMarkSpacing * i, kMarkTop, "X", kLargeFont, 0);
    }
}

// The round in the chamber is not shown: one cartridge fewer than roundsLeft.
void Game::DrawRoundsLeft() {
    for (int32_t i = 0; i < roundsLeft - 1; ++i) {
        ClippedBlit(kCartridgeLeft + kCartridgeSpacing * i, kCartridgeTop, kCartridgeSprite,
                    lpDDSSprites, BackBuffer, DDBLTFAST_SRCCOLORKEY);
    }
}

void Game::DrawStatistics() {
    TranslucentBox(kStatisticsBox.left, kStatisticsBox.top, kStatisticsBox.right,
                   kStatisticsBox.bottom, kBoxColour);
    gFont.DrawText(kLabelX, kShotsY, "Shots Fired:", kLargeFont, 0);
    gFont.DrawText(kLabelX, kHitsY, "Hits:", kLargeFont, 0);
    gFont.DrawText(kLabelX, kMissesY, "Misses:", kLargeFont, 0);
    gFont.DrawNumber(kValueX, kShotsY, shotsFired, kLargeFont, 0);
    gFont.DrawNumber(kValueX, kHitsY, hits, kLargeFont, 0);
    gFont.DrawNumber(kValueX, kMissesY, shotsFired - hits, kLargeFont, 0);
}
