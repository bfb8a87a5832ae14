// The one connection to the Wayland compositor that the desktop services share,
// opened at the first use. It binds the globals a desktop needs and keeps the list of
// the compositor's windows up to date as its events arrive.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/wayland_protocols.h"

namespace ml {

// One output (monitor) as the compositor places it: its position in the layout and
// its current mode's size in pixels.
struct WaylandOutput {
    wl_output* output = nullptr;
    std::uint32_t name = 0;
    WindowRect rect;
};

class WaylandConnection;

// One of the compositor's windows. The handle a script sees is the id, given in the
// order the windows were announced and never reused during a run.
struct WaylandWindow {
    zwlr_foreign_toplevel_handle_v1* handle = nullptr;
    WindowHandle id = 0;
    std::string title;
    std::string appId;
    bool activated = false;
    bool minimized = false;
    WaylandConnection* owner = nullptr;
    // When the window was last seen activated, so that the list can go from the top
    // as the stacking order would: the most recently activated first.
    std::uint64_t activatedAt = 0;
};

class WaylandConnection {
public:
    WaylandConnection() = default;
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;
    ~WaylandConnection();

    // Connects once, to the compositor WAYLAND_DISPLAY names; false when the library
    // is missing, nothing answers or a needed protocol is not offered.
    bool usable();
    // The protocols a desktop needs that the compositor does not offer, by their
    // interface names; empty once usable, or when nothing was reached.
    const std::vector<std::string>& missingProtocols() const { return missing_; }
    // What to do when the compositor goes away: called once, and the process ends.
    void whenLost(std::function<void()> report) { lostReport_ = std::move(report); }
    // Sends what is queued and waits until the compositor has answered all of it,
    // with every event it sent before handled.
    void roundtrip();

    wl_display* display() { return display_; }
    wl_seat* seat() { return seat_; }
    wl_shm* shm() { return shm_; }
    zwlr_virtual_pointer_manager_v1* pointerManager() { return pointerManager_; }
    zwp_virtual_keyboard_manager_v1* keyboardManager() { return keyboardManager_; }
    zwlr_screencopy_manager_v1* screencopy() { return screencopy_; }
    const std::vector<WaylandOutput>& outputs() const { return outputs_; }
    // The windows still open, in the order they were announced.
    std::list<WaylandWindow>& windows() { return windows_; }

    // The event handlers of the protocol listeners, which reach the connection
    // through their user data.
    void addGlobal(wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version);
    void removeGlobal(std::uint32_t name);
    WaylandOutput* outputOf(wl_output* output);
    void addWindow(zwlr_foreign_toplevel_handle_v1* handle);
    void setActivated(WaylandWindow& window, bool activated);
    void forgetWindow(WaylandWindow& window);

private:
    bool connect();
    void checkProtocols();

    bool tried_ = false;
    bool usable_ = false;
    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_shm* shm_ = nullptr;
    zwlr_foreign_toplevel_manager_v1* toplevelManager_ = nullptr;
    zwlr_virtual_pointer_manager_v1* pointerManager_ = nullptr;
    zwp_virtual_keyboard_manager_v1* keyboardManager_ = nullptr;
    zwlr_screencopy_manager_v1* screencopy_ = nullptr;
    std::vector<WaylandOutput> outputs_;
    std::list<WaylandWindow> windows_;
    std::vector<std::string> missing_;
    std::function<void()> lostReport_;
    WindowHandle lastId_ = 0;
    std::uint64_t activations_ = 0;
};

}  // namespace ml
