#include "platform/posix/wayland_input.h"

#include <X11/keysym.h>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/posix/x11_input.h"
#include "platform/posix/x11_keys.h"
#include "platform/posix/x11_typing.h"

namespace ml {

namespace {

constexpr std::uint32_t kMouseMove = 0x0001;
constexpr std::uint32_t kMouseWheel = 0x0800;
constexpr std::uint32_t kMouseVirtualDesk = 0x4000;
constexpr std::uint32_t kMouseAbsolute = 0x8000;
constexpr std::uint32_t kKeyUp = 0x0002;
constexpr int kWheelDelta = 120;
// One notch of a wheel scrolls this far, in the units wl_pointer's axis events use.
constexpr double kNotchDistance = 15.0;

struct ButtonFlag {
    std::uint32_t flag;
    std::uint32_t button;
    int virtualKey;
    bool press;
};

constexpr ButtonFlag kButtonFlags[] = {
    {0x0002, BTN_LEFT, 1, true},   {0x0004, BTN_LEFT, 1, false},  {0x0008, BTN_RIGHT, 2, true},
    {0x0010, BTN_RIGHT, 2, false}, {0x0020, BTN_MIDDLE, 4, true}, {0x0040, BTN_MIDDLE, 4, false},
};

// A key of the keymap that loses a character it typed must keep it until the client
// has read the press: a roundtrip tells the compositor has sent it, not that the
// client has read it.
constexpr auto kForgottenKeysGrace = std::chrono::milliseconds(200);

constexpr auto kKeymapGrace = std::chrono::milliseconds(100);

std::uint32_t Milliseconds() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int KeysymName(std::uint32_t keysym, char* buffer, std::size_t size) {
    return Wayland().xkb_keysym_get_name(keysym, buffer, size);
}

}  // namespace

WaylandInput::~WaylandInput() {
    if (pointerDevice_ != nullptr) zwlr_virtual_pointer_v1_destroy(pointerDevice_);
    if (keyboard_ != nullptr) zwp_virtual_keyboard_v1_destroy(keyboard_);
}

bool WaylandInput::ready() {
    if (!tried_ && wayland_.usable()) {
        tried_ = true;
        pointerDevice_ = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(wayland_.pointerManager(), wayland_.seat());
        keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(wayland_.keyboardManager(), wayland_.seat());
        wayland_.roundtrip();
        // A new pointer gets its cursor, and clients their enter events, only after
        // the compositor has set the device up.
        std::this_thread::sleep_for(kKeymapGrace);
    }
    return keyboard_ != nullptr && pointerDevice_ != nullptr;
}

void WaylandInput::uploadKeymap() {
    if (!keymap_.changed()) return;
    const std::string text = keymap_.text(KeysymName);
    const int file = memfd_create("morrowlark-keymap", MFD_CLOEXEC);
    if (file < 0) return;
    if (write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size()))
        zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, file,
                                       static_cast<std::uint32_t>(text.size()));
    // The request carries a duplicate of the descriptor.
    close(file);
    // The compositor hands a client a keyboard's new keymap with that keyboard's next
    // key, and the client may read that key by the old one: a key that types nothing
    // goes first, and time for the client to take the keymap.
    const std::optional<std::uint32_t> shift = keymap_.codeOf(XK_Shift_L);
    key(*shift, true);
    key(*shift, false);
    wayland_.roundtrip();
    std::this_thread::sleep_for(kKeymapGrace);
}

// Key times stay 0: clients tested here (foot) dropped key presses stamped with the
// monotonic clock, and a key's time serves nothing but key repeat.
void WaylandInput::key(std::uint32_t code, bool press) {
    zwp_virtual_keyboard_v1_key(keyboard_, 0, code,
                                press ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
}

// The compositor maps 0..extent onto the box that holds every output.
void WaylandInput::moveTo(int x, int y, const WindowRect& desktop) {
    pointer_ = {x, y};
    zwlr_virtual_pointer_v1_motion_absolute(pointerDevice_, Milliseconds(), static_cast<std::uint32_t>(x - desktop.x),
                                            static_cast<std::uint32_t>(y - desktop.y),
                                            static_cast<std::uint32_t>(desktop.width),
                                            static_cast<std::uint32_t>(desktop.height));
}

void WaylandInput::sendMouse(const MouseRecord& record, const WindowRect& screen, const WindowRect& desktop) {
    if (!ready()) return;
    if ((record.flags & kMouseMove) && (record.flags & kMouseAbsolute)) {
        const WindowRect& scale = (record.flags & kMouseVirtualDesk) ? desktop : screen;
        moveTo(scale.x + PixelOfAbsolute(record.dx, scale.width), scale.y + PixelOfAbsolute(record.dy, scale.height),
               desktop);
    } else if (record.flags & kMouseMove) {
        pointer_ = {pointer_.x + record.dx, pointer_.y + record.dy};
        zwlr_virtual_pointer_v1_motion(pointerDevice_, Milliseconds(), wl_fixed_from_int(record.dx),
                                       wl_fixed_from_int(record.dy));
    }
    for (const ButtonFlag& b : kButtonFlags) {
        if (!(record.flags & b.flag)) continue;
        zwlr_virtual_pointer_v1_button(pointerDevice_, Milliseconds(), b.button,
                                       b.press ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
        down_[b.virtualKey] = b.press;
    }
    // Positive turns of the wheel are away from the user, which scrolls up: negative
    // on Wayland's axis.
    const int notches = (record.flags & kMouseWheel) ? record.wheel / kWheelDelta : 0;
    for (int notch = 0; notch < std::abs(notches); ++notch) {
        const int step = notches > 0 ? -1 : 1;
        zwlr_virtual_pointer_v1_axis_source(pointerDevice_, WL_POINTER_AXIS_SOURCE_WHEEL);
        zwlr_virtual_pointer_v1_axis_discrete(pointerDevice_, Milliseconds(), WL_POINTER_AXIS_VERTICAL_SCROLL,
                                              wl_fixed_from_double(step * kNotchDistance), step);
        zwlr_virtual_pointer_v1_frame(pointerDevice_);
    }
    zwlr_virtual_pointer_v1_frame(pointerDevice_);
    wayland_.roundtrip();
}

void WaylandInput::sendKey(const KeyRecord& record) {
    const auto keysym = static_cast<std::uint32_t>(KeysymOfVirtualKey(record.virtualKey));
    if (keysym == 0 || !ready()) return;
    const std::optional<std::uint32_t> code = keymap_.codeOf(keysym);
    if (!code) return;
    uploadKeymap();
    const bool press = !(record.flags & kKeyUp);
    key(*code, press);
    if (const std::uint32_t modifier = HeldModifierOf(keysym)) {
        heldModifiers_ = press ? heldModifiers_ | modifier : heldModifiers_ & ~modifier;
        zwp_virtual_keyboard_v1_modifiers(keyboard_, heldModifiers_, 0, 0, 0);
    }
    if (record.virtualKey < down_.size()) down_[record.virtualKey] = press;
    wayland_.roundtrip();
}

bool WaylandInput::isDown(int virtualKey) const {
    return virtualKey >= 0 && virtualKey < static_cast<int>(down_.size()) && down_[virtualKey];
}

// Every character gets a key of the keymap; when a text needs more keys than it has
// room for, the keys typed so far are given back once their presses are read, and
// the rest goes on with new ones.
std::optional<UntypedCharacter> WaylandInput::typeText(const std::string& text) {
    const std::u32string characters = DecodeUtf8(text);
    std::vector<std::uint32_t> keysyms;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (characters[i] == '\r' && i + 1 < characters.size() && characters[i + 1] == '\n') continue;
        if (characters[i] == kNotACharacter) return UntypedAt(characters, i);
        if (const auto keysym = static_cast<std::uint32_t>(KeysymOfCharacter(characters[i]))) keysyms.push_back(keysym);
    }
    if (!ready()) return std::nullopt;
    for (std::size_t next = 0; next < keysyms.size();) {
        std::vector<std::uint32_t> codes;
        for (; next < keysyms.size(); ++next) {
            const std::optional<std::uint32_t> code = keymap_.codeOf(keysyms[next]);
            if (!code) break;
            codes.push_back(*code);
        }
        uploadKeymap();
        for (std::uint32_t code : codes) {
            key(code, true);
            wayland_.roundtrip();
            key(code, false);
            wayland_.roundtrip();
        }
        if (next == keysyms.size()) break;
        std::this_thread::sleep_for(kForgottenKeysGrace);
        keymap_.forgetAdded();
    }
    return std::nullopt;
}

}  // namespace ml
