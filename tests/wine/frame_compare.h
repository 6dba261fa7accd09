// Compares a screenshot of the Windows build with the frame our platform
// presents for the same screen, pixel for pixel at 5-6-5 precision.
#pragma once

#include <cstdint>
#include <vector>

#include "wine/image.h"

namespace wine_check {

struct Mismatch {
    int x;
    int y;
    uint16_t seen;
    uint16_t expected;
};

struct Comparison {
    bool sameSize = false;
    long compared = 0;         // pixels looked at
    long mismatchCount = 0;    // pixels that differ and nothing explains
    long figurePixels = 0;     // pixels that differ but show a figure
    int figuresFound = 0;
    std::vector<Mismatch> firstMismatches;  // the first few, in reading order

    bool Matches() const { return sameSize && mismatchCount == 0; }
};

// Every pixel outside the rows skipFirst..skipLast (inclusive); pass an empty
// range (skipFirst > skipLast) to compare them all.
Comparison CompareOutsideRows(const Image& seen, const Image& expected, int skipFirst, int skipLast);

// Every pixel; where the screenshot differs it may show one of `figures`
// (whole or cut by the screen's edges, other figures or the HUD), shifted
// to anywhere, but no other picture and nothing blended or scaled.
Comparison CompareAllowingFigures(const Image& seen, const Image& expected, const std::vector<Image>& figures);

}  // namespace wine_check
