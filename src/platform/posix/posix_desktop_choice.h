// Which desktop the Linux program drives, decided in this one place.
#pragma once

#include <functional>
#include <string_view>

namespace ml {

enum class DesktopKind {
    X11,
    Wayland,
    Unknown,  // MORROWLARK_DESKTOP names neither: nothing is driven rather than a guess
};

// MORROWLARK_DESKTOP ("x11" or "wayland", the forced value) decides when set. Without
// it, Wayland where WAYLAND_DISPLAY names a compositor that offers what a desktop
// needs (waylandUsable is asked only then), else X11: on a Wayland desktop whose
// compositor lacks the protocols, programs that run through XWayland are still reached.
DesktopKind ChooseDesktop(std::string_view forced, std::string_view waylandDisplay,
                          const std::function<bool()>& waylandUsable);

}  // namespace ml
