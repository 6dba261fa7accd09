// LoadImageA for bitmaps: a RT_BITMAP resource of the module by name, or with
// LR_LOADFROMFILE a .bmp file. Anything that does not decode whole is NULL.
#include <cstdio>
#include <vector>

#include "platform/ddraw/dib_decode.h"
#include "platform/gdi32/objects.h"

namespace {

constexpr long kMaxFileBytes = 64L << 20;

bool ReadFile(const char* path, std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = ok && size > 0 && size <= kMaxFileBytes && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(size));
        ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    }
    std::fclose(f);
    return ok;
}

// Nearest-neighbour resampling, for callers that ask for another size.
platform::DecodedImage Resize(const platform::DecodedImage& in, int width, int height) {
    platform::DecodedImage out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const int64_t sy = static_cast<int64_t>(y) * in.height / height;
        for (int x = 0; x < width; ++x) {
            const int64_t sx = static_cast<int64_t>(x) * in.width / width;
            out.pixels[static_cast<size_t>(y) * width + x] = in.pixels[static_cast<size_t>(sy * in.width + sx)];
        }
    }
    return out;
}

}  // namespace

extern "C" HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    if (name == nullptr || type != IMAGE_BITMAP || cx < 0 || cy < 0) return nullptr;
    platform::DecodedImage image;
    if (fuLoad & LR_LOADFROMFILE) {
        if (IS_INTRESOURCE(name)) return nullptr;
        std::vector<uint8_t> bytes;
        if (!ReadFile(name, bytes) || !platform::DecodeBitmapFile(bytes.data(), bytes.size(), image))
            return nullptr;
    } else {
        HRSRC found = FindResourceA(hInst, name, RT_BITMAP);
        if (found == nullptr) return nullptr;
        HGLOBAL loaded = LoadResource(hInst, found);
        const void* data = loaded ? LockResource(loaded) : nullptr;
        if (data == nullptr) return nullptr;
        const DWORD size = SizeofResource(hInst, found);
        if (!platform::DecodeDib(static_cast<const uint8_t*>(data), size, image)) return nullptr;
    }
    const int width = cx ? cx : image.width;
    const int height = cy ? cy : image.height;
    if (static_cast<int64_t>(width) * height > platform::kMaxImagePixels) return nullptr;
    if (width != image.width || height != image.height) image = Resize(image, width, height);
    return platform::gdi::NewBitmap(std::move(image));
}
