#include "platform/posix/wayland_capture.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace ml {

namespace {

// What the frame's events tell, filled in as they arrive.
struct FrameEvents {
    CapturedFrame* frame = nullptr;
    bool announced = false;
    bool finished = false;
    bool copied = false;
};

FrameEvents& EventsOf(void* data) { return *static_cast<FrameEvents*>(data); }

void OnBuffer(void* data, zwlr_screencopy_frame_v1*, std::uint32_t format, std::uint32_t width, std::uint32_t height,
              std::uint32_t stride) {
    FrameEvents& events = EventsOf(data);
    events.frame->format = format;
    events.frame->width = static_cast<int>(width);
    events.frame->height = static_cast<int>(height);
    events.frame->stride = static_cast<int>(stride);
    events.announced = true;
}

void OnFlags(void* data, zwlr_screencopy_frame_v1*, std::uint32_t flags) {
    EventsOf(data).frame->upsideDown = (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
}

void OnReady(void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {
    EventsOf(data).copied = EventsOf(data).finished = true;
}

void OnFailed(void* data, zwlr_screencopy_frame_v1*) { EventsOf(data).finished = true; }

constexpr zwlr_screencopy_frame_v1_listener kFrameListener{OnBuffer, OnFlags, OnReady, OnFailed};

bool IsReadableFormat(std::uint32_t format) {
    return format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888 ||
           format == WL_SHM_FORMAT_XBGR8888 || format == WL_SHM_FORMAT_ABGR8888;
}

// The shared memory the compositor writes into, given back whatever happens.
struct SharedBuffer {
    int file = -1;
    void* bytes = MAP_FAILED;
    std::size_t size = 0;
    wl_buffer* buffer = nullptr;
    ~SharedBuffer() {
        if (buffer != nullptr) wl_buffer_destroy(buffer);
        if (bytes != MAP_FAILED) munmap(bytes, size);
        if (file >= 0) close(file);
    }
};

bool MakeBuffer(WaylandConnection& wayland, const CapturedFrame& frame, SharedBuffer& shared) {
    shared.size = static_cast<std::size_t>(frame.stride) * static_cast<std::size_t>(frame.height);
    shared.file = memfd_create("morrowlark-screen", MFD_CLOEXEC);
    if (shared.file < 0 || ftruncate(shared.file, static_cast<off_t>(shared.size)) != 0) return false;
    shared.bytes = mmap(nullptr, shared.size, PROT_READ | PROT_WRITE, MAP_SHARED, shared.file, 0);
    if (shared.bytes == MAP_FAILED) return false;
    wl_shm_pool* pool = wl_shm_create_pool(wayland.shm(), shared.file, static_cast<std::int32_t>(shared.size));
    shared.buffer = wl_shm_pool_create_buffer(pool, 0, frame.width, frame.height, frame.stride, frame.format);
    wl_shm_pool_destroy(pool);
    return true;
}

bool Dispatch(WaylandConnection& wayland) { return Wayland().wl_display_dispatch(wayland.display()) >= 0; }

}  // namespace

bool CaptureOutput(WaylandConnection& wayland, const WaylandOutput& output, CapturedFrame& frame) {
    FrameEvents events{&frame};
    zwlr_screencopy_frame_v1* copy = zwlr_screencopy_manager_v1_capture_output(wayland.screencopy(), 0, output.output);
    zwlr_screencopy_frame_v1_add_listener(copy, &kFrameListener, &events);
    while (!events.announced && !events.finished && Dispatch(wayland)) {
    }
    const bool sane = events.announced && IsReadableFormat(frame.format) && frame.width > 0 && frame.height > 0 &&
                      frame.stride >= 4 * frame.width;
    SharedBuffer shared;
    if (sane && !events.finished && MakeBuffer(wayland, frame, shared)) {
        zwlr_screencopy_frame_v1_copy(copy, shared.buffer);
        while (!events.finished && Dispatch(wayland)) {
        }
    }
    zwlr_screencopy_frame_v1_destroy(copy);
    if (!events.copied) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(shared.bytes);
    frame.bytes.assign(bytes, bytes + shared.size);
    return true;
}

void ClearScreenImage(ScreenImage& image, int width, int height) {
    image.width = width;
    image.height = height;
    image.rowSize = (3 * width + 3) / 4 * 4;
    image.pixels.assign(static_cast<std::size_t>(image.rowSize) * static_cast<std::size_t>(height), 0);
}

// Little-endian XRGB keeps blue first in memory, as the image does; XBGR keeps red first.
void PlaceFrame(const CapturedFrame& frame, int left, int top, ScreenImage& image) {
    if (frame.bytes.size() < static_cast<std::size_t>(frame.stride) * static_cast<std::size_t>(frame.height)) return;
    const bool redFirst = frame.format == WL_SHM_FORMAT_XBGR8888 || frame.format == WL_SHM_FORMAT_ABGR8888;
    const int firstX = std::max(0, -left), endX = std::min(frame.width, image.width - left);
    const int firstY = std::max(0, -top), endY = std::min(frame.height, image.height - top);
    for (int y = firstY; y < endY; ++y) {
        const int sourceRow = frame.upsideDown ? frame.height - 1 - y : y;
        const std::uint8_t* source = frame.bytes.data() + static_cast<std::size_t>(sourceRow) * frame.stride;
        std::uint8_t* target = image.pixels.data() + static_cast<std::size_t>(image.height - 1 - (top + y)) * image.rowSize;
        for (int x = firstX; x < endX; ++x) {
            const std::uint8_t* pixel = source + 4 * x;
            std::uint8_t* out = target + 3 * (left + x);
            out[0] = redFirst ? pixel[2] : pixel[0];
            out[1] = pixel[1];
            out[2] = redFirst ? pixel[0] : pixel[2];
        }
    }
}

}  // namespace ml
