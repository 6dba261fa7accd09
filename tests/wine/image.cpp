#include "wine/image.h"

#include <cstdio>
#include <memory>

namespace wine_check {

namespace {

uint8_t Widen(unsigned value, int bits) {
    unsigned v = value << (8 - bits);
    return static_cast<uint8_t>(v | (v >> bits));
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// The next header number, skipping blanks and comments.
bool ReadField(FILE* f, int& value) {
    int c = std::fgetc(f);
    while (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '#') {
        if (c == '#') {
            while (c != '\n' && c != EOF) c = std::fgetc(f);
        }
        c = std::fgetc(f);
    }
    if (c < '0' || c > '9') return false;
    long long v = 0;
    while (c >= '0' && c <= '9') {
        v = v * 10 + (c - '0');
        if (v > 100000) return false;
        c = std::fgetc(f);
    }
    value = static_cast<int>(v);
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

uint16_t Image::At565(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return static_cast<uint16_t>(((p[0] >> 3) << 11) | ((p[1] >> 2) << 5) | (p[2] >> 3));
}

Image MakeImage(int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    return image;
}

void SetPixel(Image& image, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t* p = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
    p[0] = r;
    p[1] = g;
    p[2] = b;
}

void Set565(Image& image, int x, int y, uint16_t pixel, bool is555) {
    if (is555) {
        SetPixel(image, x, y, Widen((pixel >> 10) & 31, 5), Widen((pixel >> 5) & 31, 5), Widen(pixel & 31, 5));
    } else {
        SetPixel(image, x, y, Widen(pixel >> 11, 5), Widen((pixel >> 5) & 63, 6), Widen(pixel & 31, 5));
    }
}

bool ReadPpm(const std::string& path, Image& image) {
    File f(std::fopen(path.c_str(), "rb"));
    if (!f) return false;
    if (std::fgetc(f.get()) != 'P' || std::fgetc(f.get()) != '6') return false;
    int width = 0, height = 0, maxValue = 0;
    if (!ReadField(f.get(), width) || !ReadField(f.get(), height) || !ReadField(f.get(), maxValue)) return false;
    if (width <= 0 || height <= 0 || maxValue != 255) return false;
    Image read = MakeImage(width, height);
    if (std::fread(read.rgb.data(), 1, read.rgb.size(), f.get()) != read.rgb.size()) return false;
    image = std::move(read);
    return true;
}

bool WritePpm(const std::string& path, const Image& image) {
    File f(std::fopen(path.c_str(), "wb"));
    if (!f) return false;
    std::fprintf(f.get(), "P6\n%d %d\n255\n", image.width, image.height);
    return std::fwrite(image.rgb.data(), 1, image.rgb.size(), f.get()) == image.rgb.size();
}

}  // namespace wine_check
