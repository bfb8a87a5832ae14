// The desktop services of this host.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_snapshot.h"

namespace ml {

class Win32Desktop final : public Desktop {
public:
    DisplayState displayState() override;
    // A window station does not go away under a running program.
    void whenDisplayLost(std::function<void(const std::string&)>) override {}
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
    // Windows has one kind of desktop, and it can do everything asked of it.
    std::string desktopName() override { return {}; }
    bool can(DesktopAbility, WindowHandle) override { return true; }

private:
    Win32Snapshot snapshot_;
};

}  // namespace ml
