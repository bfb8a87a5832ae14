// Placeholder until the desktop services land: every call behaves as a failed
// platform call does (no effect, 0 results).
#include "platform/win32/win32_desktop.h"

namespace ml {

ScreenPoint Win32Desktop::screenSize() { return {}; }
WindowHandle Win32Desktop::findWindow(const std::string&) { return 0; }
WindowHandle Win32Desktop::findChildWindow(WindowHandle, const std::string&) { return 0; }
void Win32Desktop::setForeground(WindowHandle) {}
void Win32Desktop::sendMouse(const MouseRecord&) {}
void Win32Desktop::sendKey(const KeyRecord&) {}
void Win32Desktop::postMessage(WindowHandle, std::uint32_t, std::uint64_t, std::uint64_t) {}
std::int16_t Win32Desktop::asyncKeyState(int) { return 0; }
ScreenPoint Win32Desktop::cursorPosition() { return {}; }
std::uint32_t Win32Desktop::scanCode(std::uint32_t) { return 0; }
void Win32Desktop::sleep(std::uint32_t) {}
void Win32Desktop::screenImage(WindowHandle, ScreenImage& image) { image = {}; }
bool Win32Desktop::loadTemplate(const std::string&, TemplateImage&) { return false; }

}  // namespace ml
