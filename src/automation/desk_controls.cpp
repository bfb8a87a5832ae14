#include "automation/desk_controls.h"

#include <charconv>

#include "automation/desk_messages.h"
#include "automation/desk_state.h"
#include "automation/desktop_access.h"
#include "core/errors.h"
#include "core/strings.h"

namespace ml {

namespace {

bool SameClass(std::string_view one, std::string_view other) {
    return AsciiLower(std::string(one)) == AsciiLower(std::string(other));
}

bool NameMatches(const Control& control, std::string_view name) {
    const std::string caption = control.accessMarks ? WithoutAccessMarks(control.text) : control.text;
    return caption == name || SameClass(control.className, name);
}

// "Class#N" with N a whole number from 1: the class and N; nothing for any other name.
std::optional<std::pair<std::string_view, std::size_t>> ClassAndNumber(std::string_view name) {
    const std::size_t mark = name.rfind('#');
    if (mark == std::string_view::npos || mark == 0 || mark + 1 == name.size()) return std::nullopt;
    std::size_t number = 0;
    const char* end = name.data() + name.size();
    const auto read = std::from_chars(name.data() + mark + 1, end, number);
    if (read.ec != std::errc() || read.ptr != end || number == 0) return std::nullopt;
    return std::pair{name.substr(0, mark), number};
}

}  // namespace

// A lone & at the end marks nothing and shows nothing, as the system draws it.
std::string WithoutAccessMarks(std::string_view text) {
    std::string caption;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && ++i == text.size()) break;
        caption += text[i];
    }
    return caption;
}

WindowHandle PickControl(const std::vector<Control>& controls, std::string_view name) {
    for (const Control& control : controls)
        if (NameMatches(control, name)) return control.handle;
    const auto classAndNumber = ClassAndNumber(name);
    if (!classAndNumber) return 0;
    std::size_t seen = 0;
    for (const Control& control : controls)
        if (SameClass(control.className, classAndNumber->first) && ++seen == classAndNumber->second)
            return control.handle;
    return 0;
}

void RequireWindowOrControl(Interp& in, std::string_view function, WindowHandle handle, std::string_view given) {
    WindowRect rect;
    if (handle != 0 && UsableDesktop(in).windowRect(handle, rect)) return;
    Fail(in, std::string(function) + Say(in, kMsgNotWindowOrControl) + std::string(given));
}

WindowHandle FindControl(Interp& in, WindowHandle window, std::string_view name) {
    const std::optional<std::vector<Control>> controls = UsableDesktop(in).controls(window);
    if (controls) return PickControl(*controls, name);
    DeskState& state = DeskStateOf(in);
    if (!state.toldControlsUnreachable) in.platform.console.writeError(Say(in, kMsgControlsUnreachable) + "\n");
    state.toldControlsUnreachable = true;
    return 0;
}

}  // namespace ml
