// The bitmap decoder and the GDI stand-in: decoding, LoadImageA, StretchBlt's
// conversion and the GetPixel/SetPixel round trip.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "display_fixture.h"
#include "platform/ddraw/dib_decode.h"
#include "platform/faults.h"
#include "platform/inspect.h"

using display_test::Device;
using display_test::Dib;
using display_test::Dib8;
using display_test::Paint;
using display_test::Read;
using display_test::WithFileHeader;

namespace {

const std::vector<uint32_t> kColours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

std::vector<uint8_t> Rle(int32_t width, int32_t height, const std::vector<uint8_t>& stream) {
    return Dib(width, height, 8, BI_RLE8, kColours, stream);
}

bool Decodes(const std::vector<uint8_t>& dib, platform::DecodedImage& out) {
    return platform::DecodeDib(dib.data(), dib.size(), out);
}

TEST(DibDecode, Rle8RunsAbsoluteRunsLinesAndDeltaComeOutTopRowFirst) {
    // Bottom row: run of 2 red, absolute [green, blue, white] padded; top row
    // after a delta of one column: one white.
    const std::vector<uint8_t> stream = {2, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 0, 1, 4, 0, 1};
    platform::DecodedImage img;
    ASSERT_TRUE(Decodes(Rle(5, 2, stream), img));
    ASSERT_EQ(img.width, 5);
    ASSERT_EQ(img.height, 2);
    const std::vector<uint32_t> expected = {0, 0xFFFFFF, 0, 0, 0, 0xFF0000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    EXPECT_EQ(img.pixels, expected);
}

TEST(DibDecode, MalformedRle8IsRefusedWhole) {
    platform::DecodedImage img;
    img.width = 77;
    const std::vector<std::vector<uint8_t>> bad = {
        {6, 1, 0, 1},                 // a run past the end of the row
        {3, 1, 0, 4, 1, 2, 3, 4, 0, 1},  // runs adding up past the row
        {0, 3, 1, 2, 3},              // absolute run without its padding
        {0, 5, 1, 2},                 // absolute run cut short
        {2, 1, 0, 0},                 // no end of bitmap
        {2, 1},                       // ends without end of bitmap
        {0, 0, 0, 0, 0, 0, 1, 1, 0, 1},  // a run below the last row
        {0, 2, 9, 0, 0, 1},           // delta past the row
        {0, 2, 0, 9, 0, 1},           // delta past the last row
        {0, 2, 0},                    // delta cut short
        {},
    };
    for (const auto& stream : bad) EXPECT_FALSE(Decodes(Rle(5, 2, stream), img)) << stream.size();
    EXPECT_EQ(img.width, 77) << "a refused bitmap leaves the output alone";

    const std::vector<uint8_t> ok = {5, 1, 0, 0, 5, 2, 0, 1};
    EXPECT_TRUE(Decodes(Rle(5, 2, ok), img));
    EXPECT_FALSE(Decodes(Rle(5, -2, ok), img)) << "RLE8 is bottom-up only";
    EXPECT_FALSE(Decodes(Rle(0, 2, ok), img));
    EXPECT_FALSE(Decodes(Rle(1 << 20, 2, ok), img)) << "huge width";
    EXPECT_FALSE(Decodes(Rle(1 << 12, 1 << 12, ok), img)) << "too many pixels";
    EXPECT_FALSE(Decodes(Dib(5, 2, 8, BI_RLE8, kColours, ok, 300), img)) << "more than 256 colours";
    EXPECT_FALSE(Decodes(Dib(5, 2, 8, BI_RLE8, kColours, ok, 5000000), img)) << "table past the data";
    auto truncated = Rle(5, 2, ok);
    truncated.resize(truncated.size() - 1);
    EXPECT_FALSE(Decodes(truncated, img)) << "image size claims more than is there";
    for (size_t n = 0; n < truncated.size(); ++n)
        EXPECT_FALSE(platform::DecodeDib(truncated.data(), n, img)) << n;
    EXPECT_FALSE(Decodes(Dib(5, 2, 4, BI_RGB, kColours, std::vector<uint8_t>(8)), img)) << "4-bit unsupported";
}

TEST(DibDecode, UncompressedBitmapsAtEightAndTwentyFourBits) {
    platform::DecodedImage img;
    ASSERT_TRUE(Decodes(Dib8(3, 2, kColours, {1, 2, 3, 4, 0, 1}), img));
    EXPECT_EQ(img.pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0, 0xFF0000}));
    EXPECT_FALSE(Decodes(Dib(3, 2, 8, BI_RGB, kColours, std::vector<uint8_t>(7)), img)) << "rows missing";

    // Two 24-bit pixels per row, rows padded to 8 bytes, bottom row first.
    const std::vector<uint8_t> bits = {0x30, 0x20, 0x10, 1, 2, 3, 0, 0, 0xCC, 0xBB, 0xAA, 4, 5, 6, 0, 0};
    ASSERT_TRUE(Decodes(Dib(2, 2, 24, BI_RGB, {}, bits), img));
    EXPECT_EQ(img.pixels, (std::vector<uint32_t>{0xAABBCC, 0x060504, 0x102030, 0x030201}));
    ASSERT_TRUE(Decodes(Dib(2, -2, 24, BI_RGB, {}, bits), img));
    EXPECT_EQ(img.pixels[0], 0x102030u) << "negative height is top-down";
}

TEST(DibDecode, BitmapFilesNeedTheirHeader) {
    const auto dib = Dib8(2, 1, kColours, {1, 2});
    auto file = WithFileHeader(dib, static_cast<uint32_t>(kColours.size()));
    platform::DecodedImage img;
    ASSERT_TRUE(platform::DecodeBitmapFile(file.data(), file.size(), img));
    EXPECT_EQ(img.pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00}));
    file[0] = 'X';
    EXPECT_FALSE(platform::DecodeBitmapFile(file.data(), file.size(), img));
    EXPECT_FALSE(platform::DecodeBitmapFile(dib.data(), dib.size(), img));
}

class Gdi : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        bitmaps_ = platform::inspect::LiveBitmaps();
    }
    void TearDown() override {
        dev_.Close();
        EXPECT_EQ(platform::inspect::LiveBitmaps(), bitmaps_);
        headless::Reset();
    }
    Device dev_;
    int bitmaps_ = 0;
};

TEST_F(Gdi, LoadImageFromAFileAndNothingForAnythingElse) {
    display_test::ScratchDir dir;
    display_test::WriteFile(dir.Path() / "pic.bmp", WithFileHeader(Dib8(3, 2, kColours, {1, 2, 3, 4, 0, 1}), 5));
    display_test::WriteFile(dir.Path() / "junk.bmp", {'B', 'M', 1, 2, 3});
    HANDLE h = LoadImageA(NULL, "pic.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    ASSERT_NE(h, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(h, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_FALSE(DeleteObject(h)) << "a handle is deleted once";

    EXPECT_EQ(LoadImageA(NULL, "junk.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageA(NULL, "absent.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageA(NULL, "pic.bmp", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr)
        << "without LR_LOADFROMFILE the name is a resource name";
    EXPECT_EQ(LoadImageA(NULL, "pic.bmp", 1, 0, 0, LR_LOADFROMFILE), nullptr) << "only bitmaps";
}

TEST_F(Gdi, StretchBltConvertsByKeepingTopBitsBlackToZero) {
    display_test::ScratchDir dir;
    const std::vector<uint32_t> colours = {0x000000, 0xFFFFFF, 0x808080, 0x070307, 0x123456};
    display_test::WriteFile(dir.Path() / "c.bmp", WithFileHeader(Dib8(5, 1, colours, {0, 1, 2, 3, 4}), 5));
    for (bool is555 : {false, true}) {
        platform::faults::UseLayout555(is555);
        dev_.Open();
        LPDIRECTDRAWSURFACE s = dev_.Plain(5, 1);
        Paint(s, [](int, int) { return uint16_t{0xEEEE}; });
        HANDLE bitmap = LoadImageA(NULL, "c.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
        ASSERT_NE(bitmap, nullptr);
        HDC memory = CreateCompatibleDC(NULL);
        SelectObject(memory, bitmap);
        HDC dc = nullptr;
        ASSERT_EQ(s->GetDC(&dc), DD_OK);
        EXPECT_TRUE(StretchBlt(dc, 0, 0, 5, 1, memory, 0, 0, 5, 1, SRCCOPY));
        EXPECT_FALSE(StretchBlt(dc, 0, 0, 5, 1, NULL, 0, 0, 5, 1, SRCCOPY));
        s->ReleaseDC(dc);
        DeleteDC(memory);
        DeleteObject(bitmap);
        const auto p = Read(s);
        EXPECT_EQ(p.At(0, 0), 0);
        EXPECT_EQ(p.At(1, 0), is555 ? 0x7FFF : 0xFFFF);
        EXPECT_EQ(p.At(2, 0), is555 ? 0x4210 : 0x8410);
        EXPECT_EQ(p.At(3, 0), 0) << "a colour darker than one step is black too";
        EXPECT_EQ(p.At(4, 0), is555 ? ((0x12 >> 3) << 10 | (0x34 >> 3) << 5 | (0x56 >> 3))
                                    : ((0x12 >> 3) << 11 | (0x34 >> 2) << 5 | (0x56 >> 3)));
        s->Release();
        dev_.Close();
    }
}

TEST_F(Gdi, EveryPixelValueSurvivesGetPixelThenSetPixel) {
    for (bool is555 : {false, true}) {
        platform::faults::UseLayout555(is555);
        dev_.Open();
        LPDIRECTDRAWSURFACE s = dev_.Plain(256, 256);
        const uint16_t mask = is555 ? 0x7FFF : 0xFFFF;
        Paint(s, [&](int x, int y) { return static_cast<uint16_t>((y * 256 + (x & 255)) & mask); });
        HDC dc = nullptr;
        ASSERT_EQ(s->GetDC(&dc), DD_OK);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) SetPixel(dc, x, y, GetPixel(dc, x, y));
        EXPECT_EQ(GetPixel(dc, 256, 0), CLR_INVALID);
        EXPECT_EQ(GetPixel(dc, 0, -1), CLR_INVALID);
        EXPECT_EQ(SetPixel(dc, -1, 0, 0), CLR_INVALID);
        s->ReleaseDC(dc);
        const auto p = Read(s);
        int changed = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) changed += p.At(x, y) != ((y * 256 + x) & mask);
        EXPECT_EQ(changed, 0);
        s->Release();
        dev_.Close();
    }
}

}  // namespace
