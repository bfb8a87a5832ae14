// Snapshots through the MIT shared-memory extension: the X server writes the pixels
// straight into a segment that this process has mapped, instead of sending them over
// the connection, which costs tens of milliseconds a screen. One segment, as large as
// the screen, is kept for the connection and re-made when the screen size changes.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/posix/x11_library.h"

namespace ml {

// An X image freed through its own function, whichever way it was made.
struct XImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using XImagePtr = std::unique_ptr<XImage, XImageDeleter>;

class X11SharedMemory {
public:
    // A connection that is not allowed shared memory never tries it.
    explicit X11SharedMemory(bool allowed) : allowed_(allowed) {}
    X11SharedMemory(const X11SharedMemory&) = delete;
    X11SharedMemory& operator=(const X11SharedMemory&) = delete;
    ~X11SharedMemory();

    // The drawable's area in the drawable's own visual and depth, read into the
    // segment; the image's pixels are the segment's, good until the next read. Null
    // when shared memory cannot serve: the extension or its library is missing, the
    // display is on another machine, the segment could not be made or attached (each
    // of these is found once, and the connection never tries again), or this read
    // failed.
    XImagePtr read(Display* display, Drawable drawable, Visual* visual, int depth, int x, int y, int width,
                   int height);
    // Detaches the segment from the server and from this process; the display must
    // still be open.
    void release(Display* display);
    // Whether the latest read came through shared memory.
    bool lastReadShared() const { return lastReadShared_; }

private:
    bool prepare(Display* display);
    bool create(Display* display, int width, int height);
    void unmap();

    bool allowed_;
    bool unusable_ = false;
    bool lastReadShared_ = false;
    XShmSegmentInfo segment_{0, -1, nullptr, False};
    std::size_t size_ = 0;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace ml
