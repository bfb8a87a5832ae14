#include "platform/posix/posix_desktop_choice.h"

namespace ml {

DesktopKind ChooseDesktop(std::string_view forced, std::string_view waylandDisplay,
                          const std::function<bool()>& waylandUsable) {
    if (forced == "x11") return DesktopKind::X11;
    if (forced == "wayland") return DesktopKind::Wayland;
    if (!forced.empty()) return DesktopKind::Unknown;
    return !waylandDisplay.empty() && waylandUsable() ? DesktopKind::Wayland : DesktopKind::X11;
}

}  // namespace ml
