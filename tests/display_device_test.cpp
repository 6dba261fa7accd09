// Display: start-up steps and their failure texts, layouts, the lost-surface
// retry, restoring and releasing, and the bitmap loader.
#include <gtest/gtest.h>

#include <string>

#include "app/static_objects.h"
#include "display/bitmap_loader.h"
#include "display/blit.h"
#include "display/display.h"
#include "display_fixture.h"
#include "platform/faults.h"
#include "platform/inspect.h"
#include "support/game_run.h"

using display_test::Paint;
using display_test::Read;

namespace {

int destroyed = 0;

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ++destroyed;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        kalvenor_test::ResetGame();
        display_test::WritePictureFiles(dir_.Path());
        surfaces_ = platform::inspect::LiveSurfaces();
        destroyed = 0;
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = TestWindowProc;
        wc.lpszClassName = "DisplayTest";
        RegisterClassExA(&wc);
        window_ = CreateWindowExA(0, "DisplayTest", "DisplayTest", WS_POPUP, 0, 0, 800, 600, NULL, NULL, NULL, NULL);
    }
    void TearDown() override {
        gDisplay.ReleaseAll();
        if (headless::WindowShown()) DestroyWindow(window_);
        EXPECT_EQ(platform::inspect::LiveSurfaces(), surfaces_) << "every surface was released";
        kalvenor_test::ResetGame();
    }
    void ExpectFailure(const std::string& text) {
        ASSERT_FALSE(headless::MessageBoxes().empty());
        EXPECT_EQ(headless::MessageBoxes().back().text, text);
        EXPECT_EQ(headless::MessageBoxes().back().caption, "Kalvenor");
        EXPECT_EQ(gDisplay.lpDD, nullptr);
        EXPECT_EQ(PrimarySurface, nullptr);
        EXPECT_EQ(BackBuffer, nullptr);
        EXPECT_EQ(lpDDSFonts, nullptr);
        EXPECT_EQ(platform::inspect::LiveSurfaces(), surfaces_);
        EXPECT_EQ(destroyed, 1) << "the window was destroyed";
    }

    display_test::ScratchDir dir_;
    HWND window_ = nullptr;
    int surfaces_ = 0;
};

TEST_F(DisplayTest, CreateFillsEverySlotAndTellsTheLayout) {
    EXPECT_EQ(gDisplay.bitsPerPixel, 8);
    ASSERT_EQ(gDisplay.Create(window_), 1);
    EXPECT_EQ(ActiveDisplay, &gDisplay);
    EXPECT_EQ(gDisplay.bitsPerPixel, 16);
    EXPECT_EQ(gDisplay.is555, 0);
    for (LPDIRECTDRAWSURFACE s : {PrimarySurface, BackBuffer, lpDDSFonts, lpDDSSprites, lpDDSDesert, lpDDSIntroPic,
                                  lpDDSVillain, lpDDSPresident})
        EXPECT_NE(s, nullptr);
    EXPECT_TRUE(headless::MessageBoxes().empty());
    gDisplay.ReleaseAll();
    gDisplay.ReleaseAll();
    EXPECT_EQ(gDisplay.lpDD, nullptr);
    EXPECT_EQ(platform::inspect::LiveSurfaces(), surfaces_);

    kalvenor_test::ResetGame();
    platform::faults::UseLayout555(true);
    ASSERT_EQ(gDisplay.Create(window_), 1);
    EXPECT_EQ(gDisplay.is555, 1);
}

TEST_F(DisplayTest, SecondCreateIsRefusedAndTearsDown) {
    ASSERT_EQ(gDisplay.Create(window_), 1);
    EXPECT_EQ(gDisplay.Create(window_), 0);
    ExpectFailure("Execution FAILED on DDraw object already created");
}

struct StepFailure {
    const char* call;
    const char* text;
};

// Named by the failing call, so the test's name stays the same from run to run.
void PrintTo(const StepFailure& step, std::ostream* out) { *out << step.call; }

class DisplayStepTest : public DisplayTest, public ::testing::WithParamInterface<StepFailure> {};

TEST_P(DisplayStepTest, EachFailedStepShowsItsText) {
    platform::faults::FailNext(GetParam().call);
    EXPECT_EQ(gDisplay.Create(window_), 0);
    ExpectFailure(GetParam().text);
    EXPECT_EQ(headless::MessageBoxes().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DisplayStepTest,
    ::testing::Values(StepFailure{"DirectDrawCreate", "Execution FAILED on DirectDrawCreateEx"},
                      StepFailure{"SetCooperativeLevel", "Execution FAILED on SetCooperativeLevel"},
                      StepFailure{"SetDisplayMode", "Execution FAILED on SetDisplayMode"},
                      StepFailure{"CreateSurface", "Execution FAILED on CreateSurface"},
                      StepFailure{"GetAttachedSurface", "Execution FAILED on GetAttachedSurface"},
                      StepFailure{"GetPixelFormat", "Execution FAILED on GetPixelFormat caused an error."}),
    [](const ::testing::TestParamInfo<StepFailure>& step) { return std::string(step.param.call); });

TEST_F(DisplayTest, ReportFailureCutsLongTextsAtItsBuffer) {
    const std::string longName(400, 'x');
    EXPECT_EQ(ReportFailure(longName.c_str()), 0);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text.size(), 249u);
    EXPECT_EQ(headless::MessageBoxes()[0].text.rfind("Execution FAILED on xxx", 0), 0u);
}

TEST_F(DisplayTest, ALostSurfaceCostsTheInterruptedCallOnly) {
    ASSERT_EQ(gDisplay.Create(window_), 1);
    LPDIRECTDRAWSURFACE fresh = DDLoadBitmap(gDisplay.lpDD, "DESERT", 0, 0);
    ASSERT_NE(fresh, nullptr);
    const auto desert = Read(fresh);
    fresh->Release();
    auto sameAsDesert = [&](const display_test::Pixels& p) {
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if (p.At(x, y) != desert.At(x, y)) return false;
        return true;
    };
    ASSERT_EQ(ClearBackBuffer(), DD_OK);
    const RECT whole{0, 0, 800, 600};
    platform::faults::LoseAllSurfaces();
    EXPECT_EQ(ActiveDisplay->Blit(0, 0, whole, lpDDSDesert, BackBuffer, 0), DD_OK);
    EXPECT_FALSE(sameAsDesert(Read(BackBuffer))) << "the interrupted blit drew nothing";
    EXPECT_EQ(ActiveDisplay->Blit(0, 0, whole, lpDDSDesert, BackBuffer, 0), DD_OK);
    const auto p = Read(BackBuffer);
    EXPECT_TRUE(sameAsDesert(p)) << "the next one draws the reloaded picture";
    EXPECT_EQ(ActiveDisplay->Present(), DD_OK);
    EXPECT_EQ(headless::LastFrame().At(799, 599), p.At(799, 599));
}

TEST_F(DisplayTest, AnUnrestorablePrimaryReloadsNothingUntilItComesBack) {
    ASSERT_EQ(gDisplay.Create(window_), 1);
    platform::faults::LoseAllSurfaces();
    platform::faults::RefuseRestore(1);
    EXPECT_EQ(RestoreSurfaces(), DDERR_WRONGMODE);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(lpDDSDesert->Lock(NULL, &desc, DDLOCK_WAIT, NULL), DDERR_SURFACELOST) << "nothing else was restored";
    const RECT sprite{0, 0, 48, 50};
    platform::faults::RefuseRestore(1);
    EXPECT_EQ(ClippedBlit(10, 10, sprite, lpDDSSprites, BackBuffer, 1), DDERR_WRONGMODE);
    EXPECT_EQ(ClearBackBuffer(), DD_OK) << "restored at the next drawing call";
    Paint(lpDDSSprites, [](int, int) { return uint16_t{0xFFFF}; });
    EXPECT_EQ(ClippedBlit(10, 10, sprite, lpDDSSprites, BackBuffer, 1), DD_OK);
    EXPECT_EQ(Read(BackBuffer).At(10, 10), 0xFFFF);
}

TEST_F(DisplayTest, StillDrawingIsRetriedAndOffScreenBlitsMakeNoCall) {
    ASSERT_EQ(gDisplay.Create(window_), 1);
    ClearBackBuffer();
    Paint(lpDDSSprites, [](int, int) { return uint16_t{0xFFFF}; });
    const RECT sprite{0, 0, 48, 50};
    platform::faults::StillDrawing(3);
    EXPECT_EQ(ClippedBlit(0, 0, sprite, lpDDSSprites, BackBuffer, 0), DD_OK);
    EXPECT_EQ(Read(BackBuffer).At(47, 49), 0xFFFF);
    platform::faults::LoseAllSurfaces();
    EXPECT_EQ(ClippedBlit(800, 0, sprite, lpDDSSprites, BackBuffer, 0), DD_OK);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(BackBuffer->Lock(NULL, &desc, DDLOCK_WAIT, NULL), DDERR_SURFACELOST) << "no device call, no restore";
}

// Blits at every kind of position through the game's clipping: each either
// draws the visible part or nothing, and the rest of the screen stays black.
TEST_F(DisplayTest, ClippedBlitsDrawOnlyTheVisiblePart) {
    ASSERT_EQ(gDisplay.Create(window_), 1);
    Paint(lpDDSSprites, [](int, int) { return uint16_t{0xFFFF}; });
    const RECT sprite{0, 0, 48, 50};
    const LONG xs[] = {-100, -48, -47, -1, 0, 1, 751, 752, 799, 800, 2000000000};
    const LONG ys[] = {-100, -50, -49, 0, 549, 550, 599, 600};
    for (LONG x : xs)
        for (LONG y : ys) {
            ClearBackBuffer();
            EXPECT_EQ(ClippedBlit(x, y, sprite, lpDDSSprites, BackBuffer, 0), DD_OK);
            const auto p = Read(BackBuffer);
            for (int py = 0; py < 600; py += 1)
                for (int px = 0; px < p.stride; px += 1) {
                    const bool inside = px >= x && px < int64_t{x} + 48 && py >= y && py < y + 50 && px < 800;
                    if ((p.At(px, py) != 0) != inside) {
                        ADD_FAILURE() << "blit at " << x << "," << y << " pixel " << px << "," << py;
                        return;
                    }
                }
        }
}

TEST_F(DisplayTest, ColorMatchLeavesPixelZeroAndFindsBlack) {
    ASSERT_EQ(gDisplay.Create(window_), 1);
    Paint(lpDDSVillain, [](int x, int y) { return static_cast<uint16_t>(x == 0 && y == 0 ? 0xA5A5 : 0x1234); });
    EXPECT_EQ(DDColorMatch(lpDDSVillain, RGB(0, 0, 0)), 0u);
    EXPECT_EQ(DDColorMatch(lpDDSVillain, RGB(255, 255, 255)), 0xFFFFu);
    EXPECT_EQ(DDColorMatch(lpDDSVillain, RGB(255, 0, 0)), 0xF800u) << "RGB() is red lowest";
    EXPECT_EQ(Read(lpDDSVillain).At(0, 0), 0xA5A5);
    EXPECT_EQ(Read(lpDDSVillain).At(1, 0), 0x1234);
    EXPECT_EQ(DDColorMatch(lpDDSVillain, CLR_INVALID), 0xA5A5u);
    platform::faults::FailNext("Lock");
    EXPECT_EQ(DDColorMatch(lpDDSVillain, RGB(0, 0, 0)), CLR_INVALID);
    EXPECT_EQ(Read(lpDDSVillain).At(0, 0), 0xA5A5);
}

TEST_F(DisplayTest, KeyedSurfacesDropBlackAndTheIntroPictureDoesNot) {
    ASSERT_EQ(gDisplay.Create(window_), 1);
    for (LPDIRECTDRAWSURFACE s : {lpDDSIntroPic, lpDDSVillain}) {
        Paint(s, [](int, int) { return uint16_t{0}; });
        Paint(BackBuffer, [](int, int) { return uint16_t{0x4444}; });
        ActiveDisplay->Blit(0, 0, RECT{0, 0, 10, 10}, s, BackBuffer, 1);
        EXPECT_EQ(Read(BackBuffer).At(5, 5), s == lpDDSIntroPic ? 0 : 0x4444);
    }
}

TEST_F(DisplayTest, LoaderFallsBackToFilesAndSaysWhenNothingIsFound) {
    ASSERT_EQ(gDisplay.Create(window_), 1);
    display_test::WriteFile(dir_.Path() / "two.bmp",
                            display_test::WithFileHeader(display_test::Dib8(2, 1, {0, 0xFFFFFF, 0x0000FF}, {1, 2}), 3));
    LPDIRECTDRAWSURFACE s = DDLoadBitmap(gDisplay.lpDD, "two.bmp", 0, 0);
    ASSERT_NE(s, nullptr);
    auto p = Read(s);
    EXPECT_EQ(p.width, 2);
    EXPECT_EQ(p.At(0, 0), 0xFFFF);
    EXPECT_EQ(p.At(1, 0), 0x001F);

    EXPECT_EQ(DDLoadBitmap(gDisplay.lpDD, "no such picture", 0, 0), nullptr);
    EXPECT_EQ(DDReloadBitmap(s, "no such picture"), E_FAIL);
    ASSERT_FALSE(headless::DebugLines().empty());
    EXPECT_EQ(headless::DebugLines().back(), "handle is null\n");
    EXPECT_EQ(DDCopyBitmap(s, nullptr, 0, 0, 0, 0), E_FAIL);

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(s->Lock(NULL, &desc, DDLOCK_WAIT, NULL), DD_OK);
    EXPECT_EQ(DDReloadBitmap(s, "two.bmp"), DDERR_SURFACEBUSY) << "no drawing context while locked";
    EXPECT_EQ(headless::DebugLines().back(), "ddcopybitmap failed\n");
    s->Unlock(NULL);

    Paint(s, [](int, int) { return uint16_t{0x4321}; });
    platform::faults::FailNext("CreateCompatibleDC");
    HANDLE bitmap = LoadImageA(NULL, "two.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    EXPECT_EQ(DDCopyBitmap(s, static_cast<HBITMAP>(bitmap), 0, 0, 0, 0), DD_OK);
    EXPECT_EQ(headless::DebugLines().back(), "createcompatible dc failed\n");
    EXPECT_EQ(Read(s).At(0, 0), 0x4321) << "without a memory context nothing is copied";
    DeleteObject(bitmap);
    EXPECT_EQ(DDCopyBitmap(nullptr, nullptr, 0, 0, 0, 0), E_FAIL);
    s->Release();
    EXPECT_EQ(platform::inspect::LiveBitmaps(), 0);
}

TEST_F(DisplayTest, APictureThatFailsToReloadKeepsItsSurface) {
    ASSERT_EQ(gDisplay.Create(window_), 1);
    const LPDIRECTDRAWSURFACE sprites = lpDDSSprites;
    const LPDIRECTDRAWSURFACE intro = lpDDSIntroPic;
    const int live = platform::inspect::LiveSurfaces();
    platform::faults::FailNext("CreateSurface");
    gDisplay.LoadSurfaces();
    EXPECT_EQ(lpDDSSprites, sprites) << "the first load failed and kept the old surface";
    EXPECT_NE(lpDDSIntroPic, intro) << "the others were replaced";
    EXPECT_EQ(platform::inspect::LiveSurfaces(), live) << "and the replaced ones released";
}

}  // namespace
