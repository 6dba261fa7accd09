// The bitmap font: metrics, measuring the sheet, laying out text and the
// clipped glyph blit.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "display_fixture.h"
#include "platform/faults.h"
#include "text/bitmap_font.h"

using display_test::Paint;
using display_test::Read;

namespace {

struct Glyph {
    RECT src;
    LONG x, y;
};

// Records the glyphs DrawText asks for instead of drawing them.
class RecordingFont : public BitmapFont {
public:
    void DrawGlyph(RECT srcRect, LONG x, LONG y) override { glyphs.push_back({srcRect, x, y}); }
    std::vector<Glyph> glyphs;
};

int Width(const BitmapFont& f, int font, char c) { return f.glyphWidths[font * kGlyphCount + (c - kFirstGlyphCode)]; }

TEST(BitmapFontMetrics, ConstructedMetricsAndNoTables) {
    BitmapFont f;
    EXPECT_EQ(f.fonts[0].cellWidth, 32);
    EXPECT_EQ(f.fonts[0].cellHeight, 38);
    EXPECT_EQ(f.fonts[0].spacing, 0);
    EXPECT_EQ(f.fonts[1].cellWidth, 24);
    EXPECT_EQ(f.fonts[1].cellHeight, 24);
    EXPECT_EQ(f.fonts[1].spacing, -1);
    EXPECT_EQ(f.glyphWidths, nullptr);
    f.DrawText(0, 0, "nothing may be drawn yet", 0, 0);
    EXPECT_EQ(f.TextWidth("A", 0), 0);
}

class FontTest : public display_test::GameDisplay {};

TEST_F(FontTest, CreateMeasuresTheSheet) {
    ASSERT_EQ(gFont.Create(nullptr), 1);
    EXPECT_EQ(gFont.fontCount, 2);
    EXPECT_EQ(gFont.firstRow[0], 0);
    EXPECT_EQ(gFont.firstRow[1], 190);
    EXPECT_EQ(gFont.glyphsPerRow[0], 20);
    EXPECT_EQ(gFont.glyphsPerRow[1], 26);
    // Every glyph of the FONTS sheet has some ink, and none more than its cell.
    for (int f = 0; f < 2; ++f)
        for (int g = 0; g < kGlyphCount; ++g) {
            EXPECT_GT(gFont.glyphWidths[f * kGlyphCount + g], 0) << f << " " << g;
            EXPECT_LE(gFont.glyphWidths[f * kGlyphCount + g], gFont.fonts[f].cellWidth);
        }
    const std::pair<char, int> large[] = {{'!', 8}, {'A', 23}, {'W', 31}, {'*', 32}, {'+', 32}, {'{', 6}};
    for (auto [c, w] : large) EXPECT_EQ(Width(gFont, 0, c), w) << c;
    const std::pair<char, int> small[] = {{'!', 7}, {'A', 19}, {'W', 24}, {'{', 3}};
    for (auto [c, w] : small) EXPECT_EQ(Width(gFont, 1, c), w) << c;
}

// The widths against the FONTS bitmap itself, read through GDI rather than
// the surface: the rightmost column whose colour is not black on screen.
TEST_F(FontTest, WidthsMatchTheSheetsInk) {
    ASSERT_EQ(gFont.Create(nullptr), 1);
    HANDLE sheet = LoadImageA(GetModuleHandleA(NULL), "FONTS", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(sheet, nullptr);
    BITMAP bm{};
    GetObjectA(sheet, sizeof(bm), &bm);
    const auto* rgb = static_cast<const uint32_t*>(bm.bmBits);
    auto ink = [&](int x, int y) {
        const uint32_t c = rgb[static_cast<size_t>(y) * bm.bmWidth + x];
        return ((c >> 19) & 31) != 0 || ((c >> 10) & 63) != 0 || ((c >> 3) & 31) != 0;
    };
    for (int f = 0; f < 2; ++f) {
        const FontMetrics m = gFont.fonts[f];
        for (int g = 0; g < kGlyphCount; ++g) {
            const int left = (g % gFont.glyphsPerRow[f]) * m.cellWidth;
            const int top = gFont.firstRow[f] + (g / gFont.glyphsPerRow[f]) * m.cellHeight;
            int width = 0;
            for (int x = 0; x < m.cellWidth; ++x)
                for (int y = 0; y < m.cellHeight; ++y)
                    if (ink(left + x, top + y)) width = x + 1;
            EXPECT_EQ(gFont.glyphWidths[f * kGlyphCount + g], width) << "font " << f << " glyph " << g;
        }
    }
    DeleteObject(sheet);
}

TEST_F(FontTest, FailuresAreReportedAndEndStartUp) {
    // The first lock is the colour match's, the second the measuring one.
    platform::faults::FailNext("Lock", 2);
    EXPECT_EQ(gFont.Create(nullptr), 0);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Execution FAILED on lpDDSFonts->Lock caused an error.");
    EXPECT_EQ(gDisplay.lpDD, nullptr);

    kalvenor_test::ResetGame();
    ASSERT_EQ(gDisplay.Create(nullptr), 1);
    platform::faults::FailNext("CreateSurface");
    EXPECT_EQ(gFont.Create(nullptr), 0);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Execution FAILED on DDLoadBitmap <FONTS>");
    EXPECT_EQ(headless::MessageBoxes()[0].caption, "Kalvenor");
}

class LayoutTest : public display_test::GameDisplay {
protected:
    void SetUp() override {
        display_test::GameDisplay::SetUp();
        ASSERT_EQ(font_.Create(nullptr), 1);
        for (int i = 0; i < 2 * kGlyphCount; ++i) font_.glyphWidths[i] = static_cast<uint8_t>(10 + i % 7);
    }
    std::vector<LONG> Xs() const {
        std::vector<LONG> xs;
        for (const Glyph& g : font_.glyphs) xs.push_back(g.x);
        return xs;
    }
    RecordingFont font_;
};

TEST_F(LayoutTest, PenAdvancesByWidthAndSpacingAndSpacesByHalfACell) {
    const int a0 = Width(font_, 0, 'A'), b0 = Width(font_, 0, 'B');
    font_.DrawText(100, 50, "AB A", 0, 0);
    EXPECT_EQ(Xs(), (std::vector<LONG>{100, 100 + a0, 100 + a0 + b0 + 16}));
    EXPECT_EQ(font_.glyphs[0].y, 50);
    EXPECT_EQ(font_.glyphs[0].src.left, 32 * 12);  // "A" is glyph 32: row 1, column 12
    EXPECT_EQ(font_.glyphs[0].src.top, 38);
    EXPECT_EQ(font_.glyphs[0].src.right - font_.glyphs[0].src.left, 32) << "the whole cell is drawn";

    font_.glyphs.clear();
    const int a1 = Width(font_, 1, 'A'), b1 = Width(font_, 1, 'B');
    font_.DrawText(0, 0, "AB A", 1, 0);
    EXPECT_EQ(Xs(), (std::vector<LONG>{0, a1 - 1, a1 - 1 + b1 - 1 + 12}));
    EXPECT_EQ(font_.TextWidth("AB A", 1), a1 - 1 + b1 - 1 + 12 + a1 - 1);
    EXPECT_EQ(font_.TextWidth(" ", 0), 16);
}

TEST_F(LayoutTest, OtherCodesAreSkippedWithoutAdvancing) {
    font_.DrawText(0, 0, "A\t|\x80\xff}B", 0, 0);
    EXPECT_EQ(Xs(), (std::vector<LONG>{0, Width(font_, 0, 'A')}));
    EXPECT_EQ(font_.TextWidth("\t|\x80}", 0), 0);
}

TEST_F(LayoutTest, AlignmentFlagsAndEmptyText) {
    const int w = font_.TextWidth("AB", 0);
    font_.DrawText(400, 0, "AB", 0, kTextAlignRight);
    EXPECT_EQ(font_.glyphs.at(0).x, 400 - w);
    font_.glyphs.clear();
    font_.DrawText(400, 0, "AB", 0, kTextCentre);
    EXPECT_EQ(font_.glyphs.at(0).x, 400 - w / 2);
    font_.glyphs.clear();
    font_.DrawText(400, 0, "AB", 0, kTextAlignRight | kTextCentre);
    EXPECT_EQ(font_.glyphs.at(0).x, 400 - w - w / 2);
    font_.glyphs.clear();
    font_.DrawText(400, 0, "A", 1, kTextCentre | 1 | 8);
    EXPECT_EQ(font_.glyphs.at(0).x, 400 - (Width(font_, 1, 'A') - 1) / 2) << "other bits change nothing";
    font_.glyphs.clear();
    for (DWORD flags : {0u, kTextAlignRight, kTextCentre}) font_.DrawText(400, 0, "", 0, flags);
    font_.DrawText(0, 0, nullptr, 0, 0);
    font_.DrawText(0, 0, "A", 2, 0);
    EXPECT_TRUE(font_.glyphs.empty());
}

TEST_F(LayoutTest, NumbersAndTheLastRowsOfCells) {
    font_.DrawNumber(0, 0, INT_MIN, 0, 0);
    ASSERT_EQ(font_.glyphs.size(), 11u);
    EXPECT_EQ(font_.glyphs[0].src.left, 32 * ('-' - 33));
    font_.glyphs.clear();
    font_.DrawNumber(0, 0, 0, 0, 0);
    EXPECT_EQ(font_.glyphs.size(), 1u);
    font_.glyphs.clear();
    font_.DrawText(0, 0, "q{", 0, 0);
    EXPECT_EQ(font_.glyphs[0].src.top, 152);
    EXPECT_EQ(font_.glyphs[1].src.bottom, 190);
    EXPECT_EQ(font_.glyphs[1].src.left, 32 * 10);
    font_.glyphs.clear();
    font_.DrawText(0, 0, "o{", 1, 0);
    EXPECT_EQ(font_.glyphs[0].src.top, 262);
    EXPECT_EQ(font_.glyphs[0].src.left, 0);
    EXPECT_EQ(font_.glyphs[1].src.bottom, 286);
}

TEST_F(FontTest, GlyphsAreKeyedAndClippedAtEveryEdge) {
    ASSERT_EQ(gFont.Create(nullptr), 1);
    // Sheet: each pixel tells its own sheet position; one black column per
    // cell stays transparent.
    Paint(lpDDSFonts, [](int x, int y) { return static_cast<uint16_t>(x % 32 == 3 ? 0 : (y << 10 | x) | 0x8000); });
    const RECT cell{32, 38, 64, 76};
    struct Case {
        LONG x, y;
    };
    for (Case c : {Case{-5, 100}, Case{790, 100}, Case{100, -30}, Case{100, 590}, Case{-31, -37}, Case{799, 599},
                   Case{800, 0}, Case{0, 600}, Case{-32, 0}, Case{0, -38}}) {
        Paint(BackBuffer, [](int, int) { return uint16_t{0x1234}; });
        gFont.DrawGlyph(cell, c.x, c.y);
        const auto p = Read(BackBuffer);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < p.stride; ++x) {
                const int cx = x - c.x, cy = y - c.y;
                const bool inCell = x < 800 && cx >= 0 && cx < 32 && cy >= 0 && cy < 38;
                const uint16_t want = inCell && cx != 3 ? static_cast<uint16_t>(((38 + cy) << 10 | (32 + cx)) | 0x8000)
                                                        : 0x1234;
                if (p.At(x, y) != want) {
                    ADD_FAILURE() << "glyph at " << c.x << "," << c.y << " pixel " << x << "," << y;
                    return;
                }
            }
    }
}

TEST_F(FontTest, TextRunningOffTheRightLosesTheRest) {
    ASSERT_EQ(gFont.Create(nullptr), 1);
    Paint(BackBuffer, [](int, int) { return uint16_t{0}; });
    gFont.DrawText(780, 100, "WWWW", 0, 0);
    gFont.DrawText(100, 590, "WWWW", 0, 0);
    const auto p = Read(BackBuffer);
    bool inkNearEdge = false;
    for (int y = 100; y < 138; ++y) inkNearEdge |= p.At(799, y) != 0 || p.At(790, y) != 0;
    EXPECT_TRUE(inkNearEdge);
    for (int y = 0; y < 600; ++y)
        for (int x = 800; x < p.stride; ++x) ASSERT_EQ(p.At(x, y), 0);
}

}  // namespace
