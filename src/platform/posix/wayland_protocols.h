// The protocols the Wayland desktop speaks: the core protocol, and the wlroots
// protocols for windows, input and the screen. The library's names must be bound to
// the opened table before any of them is read.
#pragma once

#include "platform/posix/wayland_library.h"

// The protocol code that wayland-scanner generates calls the library's functions by
// name; these turn the names into calls through the opened table. A macro is not
// expanded again inside its own replacement, so the member keeps its name.
#define wl_proxy_marshal_flags ::ml::Wayland().wl_proxy_marshal_flags
#define wl_proxy_add_listener ::ml::Wayland().wl_proxy_add_listener
#define wl_proxy_destroy ::ml::Wayland().wl_proxy_destroy
#define wl_proxy_get_version ::ml::Wayland().wl_proxy_get_version
#define wl_proxy_set_user_data ::ml::Wayland().wl_proxy_set_user_data
#define wl_proxy_get_user_data ::ml::Wayland().wl_proxy_get_user_data

#include <wayland-client-protocol.h>

#include <virtual-keyboard-unstable-v1-client-protocol.h>
#include <wlr-foreign-toplevel-management-unstable-v1-client-protocol.h>
#include <wlr-screencopy-unstable-v1-client-protocol.h>
#include <wlr-virtual-pointer-unstable-v1-client-protocol.h>
