#include <array>
#include <cstdint>

#include "canvas.h"

namespace kvart {
namespace {

struct Box {
    std::vector<std::array<uint8_t, 3>> colours;
};

int Widest(const Box& box, int& range) {
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    for (const auto& c : box.colours)
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min<int>(lo[k], c[k]);
            hi[k] = std::max<int>(hi[k], c[k]);
        }
    int best = 0;
    for (int k = 1; k < 3; ++k)
        if (hi[k] - lo[k] > hi[best] - lo[best]) best = k;
    range = hi[best] - lo[best];
    return best;
}

uint8_t ToByte(float v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

Picture Quantise(const Canvas& canvas, const std::vector<std::pair<int, Rgb>>& reserved, float darkFloor,
                 bool dither) {
    Picture out(canvas.width, canvas.height);
    std::array<bool, 256> taken{};
    for (const auto& [index, colour] : reserved) {
        taken[index] = true;
        out.palette[index] = colour;
    }
    std::vector<int> free;
    for (int i = 0; i < 256; ++i)
        if (!taken[i]) free.push_back(i);

    std::vector<Box> boxes(1);
    for (size_t i = 0; i < canvas.pixels.size(); ++i)
        if (canvas.fixedIndex[i] < 0) {
            const Colour& c = canvas.pixels[i];
            boxes[0].colours.push_back({ToByte(c.r), ToByte(c.g), ToByte(c.b)});
        }
    while (boxes.size() < free.size()) {
        int pick = -1, pickRange = 0, pickChannel = 0;
        for (size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].colours.size() < 2) continue;
            int range = 0;
            int channel = Widest(boxes[b], range);
            if (range > pickRange) {
                pick = static_cast<int>(b);
                pickRange = range;
                pickChannel = channel;
            }
        }
        if (pick < 0) break;
        auto& colours = boxes[pick].colours;
        auto mid = colours.begin() + colours.size() / 2;
        std::nth_element(colours.begin(), mid, colours.end(),
                         [&](const auto& a, const auto& b) { return a[pickChannel] < b[pickChannel]; });
        Box upper{std::vector<std::array<uint8_t, 3>>(mid, colours.end())};
        colours.erase(mid, colours.end());
        boxes.push_back(std::move(upper));
    }
    std::vector<std::array<float, 3>> centres;
    for (size_t b = 0; b < boxes.size() && b < free.size(); ++b) {
        if (boxes[b].colours.empty()) continue;
        double sum[3] = {0, 0, 0};
        for (const auto& c : boxes[b].colours)
            for (int k = 0; k < 3; ++k) sum[k] += c[k];
        std::array<float, 3> centre;
        for (int k = 0; k < 3; ++k) centre[k] = static_cast<float>(sum[k] / boxes[b].colours.size());
        float brightest = std::max({centre[0], centre[1], centre[2]});
        if (brightest < darkFloor) {
            float lift = darkFloor - brightest;
            for (float& v : centre) v += lift;
        }
        Rgb rgb{ToByte(centre[0]), ToByte(centre[1]), ToByte(centre[2])};
        out.palette[free[centres.size()]] = rgb;
        centres.push_back({static_cast<float>(rgb.r), static_cast<float>(rgb.g), static_cast<float>(rgb.b)});
    }
    if (centres.empty()) centres.push_back({0, 0, 0});

    std::vector<std::array<float, 3>> error(static_cast<size_t>(canvas.width + 2) * 2, {0, 0, 0});
    auto err = [&](int row, int x) -> std::array<float, 3>& { return error[static_cast<size_t>(row & 1) * (canvas.width + 2) + x + 1]; };
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = -1; x <= canvas.width; ++x) err(y + 1, x) = {0, 0, 0};
        for (int x = 0; x < canvas.width; ++x) {
            size_t i = static_cast<size_t>(y) * canvas.width + x;
            if (canvas.fixedIndex[i] >= 0) {
                out.pixels[i] = static_cast<uint8_t>(canvas.fixedIndex[i]);
                continue;
            }
            const Colour& c = canvas.pixels[i];
            float want[3] = {c.r, c.g, c.b};
            if (dither)
                for (int k = 0; k < 3; ++k) want[k] += err(y, x)[k];
            size_t best = 0;
            float bestDistance = 1e30f;
            for (size_t p = 0; p < centres.size(); ++p) {
                float dr = want[0] - centres[p][0], dg = want[1] - centres[p][1], db = want[2] - centres[p][2];
                float d = dr * dr * 0.3f + dg * dg * 0.59f + db * db * 0.11f;
                if (d < bestDistance) {
                    bestDistance = d;
                    best = p;
                }
            }
            out.pixels[i] = static_cast<uint8_t>(free[best]);
            if (!dither) continue;
            for (int k = 0; k < 3; ++k) {
                float e = std::clamp(want[k] - centres[best][k], -64.0f, 64.0f);
                err(y, x + 1)[k] += e * 7 / 16;
                err(y + 1, x - 1)[k] += e * 3 / 16;
                err(y + 1, x)[k] += e * 5 / 16;
                err(y + 1, x + 1)[k] += e * 1 / 16;
            }
        }
    }
    return out;
}

}  // namespace kvart
