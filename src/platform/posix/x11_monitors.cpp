#include "platform/posix/x11_monitors.h"

#include <memory>

namespace ml {

namespace {

struct XFreeDeleter {
    void operator()(XineramaScreenInfo* heads) const { Xlib().XFree(heads); }
};

ScreenPoint RootSize(Display* display) {
    const int screen = DefaultScreen(display);
    return {DisplayWidth(display, screen) & 0xFFFF, DisplayHeight(display, screen) & 0xFFFF};
}

}  // namespace

std::vector<WindowRect> MonitorsOfHeads(std::span<const XineramaScreenInfo> heads, ScreenPoint root) {
    std::vector<WindowRect> monitors;
    for (const XineramaScreenInfo& head : heads)
        if (head.width > 0 && head.height > 0) monitors.push_back({head.x_org, head.y_org, head.width, head.height});
    if (monitors.empty()) monitors.push_back({0, 0, root.x, root.y});
    return monitors;
}

std::vector<WindowRect> MonitorRects(X11Connection& x11) {
    Display* display = x11.display();
    if (display == nullptr) return {};
    const X11XineramaLibrary* xinerama = OpenXinerama();
    int events = 0, errors = 0, count = 0;
    std::unique_ptr<XineramaScreenInfo, XFreeDeleter> heads;
    if (xinerama != nullptr && xinerama->XineramaQueryExtension(display, &events, &errors) &&
        xinerama->XineramaIsActive(display)) {
        heads.reset(xinerama->XineramaQueryScreens(display, &count));
    }
    if (heads == nullptr) count = 0;
    return MonitorsOfHeads({heads.get(), static_cast<std::size_t>(count < 0 ? 0 : count)}, RootSize(display));
}

}  // namespace ml
