#include "wine/frame_compare.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using namespace wine_check;

// A busy picture: no two neighbouring runs alike, as in a photograph.
Image Noise(int width, int height, uint32_t seed) {
    Image image = MakeImage(width, height);
    uint32_t s = seed;
    for (uint8_t& byte : image.rgb) {
        s = s * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(s >> 16);
    }
    return image;
}

void Paste(Image& onto, const Image& picture, int left, int top, int fromX = 0, int toX = -1) {
    if (toX < 0) toX = picture.width;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = fromX; x < toX; ++x) {
            if (!onto.Contains(left + x, top + y)) continue;
            const uint8_t* p = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
            SetPixel(onto, left + x, top + y, p[0], p[1], p[2]);
        }
    }
}

TEST(WineCompare, ComparesAtSixteenBitPrecision) {
    Image expected = Noise(64, 48, 1);
    Image seen = expected;
    // The low bits a 16-bit screen does not keep may differ.
    for (size_t i = 0; i < seen.rgb.size(); i += 3) {
        seen.rgb[i] = static_cast<uint8_t>(seen.rgb[i] | 7);
        seen.rgb[i + 1] = static_cast<uint8_t>(seen.rgb[i + 1] & ~3);
    }
    EXPECT_TRUE(CompareOutsideRows(seen, expected, 1, 0).Matches());

    // One green step of the six bits does not.
    uint8_t& green = seen.rgb[(10 * 64 + 20) * 3 + 1];
    green = static_cast<uint8_t>(green ^ 4);
    Comparison c = CompareOutsideRows(seen, expected, 1, 0);
    EXPECT_EQ(c.mismatchCount, 1);
    ASSERT_EQ(c.firstMismatches.size(), 1u);
    EXPECT_EQ(c.firstMismatches[0].x, 20);
    EXPECT_EQ(c.firstMismatches[0].y, 10);
}

TEST(WineCompare, SkipsOnlyTheGivenRows) {
    Image expected = Noise(32, 20, 2);
    Image seen = expected;
    SetPixel(seen, 3, 5, 255, 255, 255);
    SetPixel(seen, 3, 8, 255, 255, 255);
    EXPECT_TRUE(CompareOutsideRows(seen, expected, 5, 8).Matches());
    EXPECT_EQ(CompareOutsideRows(seen, expected, 6, 8).mismatchCount, 1);
    EXPECT_EQ(CompareOutsideRows(seen, expected, 5, 7).mismatchCount, 1);
}

TEST(WineCompare, ASizeOtherThanTheFrameNeverMatches) {
    Image expected = Noise(32, 20, 3);
    EXPECT_FALSE(CompareOutsideRows(Noise(32, 21, 3), expected, 1, 0).Matches());
    EXPECT_FALSE(CompareAllowingFigures(Noise(31, 20, 3), expected, {}).Matches());
}

class FigureCompare : public ::testing::Test {
protected:
    Image backdrop = Noise(320, 240, 4);
    std::vector<Image> figures{Noise(100, 120, 5), Noise(82, 99, 6)};
};

TEST_F(FigureCompare, FiguresAnywhereAndCutByEdgesAreAllowed) {
    Image seen = backdrop;
    Paste(seen, figures[0], 30, 40);
    Paste(seen, figures[1], 90, 70);                // over the first
    Paste(seen, figures[0], -98, 100);             // two columns left on the screen
    Paste(seen, figures[0], 200, 150, 95);         // the first reveal: a five-pixel strip
    Paste(seen, figures[1], 240, 200);             // cut by the bottom and right
    Comparison c = CompareAllowingFigures(seen, backdrop, figures);
    EXPECT_TRUE(c.Matches()) << c.mismatchCount << " pixels unexplained";
    EXPECT_EQ(c.figuresFound, 5);
}

TEST_F(FigureCompare, AnythingElseIsAMismatch) {
    Image seen = backdrop;
    Paste(seen, figures[0], 30, 40);
    SetPixel(seen, 60, 80, 0, 255, 0);              // a wrong pixel inside a figure
    SetPixel(seen, 300, 10, 0, 255, 0);             // and one on the backdrop
    Paste(seen, Noise(100, 120, 7), 150, 100);      // a picture that is not a figure
    Comparison c = CompareAllowingFigures(seen, backdrop, figures);
    EXPECT_GE(c.mismatchCount, 2 + 100 * 120 - 100);
    EXPECT_EQ(c.firstMismatches.front().x, 300);
    EXPECT_EQ(c.firstMismatches.front().y, 10);
}

// The figure's rows or columns each shown twice, as a scaled copy would.
Image Stretched(const Image& figure, bool rows) {
    Image out = figure;
    for (int y = 0; y < figure.height; ++y) {
        for (int x = 0; x < figure.width; ++x) {
            int fx = rows ? x : x / 2, fy = rows ? y / 2 : y;
            for (int k = 0; k < 3; ++k) {
                out.rgb[(static_cast<size_t>(y) * figure.width + x) * 3 + k] =
                    figure.rgb[(static_cast<size_t>(fy) * figure.width + fx) * 3 + k];
            }
        }
    }
    return out;
}

TEST_F(FigureCompare, AScaledFigureIsAMismatch) {
    for (bool rows : {true, false}) {
        Image seen = backdrop;
        Paste(seen, Stretched(figures[0], rows), 30, 40);
        Comparison c = CompareAllowingFigures(seen, backdrop, figures);
        // Only the corner that a scaled copy shares with the figure can pass.
        EXPECT_GT(c.mismatchCount, 100 * 120 / 2) << (rows ? "rows" : "columns");
    }
}

TEST(WinePpm, RoundTripsAndRefusesBrokenFiles) {
    Image image = Noise(7, 5, 8);
    std::string path = ::testing::TempDir() + "wine_ppm_test.ppm";
    ASSERT_TRUE(WritePpm(path, image));
    Image read;
    ASSERT_TRUE(ReadPpm(path, read));
    EXPECT_EQ(read.width, 7);
    EXPECT_EQ(read.height, 5);
    EXPECT_EQ(read.rgb, image.rgb);

    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("P6\n# a comment\n7 5\n255\nshort", f);
    std::fclose(f);
    EXPECT_FALSE(ReadPpm(path, read));
    EXPECT_EQ(read.width, 7);  // left as it was
    EXPECT_FALSE(ReadPpm(path + ".missing", read));
}

}  // namespace
