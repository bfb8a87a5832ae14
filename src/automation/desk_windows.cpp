#include "automation/desk_windows.h"

#include <algorithm>
#include <vector>

#include "automation/desktop_access.h"
#include "automation/polling.h"
#include "core/limits.h"

namespace ml {

namespace {

WindowHandle FirstWindowWhere(Interp& in, bool (*match)(const std::string& title, const std::string& text),
                              const std::string& text) {
    for (WindowHandle window : UsableDesktop(in).topWindows())
        if (match(WindowTitle(in, window), text)) return window;
    return 0;
}

bool Contains(const std::string& title, const std::string& text) { return title.find(text) != std::string::npos; }

bool Equals(const std::string& title, const std::string& text) { return title == text; }

}  // namespace

std::string WindowTitle(Interp& in, WindowHandle window) {
    if (window == 0) return {};
    std::string title = UsableDesktop(in).windowTitle(window);
    if (title.size() > kMaxText) title.resize(kMaxText);
    return title;
}

WindowHandle NextWindow(Interp& in, WindowHandle after) {
    const std::vector<WindowHandle> windows = UsableDesktop(in).topWindows();
    if (after == 0) return windows.empty() ? 0 : windows.front();
    const auto found = std::find(windows.begin(), windows.end(), after);
    return found == windows.end() || found + 1 == windows.end() ? 0 : *(found + 1);
}

WindowHandle FindWindowContaining(Interp& in, const std::string& text) { return FirstWindowWhere(in, Contains, text); }

WindowHandle WaitForWindow(Interp& in, const std::string& title, int milliseconds) {
    WindowHandle window = 0;
    PollUntil(in, milliseconds, [&] { return (window = FirstWindowWhere(in, Equals, title)) != 0; });
    return window;
}

WindowRect WindowRectangle(Interp& in, WindowHandle window) {
    Desktop& desktop = UsableDesktop(in);
    if (window == 0) {
        const ScreenPoint size = desktop.screenSize();
        return {0, 0, size.x, size.y};
    }
    WindowRect rect;
    return desktop.windowRect(window, rect) ? rect : WindowRect{};
}

ScreenPoint InsideCorner(Interp& in, WindowHandle window) {
    Desktop& desktop = UsableDesktop(in);
    WindowRect rect;
    if (window == 0 || !desktop.windowRect(window, rect)) return {};
    return desktop.clientToScreen(window, {0, 0});
}

void MoveWindow(Interp& in, WindowHandle window, WindowRect rect) {
    if (window == 0) return;
    Desktop& desktop = UsableDesktop(in);
    WindowRect current;
    if (!desktop.windowRect(window, current)) return;
    if (rect.width < 0) rect.width = current.width;
    if (rect.height < 0) rect.height = current.height;
    desktop.moveWindow(window, rect);
}

}  // namespace ml
