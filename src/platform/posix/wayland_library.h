// The Wayland client library and libxkbcommon, opened with dlopen at the first use
// of a Wayland desktop, like the X libraries: the program must start, and run every
// script that leaves the desktop alone, on a machine that has neither.
#pragma once

#include <wayland-client-core.h>
#include <xkbcommon/xkbcommon.h>

namespace ml {

#define ML_WAYLAND_FUNCTIONS(F)                                                                   \
    F(wl_display_connect) F(wl_display_disconnect) F(wl_display_roundtrip) F(wl_display_flush)   \
    F(wl_display_dispatch) F(wl_display_get_error) F(wl_proxy_marshal_flags)                      \
    F(wl_proxy_add_listener) F(wl_proxy_destroy) F(wl_proxy_get_version)                         \
    F(wl_proxy_set_user_data) F(wl_proxy_get_user_data)
#define ML_XKB_FUNCTIONS(F) F(xkb_utf32_to_keysym) F(xkb_keysym_get_name)

#define ML_WAYLAND_MEMBER(name) decltype(&::name) name = nullptr;
struct WaylandLibrary {
    ML_WAYLAND_FUNCTIONS(ML_WAYLAND_MEMBER)
    ML_XKB_FUNCTIONS(ML_WAYLAND_MEMBER)
};
#undef ML_WAYLAND_MEMBER

// The table; null when either library is missing or lacks an entry point, which
// counts as no Wayland desktop. Opened once.
const WaylandLibrary* OpenWaylandLibrary();

// The opened table, for code that holds a connection made through it.
const WaylandLibrary& Wayland();

}  // namespace ml
