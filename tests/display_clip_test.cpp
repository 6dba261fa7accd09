// ClipToScreen and ClampRectToScreen: pure rectangle arithmetic.
#include <gtest/gtest.h>

#include "display/blit.h"

namespace {

struct ClipCase {
    LONG x, y;
    RECT src;
    int result;
    LONG outX, outY;
    RECT out;
};

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(ClipToScreen, WorkedExamplesAndEdges) {
    const ClipCase cases[] = {
        {0, 0, {0, 0, 800, 600}, 1, 0, 0, {0, 0, 800, 600}},
        {-10, 590, {0, 0, 48, 50}, 1, 0, 590, {10, 0, 48, 10}},
        {760, 580, {0, 0, 48, 50}, 1, 760, 580, {0, 0, 40, 20}},
        {800, 0, {0, 0, 48, 50}, 0, 800, 0, {0, 0, 48, 50}},
        {-48, 0, {0, 0, 48, 50}, 1, 0, 0, {48, 0, 48, 50}},
        {0, 600, {0, 0, 48, 50}, 0, 0, 600, {0, 0, 48, 50}},
        {799, 0, {0, 0, 48, 50}, 1, 799, 0, {0, 0, 1, 50}},
        {-49, 0, {0, 0, 48, 50}, 0, -49, 0, {0, 0, 48, 50}},
        {0, -51, {0, 0, 48, 50}, 0, 0, -51, {0, 0, 48, 50}},
        {10, -20, {30, 48, 46, 88}, 1, 10, 0, {30, 68, 46, 88}},
        {-2000000000, 0, {0, 0, 2000000000, 10}, 1, 0, 0, {2000000000, 0, 2000000000, 10}},
        {2147483000, 0, {0, 0, 2000, 10}, 0, 2147483000, 0, {0, 0, 2000, 10}},
    };
    for (const ClipCase& c : cases) {
        RECT r = c.src;
        LONG x = c.x, y = c.y;
        EXPECT_EQ(ClipToScreen(r, x, y), c.result) << c.x << "," << c.y;
        EXPECT_EQ(x, c.outX);
        EXPECT_EQ(y, c.outY);
        EXPECT_TRUE(Same(r, c.out)) << c.x << "," << c.y << ": " << r.left << "," << r.top << "," << r.right << ","
                                    << r.bottom;
        if (c.result) {
            RECT again = r;
            LONG ax = x, ay = y;
            EXPECT_EQ(ClipToScreen(again, ax, ay), 1);
            EXPECT_TRUE(Same(again, r) && ax == x && ay == y) << "clipping twice changes nothing";
        }
    }
}

TEST(ClampRectToScreen, ClampsOrLeavesAlone) {
    RECT r{-5, -5, 900, 700};
    EXPECT_EQ(ClampRectToScreen(r), 1);
    EXPECT_TRUE(Same(r, RECT{0, 0, 800, 600}));
    RECT off{800, 0, 900, 10};
    EXPECT_EQ(ClampRectToScreen(off), 0);
    EXPECT_TRUE(Same(off, RECT{800, 0, 900, 10}));
    for (RECT gone : {RECT{0, 600, 10, 700}, RECT{-10, 0, -1, 10}, RECT{0, -10, 10, -1}}) {
        const RECT before = gone;
        EXPECT_EQ(ClampRectToScreen(gone), 0);
        EXPECT_TRUE(Same(gone, before));
    }
    RECT box{100, 175, 700, 455};
    EXPECT_EQ(ClampRectToScreen(box), 1);
    EXPECT_TRUE(Same(box, RECT{100, 175, 700, 455}));
}

}  // namespace
