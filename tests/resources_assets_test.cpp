// The pictures, sounds and icon compiled into the program, read back through
// the resource calls: the layouts and formats the game's code depends on.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Resource(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(NULL, name, type);
    if (found == NULL) return {};
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(NULL, found)));
    if (data == nullptr) return {};
    return Bytes(data, data + SizeofResource(NULL, found));
}

uint16_t U16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b.at(at) | b.at(at + 1) << 8); }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | static_cast<uint32_t>(U16(b, at + 2)) << 16; }
std::string Id(const Bytes& b, size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

struct Rgb {
    uint8_t r, g, b;
};

// What the 16-bit display makes of a colour: 0 means see-through.
uint16_t As565(Rgb c) { return static_cast<uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | (c.b >> 3)); }
uint16_t As555(Rgb c) { return static_cast<uint16_t>((c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3)); }
bool IsBlack(Rgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }

// A bitmap resource decoded under the stored format's rules; any stray
// opcode, short or long row or missing end marker is reported in error.
struct Dib {
    int width = 0, height = 0;
    uint32_t sizeImage = 0;
    Rgb palette[256] = {};
    std::vector<uint8_t> index;   // top row first
    std::string error;

    uint8_t At(int x, int y) const { return index[static_cast<size_t>(y) * width + x]; }
    Rgb ColourAt(int x, int y) const { return palette[At(x, y)]; }
};

Dib Decode(const Bytes& b) {
    Dib d;
    if (b.size() < 1064) {
        d.error = "shorter than its headers";
        return d;
    }
    d.width = static_cast<int32_t>(U32(b, 4));
    d.height = static_cast<int32_t>(U32(b, 8));
    d.sizeImage = U32(b, 20);
    for (int i = 0; i < 256; ++i) d.palette[i] = {b[40 + i * 4 + 2], b[40 + i * 4 + 1], b[40 + i * 4]};
    if (d.width <= 0 || d.height <= 0 || d.width > 4096 || d.height > 4096) {
        d.error = "bad size";
        return d;
    }
    if (b.size() != 1064 + static_cast<size_t>(d.sizeImage)) {
        d.error = "resource is not 1064 + biSizeImage bytes";
        return d;
    }
    d.index.assign(static_cast<size_t>(d.width) * d.height, 0);
    size_t at = 1064;
    int x = 0, row = 0;
    auto fail = [&](const std::string& why) {
        d.error = why + " in stored row " + std::to_string(row);
        return d;
    };
    while (true) {
        if (at + 2 > b.size()) return fail("stream ends without end of bitmap");
        uint8_t count = b[at], value = b[at + 1];
        at += 2;
        if (count > 0) {
            if (x + count > d.width) return fail("run past the row's end");
            for (int i = 0; i < count; ++i) d.index[static_cast<size_t>(d.height - 1 - row) * d.width + x++] = value;
        } else if (value == 0 || value == 1) {
            if (x != d.width) return fail("row of " + std::to_string(x) + " pixels");
            x = 0;
            ++row;
            bool last = row == d.height;
            if ((value == 1) != last) return fail(value == 1 ? "end of bitmap too early" : "end of line after last row");
            if (last) break;
        } else if (value == 2) {
            return fail("delta escape");
        } else {
            size_t padded = value + (value & 1u);
            if (at + padded > b.size()) return fail("absolute run past the end");
            if (x + value > d.width) return fail("absolute run past the row's end");
            for (int i = 0; i < value; ++i) d.index[static_cast<size_t>(d.height - 1 - row) * d.width + x++] = b[at + i];
            at += padded;
        }
    }
    if (at != b.size()) d.error = "bytes after end of bitmap";
    return d;
}

struct ExpectedBitmap {
    const char* name;
    int width, height;
    Rgb entryZero;
};

const ExpectedBitmap kBitmaps[] = {
    {"FONTS", 640, 300, {0, 0, 0}},     {"SPRITES", 50, 90, {0, 0, 0}},      {"DESERT", 800, 600, {0, 0, 0}},
    {"INTROPIC", 800, 600, {0, 0, 0}},  {"VILLAIN", 100, 120, {0, 0, 0}},    {"PRESIDENT", 100, 120, {82, 47, 47}},
};

Dib Load(const char* name) { return Decode(Resource(name, RT_BITMAP)); }

TEST(ResourceBitmaps, HeadersColourTablesAndRunLengthStreams) {
    for (const ExpectedBitmap& want : kBitmaps) {
        SCOPED_TRACE(want.name);
        Bytes b = Resource(want.name, RT_BITMAP);
        ASSERT_GE(b.size(), 1064u);
        EXPECT_EQ(U32(b, 0), 40u);
        EXPECT_EQ(static_cast<int32_t>(U32(b, 4)), want.width);
        EXPECT_EQ(static_cast<int32_t>(U32(b, 8)), want.height);
        EXPECT_EQ(U16(b, 12), 1);
        EXPECT_EQ(U16(b, 14), 8);
        EXPECT_EQ(U32(b, 16), 1u);
        EXPECT_EQ(U32(b, 32), 256u);
        EXPECT_EQ(U32(b, 36), 256u);
        for (int i = 0; i < 256; ++i) EXPECT_EQ(b[40 + i * 4 + 3], 0) << "reserved byte of entry " << i;
        Dib d = Decode(b);
        EXPECT_EQ(d.error, "");
        EXPECT_EQ(d.palette[0].r, want.entryZero.r);
        EXPECT_EQ(d.palette[0].g, want.entryZero.g);
        EXPECT_EQ(d.palette[0].b, want.entryZero.b);
    }
}

TEST(ResourceBitmaps, PresidentHoldsNoBlackEvenOnTheDisplay) {
    Dib d = Load("PRESIDENT");
    ASSERT_EQ(d.error, "");
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) {
            Rgb c = d.ColourAt(x, y);
            ASSERT_FALSE(IsBlack(c)) << x << "," << y;
            ASSERT_NE(As565(c), 0) << x << "," << y;
            ASSERT_NE(As555(c), 0) << x << "," << y;
        }
}

TEST(ResourceBitmaps, PortraitsAreDistinctPictures) {
    Dib villain = Load("VILLAIN"), president = Load("PRESIDENT");
    ASSERT_EQ(villain.error, "");
    ASSERT_EQ(president.error, "");
    long difference = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 100; ++x) {
            Rgb a = villain.ColourAt(x, y), b = president.ColourAt(x, y);
            difference += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        }
    EXPECT_GT(difference / (100 * 120), 40);
}

TEST(ResourceBitmaps, DesertHasSkyTopLeftAndBlackInItsCaves) {
    Dib d = Load("DESERT");
    ASSERT_EQ(d.error, "");
    Rgb corner = d.ColourAt(4, 4);
    EXPECT_GT(corner.b, corner.r + 40);
    Rgb farCorner = d.ColourAt(795, 4);
    EXPECT_GT(farCorner.r, farCorner.b);
    int black = 0;
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) black += IsBlack(d.ColourAt(x, y));
    EXPECT_GT(black, 1000);
}

TEST(ResourceBitmaps, IntroGroundIsDitheredFromEntries98And99) {
    Dib d = Load("INTROPIC");
    ASSERT_EQ(d.error, "");
    for (int i : {98, 99}) {
        Rgb c = d.palette[i];
        EXPECT_GT(c.b, c.r) << i;
        EXPECT_GT(c.b, c.g) << i;
        EXPECT_LT(c.b, 128) << i;
    }
    // A strip down the left edge between the title and the contact line.
    for (int y = 200; y < 540; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(d.At(x, y), ((x + y) & 1) ? 99 : 98) << x << "," << y;
    int ground = 0;
    for (uint8_t i : d.index) ground += i == 98 || i == 99;
    EXPECT_GT(ground, 800 * 600 / 2);
}

TEST(ResourceBitmaps, IntroLinesSitWhereTheScreenExpectsThem) {
    Dib d = Load("INTROPIC");
    ASSERT_EQ(d.error, "");
    auto ink = [&](int x, int y) { return d.At(x, y) != 98 && d.At(x, y) != 99; };
    // Between the picture and the contact line, everything drawn lies within
    // the band that ripples, and there is something in it.
    int inBand = 0;
    for (int y = 380; y < 545; ++y)
        for (int x = 0; x < 800; ++x)
            if (ink(x, y)) {
                ASSERT_TRUE(y >= 392 && y <= 489 && x >= 184 && x <= 603) << x << "," << y;
                ++inBand;
            }
    EXPECT_GT(inBand, 2000);
    int title = 0, contact = 0;
    for (int y = 0; y < 170; ++y)
        for (int x = 0; x < 800; ++x) title += ink(x, y) && d.ColourAt(x, y).r > 200 && d.ColourAt(x, y).g > 200;
    for (int y = 550; y < 600; ++y)
        for (int x = 0; x < 400; ++x) contact += ink(x, y);
    EXPECT_GT(title, 5000);
    EXPECT_GT(contact, 200);
}

// Rectangles (left, top, right, bottom) of the sprite sheet that are drawn.
struct Rect {
    int left, top, right, bottom;
    bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

constexpr Rect kCrosshair{0, 0, 48, 50};
constexpr Rect kCartridge{30, 48, 46, 88};
constexpr Rect kFlash[4] = {{12, 55, 20, 63}, {12, 63, 20, 71}, {12, 71, 20, 79}, {12, 79, 20, 87}};

struct Extent {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, count = 0;
};

Extent InkIn(const Dib& d, Rect r) {
    Extent e;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (!IsBlack(d.ColourAt(x, y))) {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
                ++e.count;
            }
    return e;
}

TEST(ResourceSprites, SeeThroughIsPureBlackAndInkNeverConvertsToTheKey) {
    Dib d = Load("SPRITES");
    ASSERT_EQ(d.error, "");
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) {
            Rgb c = d.ColourAt(x, y);
            bool drawn = kCrosshair.Holds(x, y) || kCartridge.Holds(x, y);
            for (const Rect& r : kFlash) drawn |= r.Holds(x, y);
            if (!drawn) {
                ASSERT_TRUE(IsBlack(c)) << "ink outside the drawn pieces at " << x << "," << y;
            }
            if (!IsBlack(c)) {
                ASSERT_NE(As565(c), 0) << x << "," << y;
                ASSERT_NE(As555(c), 0) << x << "," << y;
            }
        }
}

TEST(ResourceSprites, CrosshairBarsCrossAtItsAimPoint) {
    Dib d = Load("SPRITES");
    ASSERT_EQ(d.error, "");
    Extent e = InkIn(d, kCrosshair);
    EXPECT_EQ(e.left, 0);
    EXPECT_EQ(e.right, 46);
    EXPECT_EQ(e.top, 6);
    EXPECT_EQ(e.bottom, 47);
    auto inked = [&](int x, int y) { return !IsBlack(d.ColourAt(x, y)); };
    for (int x = 0; x <= 46; ++x)
        for (int y = 25; y <= 27; ++y) EXPECT_TRUE(inked(x, y)) << "horizontal bar at " << x << "," << y;
    for (int y = 6; y <= 47; ++y)
        for (int x = 21; x <= 23; ++x) EXPECT_TRUE(inked(x, y)) << "vertical bar at " << x << "," << y;
    // Three pixels thick: clear on both sides where no ring passes.
    EXPECT_FALSE(inked(1, 24));
    EXPECT_FALSE(inked(1, 28));
    EXPECT_FALSE(inked(20, 47));
    EXPECT_FALSE(inked(24, 47));
    // The rings: a light stroke crossing the diagonal at two distances.
    int crossings = 0;
    bool was = false;
    for (int k = 3; k < 22; ++k) {
        bool now = inked(22 + k * 7 / 10, 26 + k * 7 / 10);
        if (now && !was) ++crossings;
        was = now;
    }
    EXPECT_EQ(crossings, 2);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 48; ++x) {
            Rgb c = d.ColourAt(x, y);
            if (IsBlack(c)) continue;
            EXPECT_GE(std::min({c.r, c.g, c.b}), 160) << "not white or light grey at " << x << "," << y;
            EXPECT_LE(std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}), 16) << x << "," << y;
        }
}

TEST(ResourceSprites, CartridgeStandsInItsRectangle) {
    Dib d = Load("SPRITES");
    ASSERT_EQ(d.error, "");
    Extent e = InkIn(d, kCartridge);
    EXPECT_EQ(e.left, 32);
    EXPECT_EQ(e.right, 43);
    EXPECT_EQ(e.top, 50);
    EXPECT_EQ(e.bottom, 87);
    int brass = 0;
    for (int y = 50; y < 88; ++y)
        for (int x = 32; x <= 43; ++x) {
            Rgb c = d.ColourAt(x, y);
            brass += c.r > c.b + 40 && c.g > c.b + 20;
        }
    EXPECT_GT(brass, e.count / 2);
}

TEST(ResourceSprites, FlashFramesGrowFromADotAndTheSlotAboveIsEmpty) {
    Dib d = Load("SPRITES");
    ASSERT_EQ(d.error, "");
    int previous = 0;
    for (int f = 0; f < 4; ++f) {
        Extent e = InkIn(d, kFlash[f]);
        EXPECT_GT(e.count, previous) << "frame " << f + 1;
        previous = e.count;
        for (int y = kFlash[f].top; y < kFlash[f].bottom; ++y)
            for (int x = 12; x < 20; ++x) {
                Rgb c = d.ColourAt(x, y);
                if (!IsBlack(c)) {
                    EXPECT_TRUE(c.r > 200 && c.g > 150 && c.b < c.g) << "not yellow at " << x << "," << y;
                }
            }
    }
    EXPECT_LE(InkIn(d, kFlash[0]).count, 4);
    // The slot that a reload during the empty-gun animation shows last.
    EXPECT_EQ(InkIn(d, Rect{12, 47, 20, 55}).count, 0);
}

struct FontLayout {
    int cellWidth, cellHeight, perRow, firstRow;
};

constexpr FontLayout kFonts[2] = {{32, 38, 20, 0}, {24, 24, 26, 190}};
constexpr int kGlyphs = 91;

Rect Cell(int font, int glyph) {
    const FontLayout& f = kFonts[font];
    int left = f.cellWidth * (glyph % f.perRow), top = f.firstRow + f.cellHeight * (glyph / f.perRow);
    return {left, top, left + f.cellWidth, top + f.cellHeight};
}

// The game's rule: one more than the rightmost column holding a pixel that
// is not zero on the 16-bit display.
int MeasuredWidth(const Dib& d, Rect cell) {
    for (int w = cell.right - cell.left; w > 0; --w)
        for (int y = cell.top; y < cell.bottom; ++y)
            if (As565(d.ColourAt(cell.left + w - 1, y)) != 0) return w;
    return 0;
}

TEST(ResourceFonts, EveryGlyphStartsAtItsCellsLeftEdge) {
    Dib d = Load("FONTS");
    ASSERT_EQ(d.error, "");
    for (int font = 0; font < 2; ++font)
        for (int g = 0; g < kGlyphs; ++g) {
            Rect cell = Cell(font, g);
            Extent e = InkIn(d, cell);
            ASSERT_GT(e.count, 0) << "font " << font << " glyph " << char(33 + g);
            EXPECT_EQ(e.left, cell.left) << "font " << font << " glyph " << char(33 + g);
        }
}

TEST(ResourceFonts, OnlyTheCellsHoldInkAndInkIsNeverTransparent) {
    Dib d = Load("FONTS");
    ASSERT_EQ(d.error, "");
    std::vector<int> owner(640 * 300, -1);
    for (int font = 0; font < 2; ++font)
        for (int g = 0; g < kGlyphs; ++g) {
            Rect c = Cell(font, g);
            for (int y = c.top; y < c.bottom; ++y)
                for (int x = c.left; x < c.right; ++x) owner[y * 640 + x] = font;
        }
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 640; ++x) {
            Rgb c = d.ColourAt(x, y);
            if (IsBlack(c)) continue;
            ASSERT_NE(owner[y * 640 + x], -1) << "ink outside every cell at " << x << "," << y;
            ASSERT_NE(As565(c), 0) << x << "," << y;
            ASSERT_NE(As555(c), 0) << x << "," << y;
            if (owner[y * 640 + x] == 0) {
                ASSERT_GT(c.r, c.g) << "large font not red at " << x << "," << y;
                ASSERT_GT(c.r, c.b) << x << "," << y;
            } else {
                ASSERT_LE(std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}), 24) << "small font not grey at " << x << "," << y;
            }
        }
}

TEST(ResourceFonts, MeasuredWidthsOfKnownGlyphs) {
    Dib d = Load("FONTS");
    ASSERT_EQ(d.error, "");
    struct Known {
        int font;
        char code;
        int width;
    };
    const Known known[] = {{0, '!', 8},  {0, 'A', 23}, {0, 'W', 31}, {0, '*', 32}, {0, '+', 32},
                           {0, '{', 6},  {1, '!', 7},  {1, 'A', 19}, {1, 'W', 24}, {1, '{', 3}};
    for (const Known& k : known)
        EXPECT_EQ(MeasuredWidth(d, Cell(k.font, k.code - 33)), k.width) << "font " << k.font << " " << k.code;
    // A glyph that leaves its last column empty does not run into the next
    // cell: the column after its width is black in every row.
    for (int font = 0; font < 2; ++font)
        for (int g = 0; g + 1 < kGlyphs; ++g) {
            Rect cell = Cell(font, g);
            int w = MeasuredWidth(d, cell);
            ASSERT_GT(w, 0);
            for (int x = cell.left + w; x < cell.right; ++x)
                for (int y = cell.top; y < cell.bottom; ++y) ASSERT_TRUE(IsBlack(d.ColourAt(x, y)));
        }
}

struct ExpectedWave {
    const char* name;
    uint32_t rate;
    uint16_t bits;
    uint32_t dataLength;
    std::vector<std::pair<std::string, uint32_t>> trailing;
    bool strayByte;
};

const ExpectedWave kWaves[] = {
    {"CLICK", 22050, 16, 2516, {{"fact", 4}, {"DISP", 1836}, {"DISP", 35}, {"LIST", 148}}, false},
    {"HIT1", 22050, 16, 27390, {{"LIST", 74}}, false},
    {"HIT2", 22050, 16, 9214, {{"LIST", 74}}, false},
    {"HIT3", 22050, 16, 17472, {{"LIST", 74}}, false},
    {"INTRO", 11025, 8, 104316, {}, true},
    {"RELOAD", 16000, 16, 15790, {{"LIST", 72}}, false},
    {"SHOT", 16000, 16, 27136, {{"LIST", 68}}, false},
    {"WRONG", 22050, 16, 32224, {}, false},
};

TEST(ResourceWaves, ChunkLayoutAndFormat) {
    for (const ExpectedWave& want : kWaves) {
        SCOPED_TRACE(want.name);
        Bytes b = Resource(want.name, "WAV");
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(Id(b, 0), "RIFF");
        EXPECT_EQ(Id(b, 8), "WAVE");
        uint32_t riff = U32(b, 4);
        EXPECT_EQ(b.size(), riff + 8 + (want.strayByte ? 1 : 0));
        EXPECT_EQ(Id(b, 12), "fmt ");
        EXPECT_EQ(U32(b, 16), 16u);
        EXPECT_EQ(U16(b, 20), 1);
        EXPECT_EQ(U16(b, 22), 1);
        EXPECT_EQ(U32(b, 24), want.rate);
        EXPECT_EQ(U32(b, 28), want.rate * want.bits / 8);
        EXPECT_EQ(U16(b, 32), want.bits / 8);
        EXPECT_EQ(U16(b, 34), want.bits);
        EXPECT_EQ(Id(b, 36), "data");
        EXPECT_EQ(U32(b, 40), want.dataLength);
        size_t at = 44 + want.dataLength + (want.dataLength & 1);
        for (const auto& [id, length] : want.trailing) {
            ASSERT_LE(at + 8, riff + 8);
            EXPECT_EQ(Id(b, at), id);
            EXPECT_EQ(U32(b, at + 4), length);
            at += 8 + length + (length & 1);
        }
        EXPECT_EQ(at, riff + 8u) << "chunks do not end where the RIFF image does";
    }
}

std::vector<float> Samples(const Bytes& b) {
    std::vector<float> out;
    uint32_t length = U32(b, 40);
    if (U16(b, 34) == 8)
        for (uint32_t i = 0; i < length; ++i) out.push_back((b[44 + i] - 128) / 128.0f);
    else
        for (uint32_t i = 0; i + 1 < length; i += 2) out.push_back(static_cast<int16_t>(U16(b, 44 + i)) / 32768.0f);
    return out;
}

// The RMS of the loudest 100 ms, about what the ear adds a sound up over.
float Loudness(const std::vector<float>& s, uint32_t rate) {
    const size_t window = rate / 10;
    double sum = 0, most = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        sum += double(s[i]) * s[i];
        if (i >= window) sum -= double(s[i - window]) * s[i - window];
        most = std::max(most, sum);
    }
    return float(std::sqrt(most / double(window)));
}

// Every sound audible, none above half of full scale (6 dB of headroom),
// and none louder than the shot.
TEST(ResourceWaves, SoundsAreLevelledUnderTheShotAndStartAndEndAtRest) {
    const ExpectedWave& shot = kWaves[6];
    ASSERT_STREQ(shot.name, "SHOT");
    const float shotLoudness = Loudness(Samples(Resource(shot.name, "WAV")), shot.rate);
    for (const ExpectedWave& want : kWaves) {
        SCOPED_TRACE(want.name);
        std::vector<float> s = Samples(Resource(want.name, "WAV"));
        ASSERT_FALSE(s.empty());
        float peak = 0;
        for (float v : s) peak = std::max(peak, std::fabs(v));
        EXPECT_GT(peak, 0.1f);
        EXPECT_LE(peak, 0.5f);
        EXPECT_LE(Loudness(s, want.rate), shotLoudness);
        if (want.strayByte) continue;   // the tune loops; its seam is tested apart
        EXPECT_LT(std::fabs(s.front()), 0.02f);
        EXPECT_LT(std::fabs(s.back()), 0.02f);
    }
}

TEST(ResourceWaves, IntroLoopJoinsWithoutAClick) {
    std::vector<float> s = Samples(Resource("INTRO", "WAV"));
    ASSERT_GT(s.size(), 1000u);
    // The step over the seam is no larger than the steps the tune takes anyway.
    std::vector<float> steps;
    for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::fabs(s[i] - s[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    float usual = steps[steps.size() * 99 / 100];
    EXPECT_LE(std::fabs(s.front() - s.back()), usual + 1.0f / 64);
}

TEST(ResourceIcon, GroupListsFiveImagesThatExist) {
    Bytes group = Resource(MAKEINTRESOURCEA(101), RT_GROUP_ICON);
    ASSERT_EQ(group.size(), 76u);
    EXPECT_EQ(U16(group, 0), 0);
    EXPECT_EQ(U16(group, 2), 1);
    ASSERT_EQ(U16(group, 4), 5);
    struct Entry {
        int size, colours, bits;
        uint32_t bytes;
    };
    const Entry expected[5] = {{32, 16, 4, 744}, {32, 0, 8, 2216}, {32, 2, 1, 304}, {16, 16, 4, 296}, {48, 0, 8, 3752}};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i + 1);
        size_t e = 6 + 14 * i;
        EXPECT_EQ(group[e], expected[i].size);
        EXPECT_EQ(group[e + 1], expected[i].size);
        EXPECT_EQ(group[e + 2], expected[i].colours);
        EXPECT_EQ(U16(group, e + 4), 1);
        EXPECT_EQ(U16(group, e + 6), expected[i].bits);
        EXPECT_EQ(U32(group, e + 8), expected[i].bytes);
        uint16_t id = U16(group, e + 12);
        EXPECT_EQ(id, i + 1);
        Bytes image = Resource(MAKEINTRESOURCEA(id), RT_ICON);
        ASSERT_EQ(image.size(), expected[i].bytes);
        EXPECT_EQ(U32(image, 0), 40u);
        EXPECT_EQ(static_cast<int>(U32(image, 4)), expected[i].size);
        EXPECT_EQ(static_cast<int>(U32(image, 8)), expected[i].size * 2);
        EXPECT_EQ(U16(image, 14), expected[i].bits);
        // The ground is transparent: the mask's first row (the picture's
        // bottom row) starts with a set bit, and some pixels are opaque.
        size_t colourBytes = ((expected[i].size * expected[i].bits + 31) / 32) * 4 * expected[i].size;
        size_t maskAt = 40 + 4 * (size_t{1} << expected[i].bits) + colourBytes;
        ASSERT_LT(maskAt, image.size());
        EXPECT_TRUE(image[maskAt] & 0x80);
        bool opaque = false;
        for (size_t k = maskAt; k < image.size(); ++k) opaque |= image[k] != 0xFF;
        EXPECT_TRUE(opaque);
    }
}

TEST(ResourceMenu, TheUnusedMenuHoldsFileExit) {
    Bytes menu = Resource(MAKEINTRESOURCEA(102), RT_MENU);
    ASSERT_EQ(menu.size(), 34u);
    EXPECT_EQ(U32(menu, 0), 0u);
    EXPECT_EQ(U16(menu, 4), 0x90);
    EXPECT_EQ(U16(menu, 18), 0x80);
    EXPECT_EQ(U16(menu, 20), 40001);
    std::string exit;
    for (size_t at = 22; at + 1 < menu.size() && U16(menu, at); at += 2) exit += static_cast<char>(U16(menu, at));
    EXPECT_EQ(exit, "E&xit");
}

// The embedded bytes are the committed files' bytes (bitmaps without their
// file header): the build compiled what is in the source tree.
TEST(ResourceBuild, EmbeddedBytesAreTheCommittedFiles) {
    const char* source = std::getenv("KALVENOR_SOURCE_DIR");
    if (source == nullptr) GTEST_SKIP() << "KALVENOR_SOURCE_DIR not set";
    struct File {
        const char* name;
        LPCSTR type;
        const char* file;
        size_t skip;
    };
    const File files[] = {{"FONTS", RT_BITMAP, "fonts.bmp", 14}, {"DESERT", RT_BITMAP, "desert.bmp", 14},
                          {"SHOT", "WAV", "shot.wav", 0},        {"INTRO", "WAV", "intro.wav", 0}};
    for (const File& f : files) {
        std::ifstream in(std::string(source) + "/resources/" + f.file, std::ios::binary);
        Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), f.skip) << f.file;
        EXPECT_TRUE(Bytes(bytes.begin() + static_cast<long>(f.skip), bytes.end()) == Resource(f.name, f.type)) << f.file;
    }
}

}  // namespace
