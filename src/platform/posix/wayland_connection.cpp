#include "platform/posix/wayland_connection.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ml {

namespace {

WaylandConnection& ConnectionOf(void* data) { return *static_cast<WaylandConnection*>(data); }

// The versions asked for: the lowest that have every event and request used here,
// so that a newer compositor sends nothing the listeners lack.
constexpr std::uint32_t kSeatVersion = 1;
constexpr std::uint32_t kOutputVersion = 2;
constexpr std::uint32_t kToplevelVersion = 3;

template <class Proxy>
Proxy* Bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface, std::uint32_t offered,
            std::uint32_t wanted) {
    return static_cast<Proxy*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) {
    ConnectionOf(data).addGlobal(registry, name, interface, version);
}

void OnGlobalRemove(void* data, wl_registry*, std::uint32_t name) { ConnectionOf(data).removeGlobal(name); }

constexpr wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

void OnOutputGeometry(void* data, wl_output* output, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
                      std::int32_t, const char*, const char*, std::int32_t) {
    if (WaylandOutput* known = ConnectionOf(data).outputOf(output)) known->rect.x = x, known->rect.y = y;
}

void OnOutputMode(void* data, wl_output* output, std::uint32_t flags, std::int32_t width, std::int32_t height,
                  std::int32_t) {
    if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
    if (WaylandOutput* known = ConnectionOf(data).outputOf(output)) known->rect.width = width, known->rect.height = height;
}

void OnOutputDone(void*, wl_output*) {}
void OnOutputScale(void*, wl_output*, std::int32_t) {}
void OnOutputText(void*, wl_output*, const char*) {}

constexpr wl_output_listener kOutputListener{OnOutputGeometry, OnOutputMode, OnOutputDone, OnOutputScale,
                                             OnOutputText, OnOutputText};

void OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
    ConnectionOf(data).addWindow(handle);
}

void OnToplevelsFinished(void*, zwlr_foreign_toplevel_manager_v1*) {}

constexpr zwlr_foreign_toplevel_manager_v1_listener kToplevelManagerListener{OnToplevel, OnToplevelsFinished};

WaylandWindow& WindowOf(void* data) { return *static_cast<WaylandWindow*>(data); }

// A window's events reach it through its handle's user data; the window names its
// connection for what concerns the whole list (the order of activations, forgetting).
struct WindowEvents {
    static void Title(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) {
        WindowOf(data).title = title;
    }
    static void AppId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* appId) {
        WindowOf(data).appId = appId;
    }
    static void Output(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
    static void State(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
        WaylandWindow& window = WindowOf(data);
        bool activated = false;
        window.minimized = false;
        const auto* state = static_cast<const std::uint32_t*>(states->data);
        for (std::size_t i = 0; i < states->size / sizeof(std::uint32_t); ++i) {
            activated = activated || state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
            window.minimized = window.minimized || state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED;
        }
        window.owner->setActivated(window, activated);
    }
    static void Done(void*, zwlr_foreign_toplevel_handle_v1*) {}
    static void Closed(void* data, zwlr_foreign_toplevel_handle_v1*) {
        WaylandWindow& window = WindowOf(data);
        window.owner->forgetWindow(window);
    }
    static void Parent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}
};

constexpr zwlr_foreign_toplevel_handle_v1_listener kWindowListener{
    WindowEvents::Title, WindowEvents::AppId,  WindowEvents::Output, WindowEvents::Output,
    WindowEvents::State, WindowEvents::Done,   WindowEvents::Closed, WindowEvents::Parent};

}  // namespace

// Every object the connection made is given back before it closes; the compositor
// forgets them with the connection, but the library's records of them are ours to free.
WaylandConnection::~WaylandConnection() {
    if (display_ == nullptr) return;
    for (WaylandWindow& window : windows_) zwlr_foreign_toplevel_handle_v1_destroy(window.handle);
    for (WaylandOutput& output : outputs_) wl_output_destroy(output.output);
    wl_proxy* objects[] = {reinterpret_cast<wl_proxy*>(toplevelManager_), reinterpret_cast<wl_proxy*>(pointerManager_),
                           reinterpret_cast<wl_proxy*>(keyboardManager_), reinterpret_cast<wl_proxy*>(screencopy_),
                           reinterpret_cast<wl_proxy*>(seat_),            reinterpret_cast<wl_proxy*>(shm_),
                           reinterpret_cast<wl_proxy*>(registry_)};
    for (wl_proxy* object : objects)
        if (object != nullptr) wl_proxy_destroy(object);
    Wayland().wl_display_disconnect(display_);
}

bool WaylandConnection::usable() {
    if (!tried_) {
        tried_ = true;
        usable_ = connect();
    }
    return usable_;
}

bool WaylandConnection::connect() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0' || OpenWaylandLibrary() == nullptr) return false;
    display_ = Wayland().wl_display_connect(nullptr);
    if (display_ == nullptr) return false;
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &kRegistryListener, this);
    // The first answer lists the globals; the second, the outputs' modes and the
    // windows the toplevel manager announces once bound.
    if (Wayland().wl_display_roundtrip(display_) < 0 || Wayland().wl_display_roundtrip(display_) < 0) return false;
    checkProtocols();
    return missing_.empty();
}

void WaylandConnection::checkProtocols() {
    const std::pair<const void*, const char*> needed[] = {
        {seat_, "wl_seat"},
        {shm_, "wl_shm"},
        {outputs_.empty() ? nullptr : &outputs_, "wl_output"},
        {toplevelManager_, "zwlr_foreign_toplevel_manager_v1"},
        {pointerManager_, "zwlr_virtual_pointer_manager_v1"},
        {keyboardManager_, "zwp_virtual_keyboard_manager_v1"},
        {screencopy_, "zwlr_screencopy_manager_v1"},
    };
    for (const auto& [bound, interface] : needed)
        if (bound == nullptr) missing_.emplace_back(interface);
}

void WaylandConnection::roundtrip() {
    if (display_ == nullptr || Wayland().wl_display_roundtrip(display_) >= 0) return;
    if (lostReport_) lostReport_();
    std::exit(1);
}

void WaylandConnection::addGlobal(wl_registry* registry, std::uint32_t name, const char* interface,
                                  std::uint32_t version) {
    const std::string_view offered = interface;
    if (offered == wl_seat_interface.name && seat_ == nullptr) {
        seat_ = Bind<wl_seat>(registry, name, wl_seat_interface, version, kSeatVersion);
    } else if (offered == wl_shm_interface.name) {
        shm_ = Bind<wl_shm>(registry, name, wl_shm_interface, version, 1);
    } else if (offered == wl_output_interface.name) {
        outputs_.push_back({Bind<wl_output>(registry, name, wl_output_interface, version, kOutputVersion), name, {}});
        wl_output_add_listener(outputs_.back().output, &kOutputListener, this);
    } else if (offered == zwlr_foreign_toplevel_manager_v1_interface.name) {
        toplevelManager_ = Bind<zwlr_foreign_toplevel_manager_v1>(
            registry, name, zwlr_foreign_toplevel_manager_v1_interface, version, kToplevelVersion);
        zwlr_foreign_toplevel_manager_v1_add_listener(toplevelManager_, &kToplevelManagerListener, this);
    } else if (offered == zwlr_virtual_pointer_manager_v1_interface.name) {
        pointerManager_ = Bind<zwlr_virtual_pointer_manager_v1>(registry, name,
                                                                zwlr_virtual_pointer_manager_v1_interface, version, 1);
    } else if (offered == zwp_virtual_keyboard_manager_v1_interface.name) {
        keyboardManager_ = Bind<zwp_virtual_keyboard_manager_v1>(
            registry, name, zwp_virtual_keyboard_manager_v1_interface, version, 1);
    } else if (offered == zwlr_screencopy_manager_v1_interface.name) {
        screencopy_ = Bind<zwlr_screencopy_manager_v1>(registry, name, zwlr_screencopy_manager_v1_interface, version, 1);
    }
}

// Only an output can come and go while the compositor runs.
void WaylandConnection::removeGlobal(std::uint32_t name) {
    std::erase_if(outputs_, [name](const WaylandOutput& output) {
        if (output.name == name) wl_output_destroy(output.output);
        return output.name == name;
    });
}

WaylandOutput* WaylandConnection::outputOf(wl_output* output) {
    for (WaylandOutput& known : outputs_)
        if (known.output == output) return &known;
    return nullptr;
}

void WaylandConnection::addWindow(zwlr_foreign_toplevel_handle_v1* handle) {
    windows_.push_back({handle, ++lastId_, {}, {}, false, false, this, 0});
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kWindowListener, &windows_.back());
}

void WaylandConnection::setActivated(WaylandWindow& window, bool activated) {
    if (activated && !window.activated) window.activatedAt = ++activations_;
    window.activated = activated;
}

void WaylandConnection::forgetWindow(WaylandWindow& window) {
    zwlr_foreign_toplevel_handle_v1_destroy(window.handle);
    windows_.remove_if([&window](const WaylandWindow& known) { return &known == &window; });
}

}  // namespace ml
