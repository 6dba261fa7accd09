// Checks one screenshot of the Windows build against our reference frame.
// usage: wine_compare intro|playing|gameover SCREENSHOT.ppm REFERENCE_DIR
// Exit 0 on a match, 1 on a mismatch, 2 when a picture cannot be read.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "wine/frame_compare.h"
#include "wine/image.h"

namespace {

using namespace wine_check;

// The rows the rippling band of the intro can reach: 98 rows drawn at
// y = 400 moved up or down by as much as 8.
constexpr int kBandTop = 400;
constexpr int kBandHeight = 98;
constexpr int kBandSwing = 8;
constexpr int kBandFirstRow = kBandTop - kBandSwing;
constexpr int kBandLastRow = kBandTop + kBandSwing + kBandHeight - 1;

bool Load(const std::string& path, Image& image) {
    if (ReadPpm(path, image)) return true;
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
}

void Report(const char* screen, const Comparison& c) {
    if (!c.sameSize) {
        std::printf("%s: the screenshot is not the size of the frame\n", screen);
        return;
    }
    std::printf("%s: %ld pixels compared, %ld differ", screen, c.compared, c.mismatchCount);
    if (c.figuresFound > 0) std::printf(", %ld show one of %d figures", c.figurePixels, c.figuresFound);
    std::printf("\n");
    for (const Mismatch& m : c.firstMismatches) {
        std::printf("  (%d, %d): seen %04x, expected %04x\n", m.x, m.y, m.seen, m.expected);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s intro|playing|gameover SCREENSHOT.ppm REFERENCE_DIR\n", argv[0]);
        return 2;
    }
    const std::string screen = argv[1], dir = argv[3];
    Image seen, expected;
    if (!Load(argv[2], seen) || !Load(dir + "/" + screen + ".ppm", expected)) return 2;

    Comparison result;
    if (screen == "intro") {
        result = CompareOutsideRows(seen, expected, kBandFirstRow, kBandLastRow);
    } else if (screen == "gameover") {
        result = CompareOutsideRows(seen, expected, 1, 0);
    } else if (screen == "playing") {
        std::vector<Image> figures(2);
        if (!Load(dir + "/villain.ppm", figures[0]) || !Load(dir + "/president.ppm", figures[1])) return 2;
        result = CompareAllowingFigures(seen, expected, figures);
    } else {
        std::fprintf(stderr, "unknown screen %s\n", screen.c_str());
        return 2;
    }
    Report(screen.c_str(), result);
    return result.Matches() ? 0 : 1;
}
