#include "platform/win32/win32_snapshot.h"

#include <algorithm>

namespace ml {

namespace {

// The documented 24-bit bottom-up description; biSizeImage is W x H before the
// retrieval, which replaces it with the padded size.
BITMAPINFO ScreenDescription(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height);
    return info;
}

}  // namespace

Win32Snapshot::~Win32Snapshot() { release(); }

void Win32Snapshot::take(HWND window, const WindowRect& area, ScreenImage& image) {
    const int width = area.width;
    const int height = area.height;
    image.width = width;
    image.height = height;
    image.rowSize = (3 * width + 3) / 4 * 4;
    // The bytes of the earlier snapshot stay until they are read over.
    image.pixels.resize(static_cast<std::size_t>(image.rowSize) * static_cast<std::size_t>(height));
    if (image.pixels.empty()) return;
    if (!draw(window, area) || !read(image)) std::fill(image.pixels.begin(), image.pixels.end(), 0);
}

bool Win32Snapshot::prepare(HDC windowDc, int width, int height) {
    if (bitmap_ != nullptr && width == width_ && height == height_) return true;
    release();
    memoryDc_ = CreateCompatibleDC(windowDc);
    // Compatible with the screen's DC: a memory DC's own first bitmap is monochrome.
    bitmap_ = CreateCompatibleBitmap(windowDc, width, height);
    if (memoryDc_ == nullptr || bitmap_ == nullptr) {
        release();
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

bool Win32Snapshot::draw(HWND window, const WindowRect& area) {
    const int width = area.width;
    const int height = area.height;
    HDC windowDc = GetWindowDC(window);
    if (windowDc == nullptr) return false;  // no such window
    const bool ready = prepare(windowDc, width, height);
    bool drawn = false;
    if (ready) {
        const HGDIOBJ previous = SelectObject(memoryDc_, bitmap_);
        if (window == nullptr) {
            // The screen's DC spans every monitor, (0, 0) the primary's corner.
            drawn = BitBlt(memoryDc_, 0, 0, width, height, windowDc, area.x, area.y, SRCCOPY) != 0;
        } else {
            // The window paints only its client area; the rest is black, not an
            // earlier snapshot's.
            drawn = PatBlt(memoryDc_, 0, 0, width, height, BLACKNESS) != 0;
            PrintWindow(window, memoryDc_, PW_CLIENTONLY);
        }
        // A bitmap is read out only when no DC holds it.
        SelectObject(memoryDc_, previous);
    }
    ReleaseDC(window, windowDc);
    return drawn;
}

bool Win32Snapshot::read(ScreenImage& image) {
    BITMAPINFO info = ScreenDescription(image.width, image.height);
    return GetDIBits(memoryDc_, bitmap_, 0, static_cast<UINT>(image.height), image.pixels.data(), &info,
                     DIB_RGB_COLORS) == image.height;
}

void Win32Snapshot::release() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (memoryDc_ != nullptr) DeleteDC(memoryDc_);
    bitmap_ = nullptr;
    memoryDc_ = nullptr;
    width_ = 0;
    height_ = 0;
}

}  // namespace ml
