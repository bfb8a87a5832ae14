// The desktop services on a Wayland compositor of the wlroots family: windows through
// the foreign-toplevel protocol, input through a virtual pointer and keyboard, the
// screen through screencopy, and where windows lie through sway's IPC when it runs.
// Coordinates are the desktop's, (0, 0) the first output's top-left corner.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/sway_ipc.h"
#include "platform/posix/wayland_connection.h"
#include "platform/posix/wayland_input.h"

namespace ml {

class WaylandDesktop {
public:
    WaylandDesktop() : input_(wayland_) {}

    bool usable() { return wayland_.usable(); }
    DisplayState displayState();
    std::string desktopName();
    void whenDisplayLost(std::function<void(const std::string&)> report);
    bool can(DesktopAbility ability, WindowHandle window);

    ScreenPoint screenSize();
    std::vector<WindowRect> monitors();
    WindowRect desktopRect();

    WindowHandle findWindow(const std::string& title);
    void setForeground(WindowHandle window);
    std::vector<WindowHandle> topWindows();
    std::string windowTitle(WindowHandle window);
    bool windowRect(WindowHandle window, WindowRect& rect);
    void moveWindow(WindowHandle window, const WindowRect& rect);
    void closeWindow(WindowHandle window);
    ScreenPoint clientToScreen(WindowHandle window, ScreenPoint point);
    bool clientSize(WindowHandle window, ScreenPoint& size);
    WindowHandle focusedWindow();
    bool windowShown(WindowHandle window);

    void sendMouse(const MouseRecord& record);
    void sendKey(const KeyRecord& record);
    std::int16_t asyncKeyState(int virtualKey);
    ScreenPoint cursorPosition();
    std::optional<UntypedCharacter> typeText(const std::string& text);

    void screenImage(WindowHandle window, ScreenImage& image);
    void desktopImage(WindowHandle window, ScreenImage& image);

private:
    // The first output's top-left corner in the compositor's layout.
    ScreenPoint origin();
    // The layout's rectangle that holds every output, in layout coordinates.
    WindowRect layoutBox();
    // The compositor's view of the window; nothing without the IPC or the window.
    std::optional<SwayView> viewOf(WindowHandle window);
    // Draws every output into an image of the size, the desktop's corner at (left, top).
    void drawOutputs(ScreenImage& image, int width, int height, int left, int top);
    void cropToInside(WindowHandle window, ScreenImage& image, int width, int height);

    WaylandConnection wayland_;
    WaylandInput input_;
    std::array<bool, 256> downAtLastQuery_{};
};

}  // namespace ml
