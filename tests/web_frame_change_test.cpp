// The browser host learns which rectangle of a frame changed since the page
// last took one, and hands over exactly those pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/web/frame_change.h"

namespace {

using webhost::kFrameHeight;
using webhost::kFrameWidth;

struct Edit {
    int x, y;
    uint16_t value;
};

struct Present {
    std::vector<Edit> edits;
    bool is555 = false;
};

struct Rect {
    int x, y, width, height;
};

struct Case {
    const char* name;
    std::vector<Present> before;  // taken already
    std::vector<Present> presents;
    Rect want;
};

// A frame of its own pitch, wider than its pixels as a surface's may be.
constexpr int kPitchPixels = kFrameWidth + 16;

TEST(WebFrameChange, TakesTheRectangleThatChanged) {
    const Case cases[] = {
        {"the first frame changed everywhere", {}, {{}}, {0, 0, kFrameWidth, kFrameHeight}},
        {"the same frame again changed nowhere", {{}}, {{}}, {0, 0, 0, 0}},
        {"one pixel: its word of four", {{}}, {{{{5, 7, 0x1234}}}}, {4, 7, 4, 1}},
        {"a row's last pixel", {{}}, {{{{799, 599, 0xF800}}}}, {796, 599, 4, 1}},
        {"two frames before a take: both changes",
         {{}},
         {{{{10, 20, 1}}}, {{{300, 100, 2}}}},
         {8, 20, 296, 81}},
        {"a pixel changed and changed back still counts", {{}}, {{{{40, 50, 9}}}, {{{40, 50, 0}}}}, {40, 50, 4, 1}},
        {"another layout changed everywhere", {{}}, {{{}, true}}, {0, 0, kFrameWidth, kFrameHeight}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        webhost::FrameChange frame;
        std::vector<uint16_t> image(size_t(kPitchPixels) * kFrameHeight, 0);
        auto present = [&](const Present& p) {
            for (const Edit& e : p.edits) image[size_t(e.y) * kPitchPixels + e.x] = e.value;
            webhost::Keep(frame, image.data(), kPitchPixels * 2, p.is555);
        };
        for (const Present& p : c.before) present(p);
        if (!c.before.empty()) webhost::Take(frame);
        for (const Present& p : c.presents) present(p);
        ASSERT_TRUE(frame.waiting);
        const webhost::Taken& taken = webhost::Take(frame);
        EXPECT_FALSE(frame.waiting);
        EXPECT_EQ(taken.x, c.want.x);
        EXPECT_EQ(taken.y, c.want.y);
        ASSERT_EQ(taken.width, c.want.width);
        ASSERT_EQ(taken.height, c.want.height);
        EXPECT_EQ(taken.is555, c.presents.back().is555 ? 1 : 0);
        // The rows are the newest frame's pixels there.
        for (int y = 0; y < taken.height; ++y)
            for (int x = 0; x < taken.width; ++x)
                ASSERT_EQ(taken.rows[size_t(y) * taken.width + x],
                          image[size_t(taken.y + y) * kPitchPixels + taken.x + x])
                    << "at " << taken.x + x << ", " << taken.y + y;
    }
}

}  // namespace
