#include "support/golden_screen.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace golden {
namespace {

constexpr size_t kInfoHeaderSize = 40;
constexpr int kGlyphCount = 91;
constexpr char kFirstGlyph = '!';

struct FontLayout {
    int cellWidth, cellHeight, spacing, firstRow;
};
constexpr FontLayout kFonts[2] = {{32, 38, 0, 0}, {24, 24, -1, 190}};
constexpr int kSheetWidth = 640;

// RLE8 into palette indices, bottom row first as stored; false on anything
// the stored pictures never hold or on running past the data.
bool DecodeRle8(const uint8_t* data, size_t size, int width, int height, std::vector<uint8_t>& indices) {
    indices.assign(static_cast<size_t>(width) * height, 0);
    size_t at = 0;
    int x = 0, row = 0;
    auto put = [&](uint8_t index) {
        if (x < width && row < height) indices[static_cast<size_t>(row) * width + x] = index;
        ++x;
    };
    while (at + 1 < size) {
        const uint8_t count = data[at], value = data[at + 1];
        at += 2;
        if (count != 0) {
            for (int i = 0; i < count; ++i) put(value);
        } else if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (at + 1 >= size) return false;
            x += data[at];
            row += data[at + 1];
            at += 2;
        } else {
            if (at + value > size) return false;
            for (int i = 0; i < value; ++i) put(data[at + i]);
            at += value + (value & 1u);
        }
    }
    return false;
}

int CellLeft(int font, int glyph) {
    const int perRow = kSheetWidth / kFonts[font].cellWidth;
    return glyph % perRow * kFonts[font].cellWidth;
}

int CellTop(int font, int glyph) {
    const int perRow = kSheetWidth / kFonts[font].cellWidth;
    return kFonts[font].firstRow + glyph / perRow * kFonts[font].cellHeight;
}

}  // namespace

uint16_t Pack(uint32_t rgb, bool is555) {
    const uint32_t r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    if (is555) return static_cast<uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
    return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
}

uint16_t Halve(uint16_t pixel, bool is555) {
    return static_cast<uint16_t>(pixel >> 1 & (is555 ? 0x3DEF : 0x7BEF));
}

Picture LoadPicture(const char* name, bool is555) {
    Picture picture;
    HRSRC found = FindResourceA(NULL, name, RT_BITMAP);
    if (found == NULL) return picture;
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(NULL, found)));
    const size_t size = SizeofResource(NULL, found);
    if (bytes == nullptr || size < kInfoHeaderSize) return picture;
    BITMAPINFOHEADER info;
    std::memcpy(&info, bytes, sizeof info);
    if (info.biBitCount != 8 || info.biCompression != BI_RLE8 || info.biWidth <= 0 || info.biHeight <= 0) {
        return picture;
    }
    const size_t colours = info.biClrUsed != 0 ? info.biClrUsed : 256;
    const size_t bitsAt = info.biSize + colours * 4;
    if (colours > 256 || bitsAt > size) return picture;
    const int width = info.biWidth, height = info.biHeight;
    std::vector<uint8_t> indices;
    if (!DecodeRle8(bytes + bitsAt, size - bitsAt, width, height, indices)) return picture;
    uint16_t palette[256] = {};
    for (size_t i = 0; i < colours; ++i) {
        const uint8_t* q = bytes + info.biSize + i * 4;
        palette[i] = Pack(static_cast<uint32_t>(q[2]) << 16 | q[1] << 8 | q[0], is555);
    }
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(indices.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels[static_cast<size_t>(y) * width + x] =
                palette[indices[static_cast<size_t>(height - 1 - y) * width + x]];
    return picture;
}

Font LoadFont(bool is555) {
    Font font;
    font.sheet = LoadPicture("FONTS", is555);
    if (font.sheet.width < kSheetWidth) return font;
    for (int f = 0; f < 2; ++f)
        for (int g = 0; g < kGlyphCount; ++g) {
            const int left = CellLeft(f, g), top = CellTop(f, g);
            int w = kFonts[f].cellWidth;
            for (bool ink = false; w > 0 && !ink;) {
                for (int row = 0; row < kFonts[f].cellHeight && !ink; ++row)
                    ink = font.sheet.At(left + w - 1, top + row) != 0;
                if (!ink) --w;
            }
            font.widths[f][g] = static_cast<uint8_t>(w);
        }
    return font;
}

Canvas::Canvas(bool layout555)
    : is555(layout555), pixels(static_cast<size_t>(kWidth) * kHeight, 0), inked(pixels.size(), 0) {}

void Canvas::Draw(const Picture& from, Rect source, int x, int y, bool keyed) {
    for (int sy = source.top; sy < source.bottom; ++sy)
        for (int sx = source.left; sx < source.right; ++sx) {
            const int dx = x + sx - source.left, dy = y + sy - source.top;
            if (dx < 0 || dx >= kWidth || dy < 0 || dy >= kHeight) continue;
            if (sx < 0 || sx >= from.width || sy < 0 || sy >= from.height) continue;
            const uint16_t p = from.At(sx, sy);
            if (keyed && p == 0) continue;
            At(dx, dy) = p;
        }
}

void Canvas::Text(const Font& font, int x, int y, const std::string& text, int fontIndex) {
    const FontLayout& layout = kFonts[fontIndex];
    int pen = 0;
    for (char c : text) {
        if (c == ' ') {
            pen += layout.cellWidth / 2;
            continue;
        }
        const int g = c - kFirstGlyph;
        if (g < 0 || g >= kGlyphCount) continue;
        const int left = CellLeft(fontIndex, g), top = CellTop(fontIndex, g);
        for (int row = 0; row < layout.cellHeight; ++row)
            for (int col = 0; col < layout.cellWidth; ++col) {
                const int dx = x + pen + col, dy = y + row;
                const uint16_t p = font.sheet.At(left + col, top + row);
                if (p == 0 || dx < 0 || dx >= kWidth || dy < 0 || dy >= kHeight) continue;
                At(dx, dy) = p;
                inked[static_cast<size_t>(dy) * kWidth + dx] = 1;
            }
        pen += font.widths[fontIndex][g] + layout.spacing;
    }
}

void Canvas::Number(const Font& font, int x, int y, int32_t value, int fontIndex) {
    Text(font, x, y, std::to_string(value), fontIndex);
}

void Canvas::HalveBox(Rect box) {
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) At(x, y) = Halve(At(x, y), is555);
}

int Mismatches(const headless::Frame& frame, const Canvas& expected, Rect region, std::string* report) {
    constexpr int kReported = 5;
    int wrong = 0;
    for (int y = region.top; y < region.bottom; ++y)
        for (int x = region.left; x < region.right; ++x) {
            if (frame.At(x, y) == expected.At(x, y)) continue;
            if (report != nullptr && wrong < kReported) {
                char line[96];
                std::snprintf(line, sizeof line, " (%d,%d) shows %04x, expected %04x;", x, y, frame.At(x, y),
                              expected.At(x, y));
                *report += line;
            }
            ++wrong;
        }
    return wrong;
}

}  // namespace golden
