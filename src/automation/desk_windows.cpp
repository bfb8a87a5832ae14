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

bool Holds(const WindowRect& rect, ScreenPoint point) {
    return point.x >= rect.x && point.y >= rect.y && point.x - rect.x < rect.width && point.y - rect.y < rect.height;
}

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
    return PollUntil(in, milliseconds, [&] { return FirstWindowWhere(in, Equals, title); });
}

WindowHandle WaitForWindowContaining(Interp& in, const std::string& text, int milliseconds) {
    return PollUntil(in, milliseconds, [&] { return FirstWindowWhere(in, Contains, text); });
}

bool WaitForWindowToGo(Interp& in, WindowHandle window, int milliseconds) {
    Desktop& desktop = UsableDesktop(in);
    return PollUntil(in, milliseconds, [&] { return !desktop.windowShown(window); });
}

WindowHandle FocusedWindow(Interp& in) { return UsableDesktop(in).focusedWindow(); }

// Stacking order decides where windows overlap, as it decides what the eye sees.
WindowHandle WindowAt(Interp& in, ScreenPoint point) {
    Desktop& desktop = DesktopThatCan(in, DesktopAbility::WindowGeometry, 0);
    for (WindowHandle window : desktop.topWindows()) {
        WindowRect rect;
        if (desktop.windowRect(window, rect) && Holds(rect, point)) return window;
    }
    return 0;
}

WindowRect WindowRectangle(Interp& in, WindowHandle window) {
    if (window == 0) return UsableDesktop(in).desktopRect();
    Desktop& desktop = DesktopThatCan(in, DesktopAbility::WindowGeometry, window);
    WindowRect rect;
    return desktop.windowRect(window, rect) ? rect : WindowRect{};
}

ScreenPoint InsideCorner(Interp& in, WindowHandle window) {
    if (window == 0) return UsableDesktop(in), ScreenPoint{};
    Desktop& desktop = DesktopThatCan(in, DesktopAbility::WindowGeometry, window);
    WindowRect rect;
    if (!desktop.windowRect(window, rect)) return {};
    return desktop.clientToScreen(window, {0, 0});
}

void MoveWindow(Interp& in, WindowHandle window, WindowRect rect) {
    if (window == 0) return;
    Desktop& desktop = DesktopThatCan(in, DesktopAbility::MoveWindows, window);
    WindowRect current;
    if (!desktop.windowRect(window, current)) return;
    if (rect.width < 0) rect.width = current.width;
    if (rect.height < 0) rect.height = current.height;
    desktop.moveWindow(window, rect);
}

}  // namespace ml
