// The desktop services of this host: an X11 display or a Wayland compositor, chosen
// at the first use, each reached through one connection opened then. What is the same
// on both (files, pictures, the clock) is done here once.
#pragma once

#include <array>
#include <memory>

#include "platform/platform.h"
#include "platform/posix/posix_desktop_choice.h"
#include "platform/posix/wayland_desktop.h"
#include "platform/posix/x11_input.h"

namespace ml {

class AccessibleControls;

class PosixDesktop final : public Desktop {
public:
    PosixDesktop();
    ~PosixDesktop() override;

    DisplayState displayState() override;
    void whenDisplayLost(std::function<void(const std::string&)> report) override;
    ScreenPoint screenSize() override;
    std::vector<WindowRect> monitors() override;
    WindowRect desktopRect() override;
    WindowHandle findWindow(const std::string& title) override;
    WindowHandle findChildWindow(WindowHandle parent, const std::string& className) override;
    void setForeground(WindowHandle window) override;
    void sendMouse(const MouseRecord& record) override;
    void sendKey(const KeyRecord& record) override;
    void postMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam, std::uint64_t lParam) override;
    std::int16_t asyncKeyState(int virtualKey) override;
    ScreenPoint cursorPosition() override;
    std::uint32_t scanCode(std::uint32_t virtualKey) override;
    void sleep(std::uint32_t milliseconds) override;
    void screenImage(WindowHandle window, ScreenImage& image) override;
    void desktopImage(WindowHandle window, ScreenImage& image) override;
    std::optional<UntypedCharacter> typeText(WindowHandle window, const std::string& text) override;
    std::vector<WindowHandle> topWindows() override;
    std::string windowTitle(WindowHandle window) override;
    bool windowRect(WindowHandle window, WindowRect& rect) override;
    void moveWindow(WindowHandle window, const WindowRect& rect) override;
    void closeWindow(WindowHandle window) override;
    ScreenPoint clientToScreen(WindowHandle window, ScreenPoint point) override;
    bool clientSize(WindowHandle window, ScreenPoint& size) override;
    bool encodePng(const ScreenImage& image, std::vector<std::uint8_t>& bytes) override;
    FileWrite replaceFile(const std::string& file, FilePieces pieces) override;
    bool readFileStart(const std::string& file, std::size_t limit, std::vector<std::uint8_t>& bytes) override;
    bool decodePng(std::span<const std::uint8_t> bytes, TemplateImage& image) override;
    WindowHandle focusedWindow() override;
    bool windowShown(WindowHandle window) override;
    std::string clipboardText() override;
    bool setClipboardText(const std::string& text) override;
    std::optional<std::vector<Control>> controls(WindowHandle window) override;
    std::string controlText(WindowHandle handle) override;
    void setControlText(WindowHandle handle, const std::string& text) override;
    void pushControl(WindowHandle handle) override;

    std::string desktopName() override;
    bool can(DesktopAbility ability, WindowHandle window) override;

private:
    void postToControl(WindowHandle control, std::uint32_t message, std::uint64_t wParam, std::uint64_t lParam);

    // The Wayland desktop when it is the one chosen; null for X11.
    WaylandDesktop* wayland();
    DesktopKind kind();

    std::optional<DesktopKind> kind_;
    std::unique_ptr<WaylandDesktop> wayland_;
    std::unique_ptr<X11Connection> x11_;
    // Whether each key was down at its previous query, for the "pressed since" bit.
    std::array<bool, 256> downAtLastQuery_{};
    PostedModifiers postedModifiers_;
    std::unique_ptr<AccessibleControls> accessible_;
};

}  // namespace ml
