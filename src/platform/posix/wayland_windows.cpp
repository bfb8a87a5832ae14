#include "platform/posix/wayland_windows.h"

#include <algorithm>

namespace ml {

namespace {

WaylandWindow* Known(WaylandConnection& wayland, WindowHandle id) {
    for (WaylandWindow& window : wayland.windows())
        if (window.id == id) return &window;
    return nullptr;
}

}  // namespace

WaylandWindow* WaylandWindowById(WaylandConnection& wayland, WindowHandle id) {
    wayland.roundtrip();
    return Known(wayland, id);
}

std::vector<WindowHandle> ShownWaylandWindows(WaylandConnection& wayland) {
    wayland.roundtrip();
    std::vector<const WaylandWindow*> shown;
    for (const WaylandWindow& window : wayland.windows())
        if (!window.minimized) shown.push_back(&window);
    std::stable_sort(shown.begin(), shown.end(), [](const WaylandWindow* a, const WaylandWindow* b) {
        return a->activatedAt != b->activatedAt ? a->activatedAt > b->activatedAt : a->id > b->id;
    });
    std::vector<WindowHandle> ids;
    for (const WaylandWindow* window : shown) ids.push_back(window->id);
    return ids;
}

WindowHandle FindWaylandWindow(WaylandConnection& wayland, const std::string& title) {
    for (WindowHandle id : ShownWaylandWindows(wayland))
        if (Known(wayland, id)->title == title) return id;
    return 0;
}

WindowHandle FocusedWaylandWindow(WaylandConnection& wayland) {
    wayland.roundtrip();
    for (const WaylandWindow& window : wayland.windows())
        if (window.activated) return window.id;
    return 0;
}

// The compositor answers with the window's new state, which the roundtrip waits for.
void ActivateWaylandWindow(WaylandConnection& wayland, WindowHandle id) {
    if (WaylandWindow* window = WaylandWindowById(wayland, id)) {
        zwlr_foreign_toplevel_handle_v1_activate(window->handle, wayland.seat());
        wayland.roundtrip();
    }
}

void CloseWaylandWindow(WaylandConnection& wayland, WindowHandle id) {
    if (WaylandWindow* window = WaylandWindowById(wayland, id)) {
        zwlr_foreign_toplevel_handle_v1_close(window->handle);
        wayland.roundtrip();
    }
}

}  // namespace ml
