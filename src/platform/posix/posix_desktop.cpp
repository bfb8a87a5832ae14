// Placeholder until the desktop services land: every call behaves as a failed
// platform call does (no effect, 0 results).
#include "platform/posix/posix_desktop.h"

namespace ml {

ScreenPoint PosixDesktop::screenSize() { return {}; }
WindowHandle PosixDesktop::findWindow(const std::string&) { return 0; }
WindowHandle PosixDesktop::findChildWindow(WindowHandle, const std::string&) { return 0; }
void PosixDesktop::setForeground(WindowHandle) {}
void PosixDesktop::sendMouse(const MouseRecord&) {}
void PosixDesktop::sendKey(const KeyRecord&) {}
void PosixDesktop::postMessage(WindowHandle, std::uint32_t, std::uint64_t, std::uint64_t) {}
std::int16_t PosixDesktop::asyncKeyState(int) { return 0; }
ScreenPoint PosixDesktop::cursorPosition() { return {}; }
std::uint32_t PosixDesktop::scanCode(std::uint32_t) { return 0; }
void PosixDesktop::sleep(std::uint32_t) {}
void PosixDesktop::screenImage(WindowHandle, ScreenImage& image) { image = {}; }
bool PosixDesktop::loadTemplate(const std::string&, TemplateImage&) { return false; }

}  // namespace ml
