// Input on a Wayland desktop: a virtual pointer and a virtual keyboard of our own,
// made at the first input. The compositor tells no client where the pointer is or
// which keys are down, so both are what this program made them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/posix/wayland_connection.h"
#include "platform/posix/wayland_keymap.h"

namespace ml {

class WaylandInput {
public:
    explicit WaylandInput(WaylandConnection& wayland) : wayland_(wayland) {}
    WaylandInput(const WaylandInput&) = delete;
    WaylandInput& operator=(const WaylandInput&) = delete;
    ~WaylandInput();

    // The record's absolute coordinates are of the screen (the first output) or, with
    // the virtual-desktop flag, of the desktop; both rectangles are in the
    // compositor's layout.
    void sendMouse(const MouseRecord& record, const WindowRect& screen, const WindowRect& desktop);
    void sendKey(const KeyRecord& record);
    // Types the UTF-8 text into the focused window.
    std::optional<UntypedCharacter> typeText(const std::string& text);
    // Where this program last put the pointer, in layout coordinates.
    ScreenPoint pointer() const { return pointer_; }
    // Whether this program holds the virtual key (or mouse button 1, 2 or 4) down.
    bool isDown(int virtualKey) const;

private:
    bool ready();
    void uploadKeymap();
    void key(std::uint32_t code, bool press);
    void moveTo(int x, int y, const WindowRect& desktop);

    WaylandConnection& wayland_;
    bool tried_ = false;
    zwlr_virtual_pointer_v1* pointerDevice_ = nullptr;
    zwp_virtual_keyboard_v1* keyboard_ = nullptr;
    WaylandKeymap keymap_;
    ScreenPoint pointer_;
    std::array<bool, 256> down_{};
    // The modifiers of the modifier keys held down, which the compositor is told
    // itself: it does not work them out from a virtual keyboard's keys.
    std::uint32_t heldModifiers_ = 0;
};

}  // namespace ml
