// The SDL host's pure parts: the key map, where the frame goes on the
// screen, the icon image decoder and the tick.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "platform/sdl/icon_decode.h"
#include "platform/sdl/key_map.h"
#include "platform/sdl/letterbox.h"
#include "platform/sdl/tick.h"

namespace {

using sdlhost::KeyCodes;
using sdlhost::MapScancode;

TEST(SdlKeyMap, GameKeysHaveTheirCodes) {
    EXPECT_EQ(MapScancode(SDL_SCANCODE_ESCAPE).vk, VK_ESCAPE);
    EXPECT_EQ(MapScancode(SDL_SCANCODE_ESCAPE).dik, DIK_ESCAPE);
    EXPECT_EQ(MapScancode(SDL_SCANCODE_F1).vk, VK_F1);
    EXPECT_EQ(MapScancode(SDL_SCANCODE_F3).vk, VK_F3);
    EXPECT_EQ(MapScancode(SDL_SCANCODE_F11).vk, VK_F11);
    EXPECT_EQ(MapScancode(SDL_SCANCODE_E).dik, DIK_E);
    EXPECT_EQ(MapScancode(SDL_SCANCODE_P).dik, DIK_P);
    EXPECT_EQ(MapScancode(SDL_SCANCODE_LALT).vk, VK_MENU);
    EXPECT_EQ(MapScancode(SDL_SCANCODE_F10).vk, VK_F10);
}

TEST(SdlKeyMap, LettersDigitsAndFunctionKeysAreComplete) {
    for (int i = 0; i < 26; ++i) {
        KeyCodes k = MapScancode(SDL_SCANCODE_A + i);
        EXPECT_EQ(k.vk, 'A' + i);
        EXPECT_NE(k.dik, 0);
    }
    for (int i = 0; i < 9; ++i) EXPECT_EQ(MapScancode(SDL_SCANCODE_1 + i).vk, '1' + i);
    EXPECT_EQ(MapScancode(SDL_SCANCODE_0).vk, '0');
    for (int i = 0; i < 12; ++i) EXPECT_EQ(MapScancode(SDL_SCANCODE_F1 + i).vk, VK_F1 + i);
    EXPECT_EQ(MapScancode(SDL_SCANCODE_F12).dik, DIK_F12);
}

TEST(SdlKeyMap, EveryKeyHasItsOwnPositionAndNoneImitatesTheGameKeys) {
    std::set<int> positions;
    const std::set<int> special = {VK_ESCAPE, VK_F1, VK_F3, VK_F11};
    int mapped = 0;
    for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
        KeyCodes k = MapScancode(sc);
        if (k.vk == 0 && k.dik == 0) continue;
        ++mapped;
        EXPECT_NE(k.vk, 0) << "scancode " << sc;
        EXPECT_TRUE(positions.insert(k.dik).second) << "dik " << int(k.dik) << " twice";
        bool isSpecialKey = sc == SDL_SCANCODE_ESCAPE || sc == SDL_SCANCODE_F1 || sc == SDL_SCANCODE_F3 ||
                            sc == SDL_SCANCODE_F11;
        if (!isSpecialKey) {
            EXPECT_EQ(special.count(k.vk), 0u) << "scancode " << sc;
        }
    }
    EXPECT_GE(mapped, 104);  // a full-size keyboard
    EXPECT_EQ(MapScancode(SDL_SCANCODE_UNKNOWN).vk, 0);
    EXPECT_EQ(MapScancode(-1).vk, 0);
}

TEST(SdlLetterbox, WholeFactorsAreSharpAndFill) {
    sdlhost::Placement p = sdlhost::PlaceFrame(800, 600, 800, 600);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.width, 800);
    EXPECT_TRUE(p.sharp);
    p = sdlhost::PlaceFrame(1600, 1200, 800, 600);
    EXPECT_EQ(p.width, 1600);
    EXPECT_EQ(p.height, 1200);
    EXPECT_TRUE(p.sharp);
}

TEST(SdlLetterbox, WideScreensGetSideBarsAndSmoothScaling) {
    sdlhost::Placement p = sdlhost::PlaceFrame(1920, 1080, 800, 600);
    EXPECT_EQ(p.width, 1440);
    EXPECT_EQ(p.height, 1080);
    EXPECT_EQ(p.x, 240);
    EXPECT_EQ(p.y, 0);
    EXPECT_FALSE(p.sharp);
    // Taller than 4:3: bars above and below.
    p = sdlhost::PlaceFrame(1280, 1024, 800, 600);
    EXPECT_EQ(p.width, 1280);
    EXPECT_EQ(p.height, 960);
    EXPECT_EQ(p.y, 32);
    // 2x wide but only 1.8x tall: the height decides, not the width.
    p = sdlhost::PlaceFrame(1600, 1080, 800, 600);
    EXPECT_EQ(p.height, 1080);
    EXPECT_FALSE(p.sharp);
}

TEST(SdlLetterbox, DegenerateOutputsAndWindowFactors) {
    sdlhost::Placement p = sdlhost::PlaceFrame(0, 0, 800, 600);
    EXPECT_EQ(p.width, 800);
    EXPECT_EQ(sdlhost::WindowFactor(1920, 1080, 800, 600), 1);
    EXPECT_EQ(sdlhost::WindowFactor(2560, 1440, 800, 600), 2);
    EXPECT_EQ(sdlhost::WindowFactor(3840, 2160, 800, 600), 3);
    EXPECT_EQ(sdlhost::WindowFactor(640, 480, 800, 600), 1);
}

// An icon image as stored in RT_ICON: header with doubled height, palette,
// bottom-up colour rows, bottom-up AND mask rows.
std::vector<uint8_t> MakeIcon(int side, int bpp, int colors) {
    int colorStride = ((side * bpp + 31) / 32) * 4;
    int maskStride = ((side + 31) / 32) * 4;
    std::vector<uint8_t> b(40 + 4 * colors + (colorStride + maskStride) * side, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, side);
    put32(8, side * 2);
    b[12] = 1;
    b[14] = static_cast<uint8_t>(bpp);
    put32(32, colors);
    // Palette entry 1 is pure red (blue, green, red, 0).
    b[40 + 4 * 1 + 2] = 0xFF;
    size_t colorAt = 40 + 4 * colors;
    size_t maskAt = colorAt + colorStride * side;
    // The top row (stored last) is colour 1 throughout; everything else 0.
    for (int x = 0; x < side; ++x) {
        int bit = x * bpp;
        b[colorAt + colorStride * (side - 1) + bit / 8] |= static_cast<uint8_t>(1 << (8 - bpp - bit % 8));
    }
    // The bottom-left pixel (stored first) is transparent.
    b[maskAt] = 0x80;
    return b;
}

TEST(SdlIconDecode, PaletteImagesOfEveryDepthDecodeTopRowFirst) {
    for (int bpp : {1, 4, 8}) {
        std::vector<uint8_t> icon = MakeIcon(32, bpp, 1 << bpp);
        sdlhost::IconPixels px;
        ASSERT_TRUE(sdlhost::DecodeIconImage(icon.data(), icon.size(), &px)) << bpp;
        EXPECT_EQ(px.width, 32);
        EXPECT_EQ(px.height, 32);
        EXPECT_EQ(px.argb[0], 0xFFFF0000u) << bpp;
        EXPECT_EQ(px.argb[31], 0xFFFF0000u) << bpp;
        EXPECT_EQ(px.argb[32], 0xFF000000u) << bpp;    // second row: opaque black
        EXPECT_EQ(px.argb[31 * 32], 0x00000000u) << bpp;  // masked out
    }
}

TEST(SdlIconDecode, SizesOfTheGameIconMatchTheirResourceLengths) {
    // 48x48 and 32x32 at 8 bits: 3752 and 2216 bytes.
    EXPECT_EQ(MakeIcon(48, 8, 256).size(), 3752u);
    EXPECT_EQ(MakeIcon(32, 8, 256).size(), 2216u);
}

TEST(SdlIconDecode, TruncatedOrMalformedImagesAreRefused) {
    std::vector<uint8_t> icon = MakeIcon(48, 8, 256);
    sdlhost::IconPixels px;
    for (size_t cut : {size_t(0), size_t(39), size_t(40), size_t(1064), icon.size() - 1})
        EXPECT_FALSE(sdlhost::DecodeIconImage(icon.data(), cut, &px)) << cut;
    auto broken = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> b = icon;
        b[at] = value;
        return sdlhost::DecodeIconImage(b.data(), b.size(), &px);
    };
    EXPECT_FALSE(broken(14, 24));    // true-colour: not ours
    EXPECT_FALSE(broken(16, 1));     // compressed
    EXPECT_FALSE(broken(8, 97));     // odd doubled height
    EXPECT_FALSE(broken(5, 0x10));   // enormous width
    EXPECT_FALSE(broken(33, 0x10));  // more colours than 8 bits hold
    EXPECT_FALSE(broken(3, 0x7F));   // header longer than the image
    const uint8_t png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> b(icon.size(), 0);
    std::copy(png, png + sizeof(png), b.begin());
    EXPECT_FALSE(sdlhost::DecodeIconImage(b.data(), b.size(), &px));
    EXPECT_FALSE(sdlhost::DecodeIconImage(nullptr, 100, &px));
}

TEST(SdlIconDecode, The48PixelImageIsPreferred) {
    sdlhost::IconPixels big, mid, small;
    std::vector<uint8_t> a = MakeIcon(48, 8, 256), b = MakeIcon(32, 8, 256), c = MakeIcon(32, 4, 16);
    ASSERT_TRUE(sdlhost::DecodeIconImage(a.data(), a.size(), &big));
    ASSERT_TRUE(sdlhost::DecodeIconImage(b.data(), b.size(), &mid));
    ASSERT_TRUE(sdlhost::DecodeIconImage(c.data(), c.size(), &small));
    EXPECT_GT(sdlhost::IconPreference(big), sdlhost::IconPreference(mid));
    EXPECT_GT(sdlhost::IconPreference(mid), sdlhost::IconPreference(small));
}

// A reader spinning on the tick sees it move on every read, one millisecond
// at a time unless the machine kept it away longer.
TEST(SdlTick, ReadingAgainWithinAMillisecondWaitsForTheNext) {
    int64_t last = sdlhost::ReadTickMs(-1);
    for (int read = 0; read < 50; ++read) {
        int64_t now = sdlhost::ReadTickMs(last);
        EXPECT_GT(now, last);
        last = now;
    }
    // A tick last read long ago is read at once, whatever it was.
    EXPECT_GE(sdlhost::ReadTickMs(last - 1000), last);
}

}  // namespace
