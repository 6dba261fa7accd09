#include "game/screens.h"

#include "app/static_objects.h"
#include "display/blit.h"
#include "display/display.h"
#include "input/input_devices.h"
#include "text/bitmap_font.h"

namespace {

constexpr RECT kFullScreen{0, 0, 800, 600};
constexpr RECT kCrosshairSprite{0, 0, 48, 50};
constexpr LONG kFlashLeft = 12;
constexpr LONG kFlashSize = 8;
constexpr LONG kFlashOffsetX = 20;
constexpr LONG kFlashOffsetY = 24;
constexpr char kSlogan[] = "Stop terrorism worldwide!";
constexpr char kCredit[] = "Kalvenor team, 2026";

}  // namespace

void DrawBackdrop() {
    ClippedBlit(0, 0, kFullScreen, lpDDSDesert, BackBuffer, DDBLTFAST_NOCOLORKEY);
}

void DrawIntroPicture() {
    ActiveDisplay->Blit(0, 0, kFullScreen, lpDDSIntroPic, BackBuffer, DDBLTFAST_NOCOLORKEY);
}

void DrawCrosshair() {
    ClippedBlit(gInput.cursorX, gInput.cursorY, kCrosshairSprite, lpDDSSprites, BackBuffer, DDBLTFAST_SRCCOLORKEY);
}

void DrawMuzzleFlash(LONG top) {
    const RECT flash{kFlashLeft, top, kFlashLeft + kFlashSize, top + kFlashSize};
    ClippedBlit(gInput.cursorX + kFlashOffsetX, gInput.cursorY + kFlashOffsetY, flash, lpDDSSprites,
                BackBuffer, DDBLTFAST_SRCCOLORKEY);
}

void DrawDedication() {
    gFont.DrawText(130, 520, kSlogan, kSmallFont, 0);
    gFont.DrawText(130, 540, kCredit, kSmallFont, 0);
}
