#include "automation/desk_input.h"

#include <algorithm>
#include <cstdlib>

#include "automation/desk_messages.h"
#include "automation/desktop_access.h"
#include "automation/input_codes.h"
#include "core/errors.h"

namespace ml {

namespace {

// A button's input flags, its window messages and its bit in a message's key state.
struct ButtonCodes {
    std::uint32_t downFlag, upFlag;
    std::uint32_t downMessage, upMessage, doubleMessage;
    std::uint64_t heldBit;
};

constexpr ButtonCodes kButtons[] = {
    {0x0002, 0x0004, 0x0201, 0x0202, 0x0203, 0x0001},  // left
    {0x0020, 0x0040, 0x0207, 0x0208, 0x0209, 0x0010},  // middle
    {0x0008, 0x0010, 0x0204, 0x0205, 0x0206, 0x0002},  // right
};

const ButtonCodes& CodesOf(MouseButton button) { return kButtons[static_cast<int>(button)]; }

// A point of any monitor, scaled to the whole desktop, whose corner may lie left of
// or above the primary's.
MouseRecord AbsoluteRecord(Desktop& desktop, ScreenPoint at, std::uint32_t flags) {
    const WindowRect whole = desktop.desktopRect();
    return {ScaleAbsolute(at.x - whole.x, whole.width), ScaleAbsolute(at.y - whole.y, whole.height),
            kMoveAbsolute | kVirtualDeskFlag | flags};
}

// The second press of a double click is what the system reports as the double click.
void PostClick(Desktop& desktop, WindowHandle window, const ButtonCodes& codes, ScreenPoint at, int count) {
    const std::uint32_t point = PackPoint(at.x, at.y);
    desktop.postMessage(window, kMouseMoveMessage, 0, point);
    for (int press = 0; press < count; ++press) {
        desktop.postMessage(window, press == 0 ? codes.downMessage : codes.doubleMessage, codes.heldBit, point);
        desktop.postMessage(window, codes.upMessage, 0, point);
    }
}

// A byte that is no character by itself is named by the escape that writes it.
std::string CharacterName(std::string_view bytes) {
    if (bytes.size() != 1) return std::string(bytes);
    const auto byte = static_cast<unsigned char>(bytes.front());
    if (byte >= 0x20 && byte < 0x7F) return std::string(bytes);
    constexpr char kDigits[] = "0123456789abcdef";
    return {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
}

}  // namespace

Desktop& DesktopFor(Interp& in, InputTarget target) {
    return target.desktop ? UsableDesktop(in) : DesktopThatCan(in, DesktopAbility::PostedInput, target.window);
}

void TypeInto(Interp& in, InputTarget target, const std::string& text) {
    // A message posted to no window reaches nobody.
    if (!target.desktop && target.window == 0) return;
    const std::optional<UntypedCharacter> untyped = DesktopFor(in, target).typeText(target.desktop ? 0 : target.window, text);
    if (!untyped) return;
    const std::string_view bytes = std::string_view(text).substr(std::min(untyped->offset, text.size()), untyped->length);
    Fail(in, Say(in, kMsgCannotType) + CharacterName(bytes));
}

void Click(Interp& in, InputTarget target, MouseButton button, ScreenPoint at, int count) {
    // A message posted to no window reaches nobody.
    if (!target.desktop && target.window == 0) return;
    Desktop& desktop = DesktopFor(in, target);
    const ButtonCodes& codes = CodesOf(button);
    if (!target.desktop) return PostClick(desktop, target.window, codes, at, count);
    for (int press = 0; press < count; ++press) {
        desktop.sendMouse(AbsoluteRecord(desktop, at, codes.downFlag));
        desktop.sendMouse(AbsoluteRecord(desktop, at, codes.upFlag));
    }
}

// Posted, the wheel message carries screen coordinates and one notch each, as a
// turning wheel sends them.
void TurnWheel(Interp& in, InputTarget target, int steps, ScreenPoint at) {
    steps = std::clamp(steps, -kMaxWheelSteps, kMaxWheelSteps);
    if (steps == 0 || (!target.desktop && target.window == 0)) return;
    Desktop& desktop = DesktopFor(in, target);
    if (target.desktop) {
        MouseRecord record = AbsoluteRecord(desktop, at, kWheelFlag);
        record.wheel = steps * kWheelDelta;
        desktop.sendMouse(record);
        return;
    }
    const ScreenPoint screen = desktop.clientToScreen(target.window, at);
    const std::int32_t delta = steps > 0 ? kWheelDelta : -kWheelDelta;
    const std::uint64_t wParam = (static_cast<std::uint64_t>(delta) & 0xFFFF) << 16;
    for (int step = 0; step < std::abs(steps); ++step)
        desktop.postMessage(target.window, kMouseWheelMessage, wParam, PackPoint(screen.x, screen.y));
}

}  // namespace ml
