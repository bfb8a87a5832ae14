#include "platform/posix/x11_shared_memory.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/socket.h>

namespace ml {

namespace {

// A segment id means nothing to a server on another machine (or, worse, names one of
// its own segments): shared memory is used only over a Unix-domain socket.
bool LocalConnection(Display* display) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(ConnectionNumber(display), reinterpret_cast<sockaddr*>(&address), &length) != 0) return false;
    return address.ss_family == AF_UNIX;
}

XImagePtr SegmentImage(const X11ShmLibrary& shm, Display* display, Visual* visual, int depth,
                       XShmSegmentInfo& segment, int width, int height) {
    return XImagePtr(shm.XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, segment.shmaddr,
                                         &segment, static_cast<unsigned>(width), static_cast<unsigned>(height)));
}

std::size_t ImageBytes(const XImage& image) {
    return static_cast<std::size_t>(image.bytes_per_line) * static_cast<std::size_t>(image.height);
}

}  // namespace

X11SharedMemory::~X11SharedMemory() { unmap(); }

XImagePtr X11SharedMemory::read(Display* display, Drawable drawable, Visual* visual, int depth, int x, int y,
                                int width, int height) {
    lastReadShared_ = false;
    if (!prepare(display)) return nullptr;
    const X11ShmLibrary& shm = *OpenX11Shm();
    XImagePtr image = SegmentImage(shm, display, visual, depth, segment_, width, height);
    // A window of a deeper visual than the screen's may need more than the segment holds.
    if (!image || ImageBytes(*image) > size_) return nullptr;
    if (shm.XShmGetImage(display, drawable, image.get(), x, y, AllPlanes) == 0) return nullptr;
    lastReadShared_ = true;
    return image;
}

bool X11SharedMemory::prepare(Display* display) {
    if (!allowed_ || unusable_) return false;
    const int screen = DefaultScreen(display);
    const int width = DisplayWidth(display, screen);
    const int height = DisplayHeight(display, screen);
    if (segment_.shmaddr != nullptr && width == width_ && height == height_) return true;
    release(display);
    if (create(display, width, height)) return true;
    release(display);
    unusable_ = true;
    return false;
}

bool X11SharedMemory::create(Display* display, int width, int height) {
    const X11ShmLibrary* shm = OpenX11Shm();
    if (shm == nullptr || !LocalConnection(display) || shm->XShmQueryExtension(display) == 0) return false;
    const int screen = DefaultScreen(display);
    const XImagePtr layout = SegmentImage(*shm, display, DefaultVisual(display, screen), DefaultDepth(display, screen),
                                          segment_, width, height);
    if (!layout) return false;
    size_ = ImageBytes(*layout);
    segment_.shmid = shmget(IPC_PRIVATE, size_, IPC_CREAT | 0600);
    if (segment_.shmid < 0) return false;
    void* address = shmat(segment_.shmid, nullptr, 0);
    // Marked for removal at once: the segment goes when the server and this process
    // have both let go of it, even if this process ends abruptly.
    shmctl(segment_.shmid, IPC_RMID, nullptr);
    if (address == reinterpret_cast<void*>(-1)) return false;
    segment_.shmaddr = static_cast<char*>(address);
    segment_.readOnly = False;
    width_ = width;
    height_ = height;
    // An attach the server refuses shows as a failed read; one pixel tells.
    if (shm->XShmAttach(display, &segment_) == 0) return false;
    XImagePtr probe = SegmentImage(*shm, display, DefaultVisual(display, screen), DefaultDepth(display, screen),
                                   segment_, 1, 1);
    return probe && shm->XShmGetImage(display, DefaultRootWindow(display), probe.get(), 0, 0, AllPlanes) != 0;
}

void X11SharedMemory::release(Display* display) {
    if (segment_.shmaddr == nullptr) return;
    // A segment the server never attached draws an error that the connection ignores.
    OpenX11Shm()->XShmDetach(display, &segment_);
    Xlib().XSync(display, False);
    unmap();
}

void X11SharedMemory::unmap() {
    if (segment_.shmaddr != nullptr) shmdt(segment_.shmaddr);
    segment_.shmaddr = nullptr;
    segment_.shmid = -1;
}

}  // namespace ml
