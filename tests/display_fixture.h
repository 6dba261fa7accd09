// Shared by the display, effects, text and platform drawing tests: synthetic
// bitmaps, a device in the game's mode, and a directory of picture files
// that the loader falls back to when a picture is not a resource.
#pragma once

#include <ddraw.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/static_objects.h"
#include "display/display.h"
#include "platform/headless/headless.h"
#include "support/game_run.h"
#include "tools/common/little_endian.h"

namespace display_test {

// A packed DIB: info header, `colours` (0x00RRGGBB) as the table, then bits.
inline std::vector<uint8_t> Dib(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                                const std::vector<uint32_t>& colours, const std::vector<uint8_t>& bits,
                                uint32_t clrUsed = 0xFFFFFFFF) {
    std::vector<uint8_t> v;
    PutDword(v, 40);
    PutDword(v, static_cast<uint32_t>(width));
    PutDword(v, static_cast<uint32_t>(height));
    PutWord(v, 1);
    PutWord(v, bitCount);
    PutDword(v, compression);
    PutDword(v, static_cast<uint32_t>(bits.size()));
    PutDword(v, 2835);
    PutDword(v, 2835);
    PutDword(v, clrUsed == 0xFFFFFFFF ? static_cast<uint32_t>(colours.size()) : clrUsed);
    PutDword(v, 0);
    for (uint32_t c : colours) PutDword(v, c);
    v.insert(v.end(), bits.begin(), bits.end());
    return v;
}

// Indices (top row first) as an uncompressed 8-bit DIB.
inline std::vector<uint8_t> Dib8(int32_t width, int32_t height, const std::vector<uint32_t>& colours,
                                 const std::vector<uint8_t>& topDown) {
    const int32_t stride = (width + 3) & ~3;
    std::vector<uint8_t> bits(static_cast<size_t>(stride) * height, 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            bits[static_cast<size_t>(height - 1 - y) * stride + x] = topDown[static_cast<size_t>(y) * width + x];
    return Dib(width, height, 8, BI_RGB, colours, bits);
}

inline std::vector<uint8_t> WithFileHeader(const std::vector<uint8_t>& dib, uint32_t colourCount) {
    std::vector<uint8_t> v;
    PutWord(v, 0x4D42);
    PutDword(v, static_cast<uint32_t>(14 + dib.size()));
    PutDword(v, 0);
    PutDword(v, 14 + 40 + colourCount * 4);
    v.insert(v.end(), dib.begin(), dib.end());
    return v;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// A device switched to 800x600x16, as the game sets it up.
struct Device {
    LPDIRECTDRAW dd = nullptr;
    LPDIRECTDRAWSURFACE primary = nullptr;
    LPDIRECTDRAWSURFACE back = nullptr;

    void Open() {
        ASSERT_EQ(DirectDrawCreate(NULL, &dd, NULL), DD_OK);
        ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
        ASSERT_EQ(dd->SetDisplayMode(800, 600, 16), DD_OK);
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        ASSERT_EQ(dd->CreateSurface(&desc, &primary, NULL), DD_OK);
        DDSCAPS caps{DDSCAPS_BACKBUFFER};
        ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    }
    LPDIRECTDRAWSURFACE Plain(int width, int height) {
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = static_cast<DWORD>(width);
        desc.dwHeight = static_cast<DWORD>(height);
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        LPDIRECTDRAWSURFACE s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &s, NULL), DD_OK);
        return s;
    }
    void Close() {
        if (primary) primary->Release();
        primary = back = nullptr;
        if (dd) dd->Release();
        dd = nullptr;
    }
};

// The whole of a surface's memory, padding included, row by row.
struct Pixels {
    std::vector<uint16_t> data;
    int width = 0, height = 0, stride = 0;  // stride in pixels
    uint16_t At(int x, int y) const { return data[static_cast<size_t>(y) * stride + x]; }
};

inline Pixels Read(LPDIRECTDRAWSURFACE s) {
    Pixels p;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    if (s->Lock(NULL, &desc, DDLOCK_WAIT, NULL) != DD_OK) return p;
    p.width = static_cast<int>(desc.dwWidth);
    p.height = static_cast<int>(desc.dwHeight);
    p.stride = desc.lPitch / 2;
    const auto* base = static_cast<const uint16_t*>(desc.lpSurface);
    p.data.assign(base, base + static_cast<size_t>(p.stride) * p.height);
    s->Unlock(NULL);
    return p;
}

// Every pixel, padding included, set by f(x, y).
template <typename F>
void Paint(LPDIRECTDRAWSURFACE s, F f) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(s->Lock(NULL, &desc, DDLOCK_WAIT, NULL), DD_OK);
    auto* base = static_cast<uint8_t*>(desc.lpSurface);
    for (DWORD y = 0; y < desc.dwHeight; ++y) {
        auto* row = reinterpret_cast<uint16_t*>(base + static_cast<size_t>(y) * desc.lPitch);
        for (int x = 0; x < desc.lPitch / 2; ++x) row[x] = f(x, static_cast<int>(y));
    }
    s->Unlock(NULL);
}

// A scratch directory made current for the test, so that picture names that
// are not resources resolve to files in it.
class ScratchDir {
public:
    ScratchDir() {
        old_ = std::filesystem::current_path();
        char pattern[] = "/tmp/kalvenor_display_XXXXXX";
        path_ = mkdtemp(pattern);
        std::filesystem::current_path(path_);
    }
    ~ScratchDir() {
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(path_);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path old_, path_;
};

// The six pictures as small files: each filled with one colour index, with
// entry 0 black and entry 1 the picture's own colour.
inline void WritePictureFiles(const std::filesystem::path& dir) {
    struct Picture {
        const char* name;
        int width, height;
        uint32_t colour;
    };
    const Picture pictures[] = {{"FONTS", 640, 300, 0xC02020}, {"SPRITES", 50, 90, 0xFFFFFF},
                                {"DESERT", 800, 600, 0xC08040}, {"INTROPIC", 800, 600, 0x102080},
                                {"VILLAIN", 100, 120, 0x808000}, {"PRESIDENT", 100, 120, 0x524F2F}};
    for (const Picture& p : pictures) {
        std::vector<uint8_t> indices(static_cast<size_t>(p.width) * p.height, 1);
        WriteFile(dir / p.name, WithFileHeader(Dib8(p.width, p.height, {0x000000, p.colour}, indices), 2));
    }
}

// A fresh game state with the display created from the picture files.
class GameDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        kalvenor_test::ResetGame();
        WritePictureFiles(dir_.Path());
        ASSERT_EQ(gDisplay.Create(nullptr), 1);
    }
    void TearDown() override {
        gDisplay.ReleaseAll();
        kalvenor_test::ResetGame();
    }
    ScratchDir dir_;
};

}  // namespace display_test
