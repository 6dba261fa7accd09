// The DirectDraw stand-in: pixel loops, mode, blits, flip, lock, loss.
#include <ddraw.h>
#include <gtest/gtest.h>

#include <vector>

#include "display_fixture.h"
#include "platform/ddraw/pixel_loops.h"
#include "platform/faults.h"
#include "platform/headless/headless.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "platform/internal.h"

using display_test::Device;
using display_test::Paint;
using display_test::Read;

namespace {

// A block inside a guard frame, to see that the loops stay in their block.
struct Canvas {
    static constexpr int kGuard = 3;
    static constexpr uint16_t kGuardValue = 0xABCD;
    int width, height, stride;
    std::vector<uint16_t> memory;
    Canvas(int w, int h, uint16_t fill)
        : width(w), height(h), stride(w + 2 * kGuard),
          memory(static_cast<size_t>(stride) * (h + 2 * kGuard), kGuardValue) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) *At(x, y) = fill;
    }
    uint16_t* At(int x, int y) { return &memory[static_cast<size_t>(y + kGuard) * stride + x + kGuard]; }
    int32_t Pitch() const { return stride * 2; }
    bool GuardIntact() {
        for (int y = -kGuard; y < height + kGuard; ++y)
            for (int x = -kGuard; x < width + kGuard; ++x) {
                const bool inside = x >= 0 && y >= 0 && x < width && y < height;
                if (!inside && *At(x, y) != kGuardValue) return false;
            }
        return true;
    }
};

TEST(PixelLoops, CopyKeyedFillAndStretchStayInTheirBlock) {
    Canvas src(7, 5, 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) *src.At(x, y) = static_cast<uint16_t>(y * 16 + x);

    Canvas copy(7, 5, 0x1111);
    pixels::Copy(copy.At(0, 0), copy.Pitch(), src.At(0, 0), src.Pitch(), 7, 5);
    EXPECT_EQ(*copy.At(6, 4), 4 * 16 + 6);
    EXPECT_TRUE(copy.GuardIntact());

    Canvas keyed(7, 5, 0x1111);
    pixels::CopyKeyed(keyed.At(0, 0), keyed.Pitch(), src.At(0, 0), src.Pitch(), 7, 5, 0x0012);
    EXPECT_EQ(*keyed.At(2, 1), 0x1111) << "the key pixel leaves the destination";
    EXPECT_EQ(*keyed.At(3, 1), 0x0013);
    EXPECT_TRUE(keyed.GuardIntact());

    Canvas unkeyed(7, 5, 0x1111);
    pixels::CopyKeyed(unkeyed.At(0, 0), unkeyed.Pitch(), src.At(0, 0), src.Pitch(), 7, 5, CLR_INVALID);
    EXPECT_EQ(*unkeyed.At(0, 0), 0) << "an out-of-range key matches no pixel, black included";

    Canvas fill(7, 5, 0);
    pixels::Fill(fill.At(1, 1), fill.Pitch(), 5, 3, 0x7777);
    EXPECT_EQ(*fill.At(0, 0), 0);
    EXPECT_EQ(*fill.At(1, 1), 0x7777);
    EXPECT_EQ(*fill.At(5, 3), 0x7777);
    EXPECT_EQ(*fill.At(6, 4), 0);
    EXPECT_TRUE(fill.GuardIntact());

    Canvas big(14, 10, 0);
    pixels::Stretch(big.At(0, 0), big.Pitch(), 14, 10, src.At(0, 0), src.Pitch(), 7, 5, false);
    EXPECT_EQ(*big.At(13, 9), 4 * 16 + 6);
    EXPECT_EQ(*big.At(2, 2), 1 * 16 + 1);
    EXPECT_TRUE(big.GuardIntact());

    Canvas mirrored(7, 5, 0);
    pixels::Stretch(mirrored.At(0, 0), mirrored.Pitch(), 7, 5, src.At(0, 0), src.Pitch(), 7, 5, true);
    EXPECT_EQ(*mirrored.At(3, 0), 4 * 16 + 3) << "the source's bottom row comes out on top";
    EXPECT_EQ(*mirrored.At(3, 4), 3);
    EXPECT_TRUE(mirrored.GuardIntact());
}

class DirectDraw : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        live_ = platform::inspect::LiveSurfaces();
    }
    void TearDown() override {
        dev_.Close();
        EXPECT_EQ(platform::inspect::LiveSurfaces(), live_) << "every surface was freed";
        headless::Reset();
    }
    Device dev_;
    int live_ = 0;
};

TEST_F(DirectDraw, ModeAndLayouts) {
    LPDIRECTDRAW dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(NULL, &dd, NULL), DD_OK);
    EXPECT_EQ(dd->SetDisplayMode(800, 600, 16), DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    EXPECT_NE(dd->SetDisplayMode(640, 480, 16), DD_OK);
    EXPECT_NE(dd->SetDisplayMode(800, 600, 32), DD_OK);
    dd->Release();

    for (bool is555 : {false, true}) {
        platform::faults::UseLayout555(is555);
        Device d;
        d.Open();
        DDPIXELFORMAT pf{};
        pf.dwSize = sizeof(pf);
        ASSERT_EQ(d.primary->GetPixelFormat(&pf), DD_OK);
        EXPECT_EQ(pf.dwRGBBitCount, 16u);
        EXPECT_EQ(pf.dwGBitMask, is555 ? 0x03E0u : 0x07E0u);
        EXPECT_EQ(pf.dwRBitMask, is555 ? 0x7C00u : 0xF800u);
        d.Close();
    }
}

TEST_F(DirectDraw, SizesAreCheckedAndNamedCallsFailOnRequest) {
    dev_.Open();
    DDSURFACEDESC desc{};
    desc.dwSize = 108;  // the 32-bit size is wrong here
    EXPECT_EQ(dev_.back->Lock(NULL, &desc, DDLOCK_WAIT, NULL), DDERR_INVALIDPARAMS);
    DDPIXELFORMAT pf{};
    pf.dwSize = 0;
    EXPECT_EQ(dev_.primary->GetPixelFormat(&pf), DDERR_INVALIDPARAMS);
    DDBLTFX fx{};
    fx.dwSize = 100;
    EXPECT_EQ(dev_.back->Blt(NULL, NULL, NULL, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DDERR_INVALIDPARAMS);

    for (const char* name : {"GetPixelFormat", "Lock", "GetAttachedSurface"}) {
        platform::faults::FailNext(name);
        pf.dwSize = sizeof(pf);
        desc.dwSize = sizeof(desc);
        DDSCAPS caps{DDSCAPS_BACKBUFFER};
        LPDIRECTDRAWSURFACE attached = nullptr;
        const HRESULT hr = std::string(name) == "Lock"             ? dev_.back->Lock(NULL, &desc, 1, NULL)
                           : std::string(name) == "GetPixelFormat" ? dev_.primary->GetPixelFormat(&pf)
                                                                   : dev_.primary->GetAttachedSurface(&caps, &attached);
        EXPECT_LT(hr, 0) << name;
    }
    platform::faults::FailNext("CreateSurface");
    DDSURFACEDESC plain{};
    plain.dwSize = sizeof(plain);
    plain.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    plain.dwWidth = plain.dwHeight = 4;
    plain.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    LPDIRECTDRAWSURFACE s = reinterpret_cast<LPDIRECTDRAWSURFACE>(1);
    EXPECT_NE(dev_.dd->CreateSurface(&plain, &s, NULL), DD_OK);
    EXPECT_EQ(s, nullptr);
    platform::faults::FailNext("DirectDrawCreate");
    LPDIRECTDRAW dd = nullptr;
    EXPECT_NE(DirectDrawCreate(NULL, &dd, NULL), DD_OK);
    EXPECT_EQ(dd, nullptr);
}

TEST_F(DirectDraw, LockGivesWholeRowsAtAPitchOfWholeWords) {
    dev_.Open();
    for (int width : {1, 2, 3, 5, 50, 801}) {
        LPDIRECTDRAWSURFACE s = dev_.Plain(width, 3);
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof(desc);
        ASSERT_EQ(s->Lock(NULL, &desc, 0, NULL), DD_OK);
        EXPECT_EQ(desc.lPitch % 4, 0);
        EXPECT_GE(desc.lPitch, width * 2);
        EXPECT_EQ(desc.dwWidth, static_cast<DWORD>(width));
        EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 16u);
        EXPECT_NE(desc.lpSurface, nullptr);
        EXPECT_EQ(s->Unlock(NULL), DD_OK);
        s->Release();
    }
}

TEST_F(DirectDraw, BltFastCopiesExactlyWithOrWithoutTheKey) {
    dev_.Open();
    LPDIRECTDRAWSURFACE src = dev_.Plain(4, 3);
    LPDIRECTDRAWSURFACE dst = dev_.Plain(10, 8);
    Paint(src, [](int x, int y) { return static_cast<uint16_t>(x == 1 ? 0 : 0x100 + y * 4 + x); });
    Paint(dst, [](int, int) { return uint16_t{0x5555}; });
    DDCOLORKEY key{0, 0};
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);

    RECT r{1, 0, 4, 2};
    ASSERT_EQ(dst->BltFast(6, 5, src, &r, DDBLTFAST_NOCOLORKEY), DD_OK);
    auto p = Read(dst);
    EXPECT_EQ(p.At(6, 5), 0) << "without the key black is copied";
    EXPECT_EQ(p.At(8, 6), 0x100 + 4 + 3);
    EXPECT_EQ(p.At(9, 6), 0x5555);
    EXPECT_EQ(p.At(6, 7), 0x5555);

    ASSERT_EQ(dst->BltFast(0, 0, src, &r, DDBLTFAST_SRCCOLORKEY), DD_OK);
    p = Read(dst);
    EXPECT_EQ(p.At(0, 0), 0x5555) << "with the key black leaves the destination";
    EXPECT_EQ(p.At(1, 0), 0x102);

    RECT empty{2, 1, 2, 3};
    EXPECT_EQ(dst->BltFast(0, 0, src, &empty, 0), DD_OK);
    RECT inverted{3, 0, 2, 2};
    EXPECT_EQ(dst->BltFast(0, 0, src, &inverted, 0), DDERR_INVALIDRECT);
    RECT whole{0, 0, 4, 3};
    EXPECT_EQ(dst->BltFast(7, 0, src, &whole, 0), DDERR_INVALIDRECT) << "one column past the right edge";
    EXPECT_EQ(dst->BltFast(0, 6, src, &whole, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(0xFFFFFFFFu, 0, src, &whole, 0), DDERR_INVALIDRECT);
    RECT outside{2, 0, 5, 3};
    EXPECT_EQ(dst->BltFast(0, 0, src, &outside, 0), DDERR_INVALIDRECT);
    src->Release();
    dst->Release();
}

// Every rectangle against a small surface: the call either copies exactly the
// rectangle or refuses, and never writes outside it, padding included.
TEST_F(DirectDraw, NoBltWritesOutsideItsRectangle) {
    dev_.Open();
    LPDIRECTDRAWSURFACE src = dev_.Plain(5, 4);
    LPDIRECTDRAWSURFACE dst = dev_.Plain(5, 4);
    Paint(src, [](int, int) { return uint16_t{0x1234}; });
    const LONG edges[] = {-6, -1, 0, 1, 3, 4, 5, 6, 1000};
    const DWORD positions[] = {0, 1, 4, 5, 6, 0x7FFFFFFFu, 0xFFFFFFFFu};
    for (LONG l : edges)
        for (LONG t : edges)
            for (LONG rr : edges)
                for (LONG b : edges)
                    for (DWORD x : positions)
                        for (DWORD y : {DWORD{0}, DWORD{3}, DWORD{0xFFFFFFFFu}}) {
                            Paint(dst, [](int, int) { return uint16_t{0}; });
                            RECT r{l, t, rr, b};
                            const HRESULT hr = dst->BltFast(x, y, src, &r, 0);
                            const auto p = Read(dst);
                            const bool fits = l >= 0 && t >= 0 && l <= rr && t <= b && rr <= 5 && b <= 4 &&
                                              (l == rr || t == b || (int64_t{x} + (rr - l) <= 5 && int64_t{y} + (b - t) <= 4));
                            ASSERT_EQ(hr == DD_OK, fits)
                                << l << "," << t << "," << rr << "," << b << " at " << x << "," << y;
                            for (int py = 0; py < p.height; ++py)
                                for (int px = 0; px < p.stride; ++px) {
                                    const int64_t left = x, top = y;
                                    const bool inside = hr == DD_OK && px >= left && px < left + (rr - l) &&
                                                        py >= top && py < top + (b - t);
                                    ASSERT_EQ(p.At(px, py), inside ? 0x1234 : 0) << px << "," << py;
                                }
                        }
    for (LONG l : edges)
        for (LONG t : edges)
            for (LONG rr : edges)
                for (LONG b : edges) {
                    Paint(dst, [](int, int) { return uint16_t{0}; });
                    RECT d{l, t, rr, b};
                    DDBLTFX fx{};
                    fx.dwSize = sizeof(fx);
                    fx.dwFillColor = 0x1234;
                    const HRESULT fill = dst->Blt(&d, NULL, NULL, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
                    const HRESULT stretch = dst->Blt(&d, src, NULL, 0, NULL);
                    const bool fits = l >= 0 && t >= 0 && l < rr && t < b && rr <= 5 && b <= 4;
                    ASSERT_EQ(fill == DD_OK, fits);
                    ASSERT_EQ(stretch == DD_OK, fits);
                    const auto p = Read(dst);
                    for (int py = 0; py < p.height; ++py)
                        for (int px = 0; px < p.stride; ++px) {
                            const bool inside = fits && px >= l && px < rr && py >= t && py < b;
                            ASSERT_EQ(p.At(px, py), inside ? 0x1234 : 0);
                        }
                }
    src->Release();
    dst->Release();
}

TEST_F(DirectDraw, BltFillsAndStretchesMirrored) {
    dev_.Open();
    DDBLTFX fx{};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = 0xF00F;
    ASSERT_EQ(dev_.back->Blt(NULL, NULL, NULL, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    auto p = Read(dev_.back);
    EXPECT_EQ(p.At(0, 0), 0xF00F);
    EXPECT_EQ(p.At(799, 599), 0xF00F);

    LPDIRECTDRAWSURFACE src = dev_.Plain(2, 2);
    Paint(src, [](int x, int y) { return static_cast<uint16_t>(y * 2 + x + 1); });
    RECT d{10, 10, 14, 14};
    DDBLTFX mirror{};
    mirror.dwSize = sizeof(mirror);
    mirror.dwDDFX = DDBLTFX_MIRRORUPDOWN;
    ASSERT_EQ(dev_.back->Blt(&d, src, NULL, DDBLT_DDFX, &mirror), DD_OK);
    p = Read(dev_.back);
    EXPECT_EQ(p.At(10, 10), 3);
    EXPECT_EQ(p.At(13, 11), 4);
    EXPECT_EQ(p.At(10, 13), 1);
    EXPECT_EQ(p.At(14, 10), 0xF00F);
    RECT leaving{790, 0, 801, 10};
    EXPECT_LT(dev_.back->Blt(&leaving, src, NULL, 0, NULL), 0);
    src->Release();
}

TEST_F(DirectDraw, FlipShowsTheBackBufferWhichStaysTheDrawingTarget) {
    dev_.Open();
    EXPECT_EQ(platform::LastFrame(nullptr, nullptr), nullptr);
    Paint(dev_.back, [](int x, int) { return static_cast<uint16_t>(x); });
    ASSERT_EQ(dev_.primary->Flip(NULL, 0), DD_OK);
    EXPECT_EQ(headless::PresentedCount(), 1u);
    EXPECT_EQ(headless::LastFrame().At(799, 599), 799);
    int32_t pitch = 0;
    const uint16_t* last = platform::LastFrame(&pitch, nullptr);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last[123], 123);

    Paint(dev_.back, [](int, int) { return uint16_t{7}; });
    platform::faults::StillDrawing(2);
    EXPECT_EQ(dev_.primary->Flip(NULL, 0), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(dev_.primary->Flip(NULL, 0), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(headless::PresentedCount(), 1u) << "a refused flip shows nothing";
    ASSERT_EQ(dev_.primary->Flip(NULL, 0), DD_OK);
    EXPECT_EQ(headless::LastFrame().At(5, 5), 7);
}

TEST_F(DirectDraw, LostSurfacesRefuseUntilRestoredAndKeepTheirKey) {
    dev_.Open();
    LPDIRECTDRAWSURFACE src = dev_.Plain(8, 8);
    DDCOLORKEY key{0x1F, 0x1F};
    src->SetColorKey(DDCKEY_SRCBLT, &key);
    platform::faults::LoseAllSurfaces();
    RECT r{0, 0, 8, 8};
    EXPECT_EQ(dev_.back->BltFast(0, 0, src, &r, 1), DDERR_SURFACELOST);
    EXPECT_EQ(dev_.primary->Flip(NULL, 0), DDERR_SURFACELOST);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(src->Lock(NULL, &desc, DDLOCK_WAIT, NULL), DDERR_SURFACELOST);
    HDC dc = nullptr;
    EXPECT_EQ(src->GetDC(&dc), DDERR_SURFACELOST);

    platform::faults::RefuseRestore(1);
    EXPECT_NE(dev_.primary->Restore(), DD_OK);
    EXPECT_EQ(dev_.primary->Restore(), DD_OK);
    EXPECT_EQ(dev_.back->Restore(), DD_OK) << "the back buffer came back with its primary";
    EXPECT_EQ(dev_.back->BltFast(0, 0, src, &r, 1), DDERR_SURFACELOST) << "the source is still lost";
    EXPECT_EQ(src->Restore(), DD_OK);
    Paint(src, [](int x, int) { return static_cast<uint16_t>(x == 0 ? 0x1F : 0x2222); });
    Paint(dev_.back, [](int, int) { return uint16_t{0}; });
    EXPECT_EQ(dev_.back->BltFast(0, 0, src, &r, 1), DD_OK);
    const auto p = Read(dev_.back);
    EXPECT_EQ(p.At(0, 0), 0) << "the key survived the loss";
    EXPECT_EQ(p.At(1, 0), 0x2222);

    platform::DrawOnForeground(false);
    EXPECT_NE(dev_.primary->Restore(), DD_OK) << "no restore in the background";
    platform::DrawOnForeground(true);
    EXPECT_EQ(dev_.primary->Restore(), DD_OK);
    src->Release();
}

TEST_F(DirectDraw, ReleasingThePrimaryFreesTheChain) {
    const int before = platform::inspect::LiveSurfaces();
    dev_.Open();
    EXPECT_EQ(platform::inspect::LiveSurfaces(), before + 2);
    dev_.primary->Release();
    dev_.primary = dev_.back = nullptr;
    EXPECT_EQ(platform::inspect::LiveSurfaces(), before);
}

}  // namespace
