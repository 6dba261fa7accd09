#include "wine/frame_compare.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

namespace wine_check {

namespace {

constexpr size_t kMismatchesKept = 20;
// A figure is placed by runs of this many pixels that occur once or twice
// in its picture, so that flat areas cast no votes.
constexpr int kRunLength = 4;
constexpr size_t kMaxRunUses = 2;
// A placement is believed once this many runs agree on it (a figure's
// thinnest first reveal still offers hundreds), starting on rows and columns
// this far apart, so that a stretched copy, whose every row or column agrees
// with a placement of its own, explains nothing. Only a figure cut by the
// screen's side may be narrower.
constexpr int kMinVotes = 40;
constexpr int kMinRowSpan = 6;
constexpr int kMinColumnSpan = 4;

struct Point {
    int x;
    int y;
};

void Record(Comparison& result, int x, int y, uint16_t seen, uint16_t expected) {
    ++result.mismatchCount;
    if (result.firstMismatches.size() < kMismatchesKept) result.firstMismatches.push_back({x, y, seen, expected});
}

uint64_t RunKey(const Image& image, int x, int y, int dx, int dy) {
    uint64_t key = 0;
    for (int i = 0; i < kRunLength; ++i) key = (key << 16) | image.At565(x + i * dx, y + i * dy);
    return key;
}

bool RunFits(const Image& image, int x, int y, int dx, int dy) {
    return image.Contains(x + (kRunLength - 1) * dx, y + (kRunLength - 1) * dy);
}

// Where each run of a picture occurs, across and down.
using RunIndex = std::unordered_map<uint64_t, std::vector<Point>>;

RunIndex IndexRuns(const Image& picture, int dx, int dy) {
    RunIndex index;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (RunFits(picture, x, y, dx, dy)) index[RunKey(picture, x, y, dx, dy)].push_back({x, y});
        }
    }
    return index;
}

struct Placement {
    size_t figure;
    int left;
    int top;
    bool operator<(const Placement& o) const {
        return std::tie(figure, left, top) < std::tie(o.figure, o.left, o.top);
    }
};

std::vector<bool> DiffMask(const Image& seen, const Image& expected) {
    std::vector<bool> mask(static_cast<size_t>(seen.width) * seen.height);
    for (int y = 0; y < seen.height; ++y) {
        for (int x = 0; x < seen.width; ++x) {
            mask[static_cast<size_t>(y) * seen.width + x] = seen.At565(x, y) != expected.At565(x, y);
        }
    }
    return mask;
}

struct Votes {
    int count = 0;
    int minX = 1 << 30, maxX = -(1 << 30);
    int minY = 1 << 30, maxY = -(1 << 30);

    void Add(int x, int y) {
        ++count;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
};

bool Believed(const Votes& v, const Placement& p, const Image& figure, int screenWidth) {
    bool cutBySide = p.left < 0 || p.left + figure.width > screenWidth;
    return v.count >= kMinVotes && v.maxY - v.minY + 1 >= kMinRowSpan &&
           (cutBySide || v.maxX - v.minX + 1 >= kMinColumnSpan);
}

std::vector<Placement> FindPlacements(const Image& seen, const std::vector<bool>& diff,
                                      const std::vector<Image>& figures) {
    std::map<Placement, Votes> votes;
    for (size_t f = 0; f < figures.size(); ++f) {
        for (auto [dx, dy] : {Point{1, 0}, Point{0, 1}}) {
            RunIndex index = IndexRuns(figures[f], dx, dy);
            for (int y = 0; y < seen.height; ++y) {
                for (int x = 0; x < seen.width; ++x) {
                    if (!diff[static_cast<size_t>(y) * seen.width + x] || !RunFits(seen, x, y, dx, dy)) continue;
                    auto found = index.find(RunKey(seen, x, y, dx, dy));
                    if (found == index.end() || found->second.size() > kMaxRunUses) continue;
                    for (Point at : found->second) votes[{f, x - at.x, y - at.y}].Add(x, y);
                }
            }
        }
    }
    std::vector<Placement> placements;
    for (const auto& [placement, v] : votes) {
        if (Believed(v, placement, figures[placement.figure], seen.width)) placements.push_back(placement);
    }
    return placements;
}

bool ShowsFigure(const Image& seen, int x, int y, const std::vector<Image>& figures,
                 const std::vector<Placement>& placements) {
    for (const Placement& p : placements) {
        const Image& figure = figures[p.figure];
        int fx = x - p.left, fy = y - p.top;
        if (figure.Contains(fx, fy) && figure.At565(fx, fy) == seen.At565(x, y)) return true;
    }
    return false;
}

}  // namespace

Comparison CompareOutsideRows(const Image& seen, const Image& expected, int skipFirst, int skipLast) {
    Comparison result;
    result.sameSize = seen.width == expected.width && seen.height == expected.height;
    if (!result.sameSize) return result;
    for (int y = 0; y < seen.height; ++y) {
        if (y >= skipFirst && y <= skipLast) continue;
        for (int x = 0; x < seen.width; ++x) {
            ++result.compared;
            uint16_t s = seen.At565(x, y), e = expected.At565(x, y);
            if (s != e) Record(result, x, y, s, e);
        }
    }
    return result;
}

Comparison CompareAllowingFigures(const Image& seen, const Image& expected, const std::vector<Image>& figures) {
    Comparison result;
    result.sameSize = seen.width == expected.width && seen.height == expected.height;
    if (!result.sameSize) return result;
    std::vector<bool> diff = DiffMask(seen, expected);
    std::vector<Placement> placements = FindPlacements(seen, diff, figures);
    result.figuresFound = static_cast<int>(placements.size());
    for (int y = 0; y < seen.height; ++y) {
        for (int x = 0; x < seen.width; ++x) {
            ++result.compared;
            if (!diff[static_cast<size_t>(y) * seen.width + x]) continue;
            if (ShowsFigure(seen, x, y, figures, placements)) {
                ++result.figurePixels;
            } else {
                Record(result, x, y, seen.At565(x, y), expected.At565(x, y));
            }
        }
    }
    return result;
}

}  // namespace wine_check
