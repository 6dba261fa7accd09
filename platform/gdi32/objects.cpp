// HBITMAP and HDC handles: creation, lookup, selection and deletion.
#include "platform/gdi32/objects.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/faults.h"
#include "platform/inspect.h"

namespace platform::gdi {
namespace {

std::vector<std::unique_ptr<Bitmap>>& Bitmaps() {
    static std::vector<std::unique_ptr<Bitmap>> live;
    return live;
}
std::vector<std::unique_ptr<DeviceContext>>& Contexts() {
    static std::vector<std::unique_ptr<DeviceContext>> live;
    return live;
}

template <typename T>
T* Find(std::vector<std::unique_ptr<T>>& list, const void* handle) {
    if (handle == nullptr) return nullptr;
    for (auto& p : list)
        if (p.get() == handle) return p.get();
    return nullptr;
}

template <typename T>
bool Erase(std::vector<std::unique_ptr<T>>& list, const void* handle) {
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == handle; });
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

}  // namespace

HBITMAP NewBitmap(DecodedImage&& image) {
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->image = std::move(image);
    Bitmaps().push_back(std::move(bitmap));
    return reinterpret_cast<HBITMAP>(Bitmaps().back().get());
}

Bitmap* FindBitmap(HGDIOBJ handle) { return Find(Bitmaps(), handle); }
DeviceContext* FindDC(HDC handle) { return Find(Contexts(), handle); }

HDC NewSurfaceDC(draw::Surface* surface) {
    auto dc = std::make_unique<DeviceContext>();
    dc->surface = surface;
    Contexts().push_back(std::move(dc));
    return reinterpret_cast<HDC>(Contexts().back().get());
}

void DeleteSurfaceDC(HDC handle) { Erase(Contexts(), handle); }

uint16_t PackColour(uint32_t rgb, bool is555) {
    const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    if (is555) return static_cast<uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

COLORREF UnpackPixel(uint16_t p, bool is555) {
    uint32_t r, g, b;
    if (is555) {
        r = (p >> 10) & 31;
        g = (p >> 5) & 31;
        b = p & 31;
        g = (g << 3) | (g >> 2);
    } else {
        r = (p >> 11) & 31;
        g = (p >> 5) & 63;
        b = p & 31;
        g = (g << 2) | (g >> 4);
    }
    r = (r << 3) | (r >> 2);
    b = (b << 3) | (b >> 2);
    return RGB(r, g, b);
}

}  // namespace platform::gdi

namespace platform::inspect {

int LiveBitmaps() { return static_cast<int>(gdi::Bitmaps().size()); }

}  // namespace platform::inspect

using platform::gdi::FindBitmap;
using platform::gdi::FindDC;

extern "C" {

HDC WINAPI CreateCompatibleDC(HDC) {
    if (platform::faults::Take("CreateCompatibleDC")) return nullptr;
    auto& contexts = platform::gdi::Contexts();
    contexts.push_back(std::make_unique<platform::gdi::DeviceContext>());
    return reinterpret_cast<HDC>(contexts.back().get());
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    platform::gdi::DeviceContext* dc = FindDC(hdc);
    platform::gdi::Bitmap* bitmap = FindBitmap(h);
    if (dc == nullptr || bitmap == nullptr || dc->surface != nullptr) return nullptr;
    platform::gdi::Bitmap* previous = dc->selected;
    dc->selected = bitmap;
    return previous;
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    const platform::gdi::Bitmap* bitmap = FindBitmap(h);
    if (bitmap == nullptr) return 0;
    if (pv == nullptr) return sizeof(BITMAP);
    if (c < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP bm{};
    bm.bmType = 0;
    bm.bmWidth = bitmap->image.width;
    bm.bmHeight = bitmap->image.height;
    bm.bmWidthBytes = bitmap->image.width * 4;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = 32;
    bm.bmBits = const_cast<uint32_t*>(bitmap->image.pixels.data());
    *static_cast<BITMAP*>(pv) = bm;
    return sizeof(BITMAP);
}

WINBOOL WINAPI DeleteDC(HDC hdc) {
    platform::gdi::DeviceContext* dc = FindDC(hdc);
    // A surface's DC goes back through ReleaseDC, not here.
    if (dc == nullptr || dc->surface != nullptr) return FALSE;
    return platform::gdi::Erase(platform::gdi::Contexts(), hdc) ? TRUE : FALSE;
}

WINBOOL WINAPI DeleteObject(HGDIOBJ ho) {
    if (FindBitmap(ho) == nullptr) return FALSE;
    // Windows refuses to delete a bitmap still selected into a DC.
    for (const auto& dc : platform::gdi::Contexts())
        if (dc->selected == ho) return FALSE;
    return platform::gdi::Erase(platform::gdi::Bitmaps(), ho) ? TRUE : FALSE;
}

}  // extern "C"
