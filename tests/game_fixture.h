// Recording stand-ins for the display, the surfaces, the font tables and
// the sounds, so game rules can be checked call by call without a device.
#pragma once

#include "app/app.h"
#include "app/static_objects.h"
#include "display/display.h"
#include "game/actor_list.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "sound/sound_bank.h"
#include "text/bitmap_font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace gametest {

struct BlitCall {
    LONG x;
    LONG y;
    RECT src;
    LPDIRECTDRAWSURFACE source;
    DWORD flags;
};

class RecordingDisplay : public Display {
public:
    HRESULT Blit(LONG x, LONG y, RECT srcRect, LPDIRECTDRAWSURFACE source, LPDIRECTDRAWSURFACE,
                 DWORD flags) override {
        blits.push_back({x, y, srcRect, source, flags});
        return DD_OK;
    }
    HRESULT Present() override {
        ++presents;
        return DD_OK;
    }

    std::vector<BlitCall> From(const IDirectDrawSurface* source) const {
        std::vector<BlitCall> found;
        for (const BlitCall& call : blits) {
            if (call.source == source) found.push_back(call);
        }
        return found;
    }

    std::vector<BlitCall> blits;
    int presents = 0;
};

struct StretchCall {
    RECT dest;
    RECT src;
    LPDIRECTDRAWSURFACE source;
    DWORD flags;
    DDBLTFX fx;
};

// A surface that answers like the stretching blitter: a destination that is
// empty or leaves the 800 x 600 buffer is refused. Lock fails, so code that
// writes pixels itself draws nothing.
class FakeSurface : public IDirectDrawSurface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFGUID, void**) override { return E_FAIL; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Blt(LPRECT dest, LPDIRECTDRAWSURFACE source, LPRECT src, DWORD flags,
                                  LPDDBLTFX fx) override {
        if (flags & DDBLT_COLORFILL) {
            ++fills;
            return DD_OK;
        }
        if (dest == nullptr || src == nullptr || fx == nullptr) return DDERR_INVALIDPARAMS;
        if (dest->left < 0 || dest->top < 0 || dest->right > 800 || dest->bottom > 600 ||
            dest->right <= dest->left || dest->bottom <= dest->top) {
            ++refused;
            return DDERR_INVALIDRECT;
        }
        stretches.push_back({*dest, *src, source, flags, *fx});
        return DD_OK;
    }
    HRESULT STDMETHODCALLTYPE BltFast(DWORD, DWORD, LPDIRECTDRAWSURFACE, LPRECT, DWORD) override {
        return DD_OK;
    }
    HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE, DWORD) override { return DD_OK; }
    HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS, LPDIRECTDRAWSURFACE*) override {
        return DDERR_NOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE GetDC(HDC*) override { return DDERR_GENERIC; }
    HRESULT STDMETHODCALLTYPE GetPixelFormat(LPDDPIXELFORMAT) override { return DDERR_GENERIC; }
    HRESULT STDMETHODCALLTYPE GetSurfaceDesc(LPDDSURFACEDESC) override { return DDERR_GENERIC; }
    HRESULT STDMETHODCALLTYPE Lock(LPRECT, LPDDSURFACEDESC, DWORD, HANDLE) override {
        return DDERR_SURFACEBUSY;
    }
    HRESULT STDMETHODCALLTYPE ReleaseDC(HDC) override { return DD_OK; }
    HRESULT STDMETHODCALLTYPE Restore() override { return DD_OK; }
    HRESULT STDMETHODCALLTYPE SetColorKey(DWORD, LPDDCOLORKEY) override { return DD_OK; }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID) override { return DD_OK; }

    std::vector<StretchCall> stretches;
    int refused = 0;
    int fills = 0;
};

// Every sound event of the fake buffers, as "name:play", "name:loop" or
// "name:stop", in the order they happened.
inline std::vector<std::string>& SoundLog() {
    static std::vector<std::string> log;
    return log;
}

class FakeSoundBuffer : public IDirectSoundBuffer {
public:
    explicit FakeSoundBuffer(std::string soundName) : name(std::move(soundName)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFGUID, void**) override { return E_FAIL; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) override {
        *status = 0;
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE Lock(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) override {
        return DSERR_INVALIDPARAM;
    }
    HRESULT STDMETHODCALLTYPE Play(DWORD, DWORD, DWORD flags) override {
        SoundLog().push_back(name + (flags & DSBPLAY_LOOPING ? ":loop" : ":play"));
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD) override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE Stop() override {
        SoundLog().push_back(name + ":stop");
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE Restore() override { return DS_OK; }

    std::string name;
};

struct FakeSample {
    explicit FakeSample(const char* name) : buffer(name), slot(&buffer) {
        std::memset(&sample, 0, sizeof(sample));
        sample.waveData = wave;
        sample.waveSize = sizeof(wave);
        sample.bufferCount = 1;
        sample.buffers = &slot;
    }
    FakeSoundBuffer buffer;
    LPDIRECTSOUNDBUFFER slot;
    BYTE wave[4] = {};
    SoundSample sample;
};

// Puts every global the game reads into a known state before each test and
// takes the fakes out again afterwards.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedDisplay = ActiveDisplay;
        ActiveDisplay = &display;
        BackBuffer = &backBuffer;
        lpDDSSprites = &sprites;
        lpDDSDesert = &desert;
        lpDDSIntroPic = &introPic;
        lpDDSVillain = &villain;
        lpDDSPresident = &president;
        lpDDSFonts = &fonts;

        gSoundBank.shot = &shot.sample;
        gSoundBank.click = &click.sample;
        gSoundBank.reload = &reload.sample;
        gSoundBank.hit1 = &hit1.sample;
        gSoundBank.hit2 = &hit2.sample;
        gSoundBank.hit3 = &hit3.sample;
        gSoundBank.wrong = &wrong.sample;
        gSoundBank.intro = &intro.sample;
        SoundLog().clear();

        // Every glyph 20 pixels wide, so text can be read back from the
        // cells the font blits.
        std::memset(glyphWidths, 20, sizeof(glyphWidths));
        gFont.glyphWidths = glyphWidths;
        gFont.firstRow = firstRow;
        gFont.glyphsPerRow = glyphsPerRow;
        gFont.fontCount = 2;

        gActors.Clear();
        gGame = Game();
        gInput.cursorX = 320;
        gInput.cursorY = 240;
        gInput.leftButton = 0;
        gInput.rightButton = 0;
        std::memset(gInput.keyState, 0, sizeof(gInput.keyState));
        frameCount = 0;
        anyKeyDown = 0;
        srand(1);
    }

    void TearDown() override {
        gActors.Clear();
        gFont.glyphWidths = nullptr;
        gFont.firstRow = nullptr;
        gFont.glyphsPerRow = nullptr;
        gFont.fontCount = 0;
        gSoundBank.shot = gSoundBank.click = gSoundBank.reload = nullptr;
        gSoundBank.hit1 = gSoundBank.hit2 = gSoundBank.hit3 = nullptr;
        gSoundBank.wrong = gSoundBank.intro = nullptr;
        BackBuffer = nullptr;
        lpDDSSprites = lpDDSDesert = lpDDSIntroPic = nullptr;
        lpDDSVillain = lpDDSPresident = lpDDSFonts = nullptr;
        ActiveDisplay = savedDisplay;
    }

    // The texts drawn this far, one string per run of font cells on a line,
    // with the position of its first cell.
    struct Text {
        LONG x;
        LONG y;
        std::string text;
    };
    std::vector<Text> Texts() const {
        std::vector<Text> texts;
        LONG expectedX = 0;
        for (const BlitCall& call : display.blits) {
            if (call.source != &fonts) continue;
            const char c = GlyphAt(call.src);
            const LONG space = call.src.top >= firstRow[1] ? 12 : 16;
            if (!texts.empty() && texts.back().y == call.y && call.x == expectedX) {
                texts.back().text += c;
            } else if (!texts.empty() && texts.back().y == call.y && call.x == expectedX + space) {
                texts.back().text += ' ';
                texts.back().text += c;
            } else {
                texts.push_back({call.x, call.y, std::string(1, c)});
            }
            expectedX = call.x + 20 + (call.src.top >= firstRow[1] ? -1 : 0);
        }
        return texts;
    }
    bool Shows(const std::string& text, LONG x, LONG y) const {
        for (const Text& t : Texts()) {
            if (t.text == text && t.x == x && t.y == y) return true;
        }
        return false;
    }
    bool ShowsText(const std::string& text) const {
        for (const Text& t : Texts()) {
            if (t.text == text) return true;
        }
        return false;
    }

    int SoundCount(const std::string& event) const {
        int n = 0;
        for (const std::string& e : SoundLog()) n += e == event;
        return n;
    }

    RecordingDisplay display;
    FakeSurface backBuffer, sprites, desert, introPic, villain, president, fonts;
    FakeSample shot{"shot"}, click{"click"}, reload{"reload"}, hit1{"hit1"}, hit2{"hit2"},
        hit3{"hit3"}, wrong{"wrong"}, intro{"intro"};

private:
    char GlyphAt(RECT src) const {
        const int font = src.top >= firstRow[1] ? 1 : 0;
        const int cellWidth = font == 0 ? 32 : 24;
        const int cellHeight = font == 0 ? 38 : 24;
        const int g = (src.top - firstRow[font]) / cellHeight * glyphsPerRow[font] + src.left / cellWidth;
        return static_cast<char>(g + kFirstGlyphCode);
    }

    Display* savedDisplay = nullptr;
    uint8_t glyphWidths[2 * kGlyphCount];
    int32_t firstRow[2] = {0, 190};
    int32_t glyphsPerRow[2] = {20, 26};
};

}  // namespace gametest
