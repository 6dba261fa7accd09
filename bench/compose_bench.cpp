// The cost of composing the game's frames through our DirectDraw, against
// the same blits in SDL2's software blitter (RGB565, colour key without RLE)
// and against plain memory loops. Prints each ratio.
#include <windows.h>
#include <ddraw.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/static_objects.h"
#include "display/blit.h"
#include "display/display.h"
#include "effects/translucent_box.h"
#include "effects/wave_blit.h"
#include "platform/headless/headless.h"

#ifdef KALVENOR_BENCH_SDL
#include <SDL2/SDL.h>
#endif

namespace {

constexpr int kFigures = 6;
constexpr int kGlyphs = 8;
constexpr int kIntroColumns = 420;
constexpr size_t kScreenBytes = 800 * 600 * 2;

// Figure and glyph positions spread over the screen, all wholly on it.
LONG FigureX(int i) { return 40 + 120 * i; }
LONG FigureY(int i) { return 150 + 40 * i; }
LONG GlyphX(int i) { return 20 + 30 * i; }

void Setup() {
    static bool done = false;
    if (done) return;
    done = true;
    headless::Reset();
    if (gDisplay.Create(nullptr) != 1) std::fprintf(stderr, "the display could not be created\n");
}

void PlayingFrame() {
    ClearBackBuffer();
    ActiveDisplay->Blit(0, 0, RECT{0, 0, 800, 600}, lpDDSDesert, BackBuffer, 0);
    for (int i = 0; i < kFigures; ++i)
        ActiveDisplay->Blit(FigureX(i), FigureY(i), RECT{0, 0, 100, 120}, i % 2 ? lpDDSVillain : lpDDSPresident,
                            BackBuffer, 0);
    for (int i = 0; i < kGlyphs; ++i) {
        const LONG left = 32 * (i % 20), top = 38 * (1 + i / 20);
        ActiveDisplay->Blit(GlyphX(i), 10, RECT{left, top, left + 32, top + 38}, lpDDSFonts, BackBuffer, 1);
    }
    ActiveDisplay->Blit(400, 300, RECT{0, 0, 48, 50}, lpDDSSprites, BackBuffer, 1);
}

void OursPlayingFrame(benchmark::State& state) {
    Setup();
    for (auto _ : state) PlayingFrame();
}

void OursIntroFrame(benchmark::State& state) {
    Setup();
    for (auto _ : state) {
        ActiveDisplay->Blit(0, 0, RECT{0, 0, 800, 600}, lpDDSIntroPic, BackBuffer, 0);
        WaveBlit(lpDDSIntroPic, 184, 392, 604, 490, 184, 400, 10, 100, kWaveColumns);
        ++frameCount;
    }
}

void OursClearAndBackdrop(benchmark::State& state) {
    Setup();
    for (auto _ : state) {
        ClearBackBuffer();
        ActiveDisplay->Blit(0, 0, RECT{0, 0, 800, 600}, lpDDSDesert, BackBuffer, 0);
    }
}

void MemsetMemcpy(benchmark::State& state) {
    std::vector<uint8_t> dst(kScreenBytes), src(kScreenBytes, 7);
    for (auto _ : state) {
        std::memset(dst.data(), 0, kScreenBytes);
        std::memcpy(dst.data(), src.data(), kScreenBytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
}

void OursTranslucentBox(benchmark::State& state) {
    Setup();
    for (auto _ : state) TranslucentBox(100, 175, 700, 455, 0x000000);
}

void HalvingLoop(benchmark::State& state) {
    std::vector<uint16_t> screen(800 * 600, 0xFFFF);
    for (auto _ : state) {
        for (int y = 175; y < 455; ++y) {
            uint16_t* row = screen.data() + y * 800;
            for (int x = 100; x < 700; ++x) row[x] = static_cast<uint16_t>((row[x] >> 1) & 0x7BEF);
        }
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
}

#ifdef KALVENOR_BENCH_SDL

// SDL copies of our surfaces, pixel for pixel.
struct SdlScene {
    SDL_Surface* back = nullptr;
    SDL_Surface* desert = nullptr;
    SDL_Surface* intro = nullptr;
    SDL_Surface* figure[2] = {};
    SDL_Surface* fonts = nullptr;
    SDL_Surface* sprites = nullptr;
};

SDL_Surface* Mirror(LPDIRECTDRAWSURFACE s, bool keyed) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    s->Lock(NULL, &desc, DDLOCK_WAIT, NULL);
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(desc.dwWidth),
                                                      static_cast<int>(desc.dwHeight), 16, SDL_PIXELFORMAT_RGB565);
    for (DWORD y = 0; y < desc.dwHeight; ++y)
        std::memcpy(static_cast<uint8_t*>(out->pixels) + y * out->pitch,
                    static_cast<uint8_t*>(desc.lpSurface) + y * desc.lPitch, desc.dwWidth * 2);
    s->Unlock(NULL);
    if (keyed) SDL_SetColorKey(out, SDL_TRUE, 0);
    SDL_SetSurfaceRLE(out, 0);
    return out;
}

SdlScene& Scene() {
    static SdlScene scene;
    if (scene.back == nullptr) {
        Setup();
        scene.back = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
        scene.desert = Mirror(lpDDSDesert, false);
        scene.intro = Mirror(lpDDSIntroPic, false);
        scene.figure[0] = Mirror(lpDDSPresident, false);
        scene.figure[1] = Mirror(lpDDSVillain, false);
        scene.fonts = Mirror(lpDDSFonts, true);
        scene.sprites = Mirror(lpDDSSprites, true);
    }
    return scene;
}

void Blit(SDL_Surface* src, int x, int y, int w, int h, int sx, int sy, SDL_Surface* dst) {
    SDL_Rect from{sx, sy, w, h};
    SDL_Rect to{x, y, w, h};
    SDL_BlitSurface(src, &from, dst, &to);
}

void SdlPlayingFrame(benchmark::State& state) {
    SdlScene& s = Scene();
    for (auto _ : state) {
        SDL_FillRect(s.back, nullptr, 0);
        Blit(s.desert, 0, 0, 800, 600, 0, 0, s.back);
        for (int i = 0; i < kFigures; ++i)
            Blit(s.figure[i % 2], FigureX(i), FigureY(i), 100, 120, 0, 0, s.back);
        for (int i = 0; i < kGlyphs; ++i) Blit(s.fonts, GlyphX(i), 10, 32, 38, 32 * (i % 20), 38 * (1 + i / 20), s.back);
        Blit(s.sprites, 400, 300, 48, 50, 0, 0, s.back);
    }
}

void SdlIntroFrame(benchmark::State& state) {
    SdlScene& s = Scene();
    for (auto _ : state) {
        Blit(s.intro, 0, 0, 800, 600, 0, 0, s.back);
        for (int k = 0; k < kIntroColumns; ++k) Blit(s.intro, 184 + k, 400 + (k % 17) - 8, 1, 98, 184 + k, 392, s.back);
    }
}

BENCHMARK(SdlPlayingFrame);
BENCHMARK(SdlIntroFrame);

#endif

BENCHMARK(OursPlayingFrame);
BENCHMARK(OursIntroFrame);
BENCHMARK(OursClearAndBackdrop);
BENCHMARK(MemsetMemcpy);
BENCHMARK(OursTranslucentBox);
BENCHMARK(HalvingLoop);

// Keeps each benchmark's CPU time per iteration for the summary: the
// machine may be shared, and wall time then measures the neighbours.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration) seconds[run.run_name.function_name] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

void Ratio(const Collector& c, const char* ours, const char* baseline, double target) {
    auto a = c.seconds.find(ours), b = c.seconds.find(baseline);
    if (a == c.seconds.end() || b == c.seconds.end() || b->second <= 0) return;
    const double ratio = a->second / b->second;
    std::printf("%-22s / %-16s = %.2fx (target <= %.1fx) %s\n", ours, baseline, ratio, target,
                ratio <= target ? "ok" : "OVER");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    Ratio(collector, "OursPlayingFrame", "SdlPlayingFrame", 0.8);
    Ratio(collector, "OursIntroFrame", "SdlIntroFrame", 0.8);
    Ratio(collector, "OursClearAndBackdrop", "MemsetMemcpy", 1.3);
    Ratio(collector, "OursTranslucentBox", "HalvingLoop", 1.5);
    gDisplay.ReleaseAll();
    benchmark::Shutdown();
    return 0;
}
