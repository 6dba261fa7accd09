// Colour packing and the translucent box, in both 16-bit layouts.
#include <gtest/gtest.h>

#include "display_fixture.h"
#include "effects/pixel_pack.h"
#include "effects/translucent_box.h"
#include "platform/faults.h"

using display_test::Paint;
using display_test::Read;

namespace {

TEST(PixelPack, BothLayoutsKeepTheTopBits) {
    struct Case {
        uint32_t colour;
        int32_t p565, p555;
    };
    const Case cases[] = {{0xFFFFFF, 0xFFFF, 0x7FFF}, {0xFF0000, 0xF800, 0x7C00}, {0x00FF00, 0x07E0, 0x03E0},
                          {0x0000FF, 0x001F, 0x001F}, {0x808080, 0x8410, 0x4210}, {0, 0, 0},
                          {0xAB808080, 0x8410, 0x4210}};
    for (const Case& c : cases) {
        EXPECT_EQ(PackRGB565(c.colour), c.p565) << std::hex << c.colour;
        EXPECT_EQ(PackRGB555(c.colour), c.p555) << std::hex << c.colour;
    }
}

class TranslucentBoxTest : public display_test::GameDisplay {};

TEST_F(TranslucentBoxTest, HalvesEveryChannelExactlyInsideTheBox) {
    Paint(BackBuffer, [](int, int) { return uint16_t{0xFFFF}; });
    ASSERT_EQ(TranslucentBox(100, 175, 700, 455, 0x000000), DD_OK);
    const auto p = Read(BackBuffer);
    EXPECT_EQ(p.At(100, 175), 0x7BEF);
    EXPECT_EQ(p.At(699, 454), 0x7BEF);
    EXPECT_EQ(p.At(99, 175), 0xFFFF);
    EXPECT_EQ(p.At(700, 300), 0xFFFF);
    EXPECT_EQ(p.At(300, 174), 0xFFFF);
    EXPECT_EQ(p.At(300, 455), 0xFFFF);

    Paint(BackBuffer, [](int, int) { return uint16_t{0}; });
    TranslucentBox(0, 0, 10, 10, 0xFFFFFF);
    EXPECT_EQ(Read(BackBuffer).At(5, 5), 0x7BEF);
    TranslucentBox(0, 0, 10, 10, 0x000000);
    EXPECT_EQ(Read(BackBuffer).At(5, 5), 0x39E7);
}

TEST_F(TranslucentBoxTest, AveragesEachChannelRoundingDown) {
    // Every channel combination of pixel and colour against a per-channel sum.
    Paint(BackBuffer, [](int x, int y) { return static_cast<uint16_t>(y * 800 + x); });
    const uint32_t colour = 0x5A3C99;
    const int32_t k = PackRGB565(colour);
    TranslucentBox(0, 0, 800, 82, colour);
    const auto p = Read(BackBuffer);
    for (int i = 0; i < 65536; ++i) {
        const uint16_t old = static_cast<uint16_t>(i);
        const int b = ((k & 31) + (old & 31)) >> 1;
        const int g = (((k >> 5) & 63) + ((old >> 5) & 63)) >> 1;
        const int r = (((k >> 11) & 31) + ((old >> 11) & 31)) >> 1;
        ASSERT_EQ(p.At(i % 800, i / 800), (r << 11) | (g << 5) | b) << i;
    }
}

TEST_F(TranslucentBoxTest, FiveFiveFiveLayoutClearsTheTopBit) {
    gDisplay.ReleaseAll();
    kalvenor_test::ResetGame();
    platform::faults::UseLayout555(true);
    ASSERT_EQ(gDisplay.Create(nullptr), 1);
    ASSERT_EQ(gDisplay.is555, 1);
    Paint(BackBuffer, [](int x, int) { return static_cast<uint16_t>(x == 0 ? 0x7FFF : 0xFFFF); });
    TranslucentBox(0, 0, 2, 1, 0x000000);
    EXPECT_EQ(Read(BackBuffer).At(0, 0), 0x3DEF);
    EXPECT_EQ(Read(BackBuffer).At(1, 0), 0x3DEF);
    Paint(BackBuffer, [](int, int) { return uint16_t{0}; });
    TranslucentBox(0, 0, 2, 1, 0xFFFFFF);
    EXPECT_EQ(Read(BackBuffer).At(0, 0), 0x3DEF);
}

TEST_F(TranslucentBoxTest, ClampsToTheScreenAndTakesNoLockWhenOff) {
    Paint(BackBuffer, [](int, int) { return uint16_t{0xFFFF}; });
    ASSERT_EQ(TranslucentBox(790, 590, 900, 700, 0), DD_OK);
    auto p = Read(BackBuffer);
    EXPECT_EQ(p.At(799, 599), 0x7BEF);
    EXPECT_EQ(p.At(789, 599), 0xFFFF);
    for (int x = 800; x < p.stride; ++x) EXPECT_EQ(p.At(x, 599), 0xFFFF) << "the row's padding is not touched";

    platform::faults::FailNext("Lock");
    EXPECT_EQ(TranslucentBox(800, 0, 900, 10, 0), DD_OK) << "wholly off the screen: no lock";
    EXPECT_EQ(TranslucentBox(0, 0, 10, 10, 0), DDERR_GENERIC) << "the lock was still pending";
    EXPECT_EQ(Read(BackBuffer).At(5, 5), 0xFFFF);
    EXPECT_EQ(TranslucentBox(10, 10, 10, 20, 0), DD_OK) << "empty after clamping";
    EXPECT_EQ(TranslucentBox(0, 0, 800, 600, 0), DD_OK);
    EXPECT_EQ(Read(BackBuffer).At(0, 0), 0x7BEF);
}

}  // namespace
