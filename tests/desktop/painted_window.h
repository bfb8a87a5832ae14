// A window of our own on an X display, shown above everything else and left alone by
// any window manager, in a background colour and with pictures painted on it: tests
// and benchmarks put known pixels on the screen with it. Pixels are X pixel values of
// a 24-bit true-colour screen, 0xRRGGBB, rows top first.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <vector>

class PaintedWindow {
public:
    PaintedWindow(Display* display, int x, int y, int width, int height, unsigned long background)
        : display_(display) {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.background_pixel = background;
        attributes.event_mask = ExposureMask;
        window_ = XCreateWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                                static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
        XMapRaised(display, window_);
        XEvent event;
        XWindowEvent(display, window_, ExposureMask, &event);
        XSync(display, False);
    }
    PaintedWindow(const PaintedWindow&) = delete;
    PaintedWindow& operator=(const PaintedWindow&) = delete;
    ~PaintedWindow() {
        XDestroyWindow(display_, window_);
        XSync(display_, False);
    }

    Window id() const { return window_; }

    void paint(int x, int y, int width, int height, const std::vector<std::uint32_t>& pixels) {
        std::vector<std::uint32_t> data = pixels;
        const int screen = DefaultScreen(display_);
        XImage* image = XCreateImage(display_, DefaultVisual(display_, screen),
                                     static_cast<unsigned>(DefaultDepth(display_, screen)), ZPixmap, 0,
                                     reinterpret_cast<char*>(data.data()), static_cast<unsigned>(width),
                                     static_cast<unsigned>(height), 32, 0);
        GC gc = XCreateGC(display_, window_, 0, nullptr);
        XPutImage(display_, window_, gc, image, 0, 0, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
        XFreeGC(display_, gc);
        image->data = nullptr;  // the vector owns the bytes
        XDestroyImage(image);
        XSync(display_, False);
    }

    // The background colour everywhere again.
    void clear() {
        XClearWindow(display_, window_);
        XSync(display_, False);
    }

private:
    Display* display_;
    Window window_ = 0;
};
