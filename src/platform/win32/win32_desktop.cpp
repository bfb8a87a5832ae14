#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include <cstdint>

#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_png.h"
#include "platform/win32/win32_read_file.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_typing.h"
#include "platform/win32/win32_whole_file.h"

namespace ml {

// Scripts hand the input record to SendInput with its full platform size; the
// automation code was written against these sizes.
static_assert(sizeof(INPUT) == (sizeof(void*) == 8 ? 40 : 28), "INPUT record size");

namespace {

// Handles travel as 32-bit values; widening keeps the sign, as the system does.
HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
}

WindowHandle FromHwnd(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(window));
}

// The system lists the top-level windows from the top of the stacking order.
BOOL CALLBACK AddVisibleWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(FromHwnd(window));
    return TRUE;
}

WindowRect RectOf(const RECT& rect) { return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}; }

// The system lists the monitors in no particular order; the primary goes first.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    auto& monitors = *reinterpret_cast<std::vector<WindowRect>*>(list);
    const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    monitors.insert(primary ? monitors.begin() : monitors.end(), RectOf(info.rcMonitor));
    return TRUE;
}

// The name of a window station or desktop, as the system reports it.
std::string ObjectName(HANDLE object) {
    wchar_t name[256] = {};
    if (object == nullptr || !GetUserObjectInformationW(object, UOI_NAME, name, sizeof name, nullptr)) return {};
    return FromWide(CP_ACP, name);
}

// A service's window station is invisible: nothing it draws or sends reaches a user.
bool StationIsVisible() {
    USEROBJECTFLAGS flags{};
    return GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, nullptr) &&
           (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace

DisplayState Win32Desktop::displayState() {
    if (StationIsVisible() && GetSystemMetrics(SM_CXSCREEN) > 0) return {true, {}};
    return {false, ObjectName(GetProcessWindowStation()) + "\\" + ObjectName(GetThreadDesktop(GetCurrentThreadId()))};
}

ScreenPoint Win32Desktop::screenSize() {
    return {GetSystemMetrics(SM_CXSCREEN) & 0xFFFF, GetSystemMetrics(SM_CYSCREEN) & 0xFFFF};
}

std::vector<WindowRect> Win32Desktop::monitors() {
    std::vector<WindowRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) monitors.push_back(desktopRect());
    return monitors;
}

WindowRect Win32Desktop::desktopRect() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN) & 0xFFFF, GetSystemMetrics(SM_CYVIRTUALSCREEN) & 0xFFFF};
}

WindowHandle Win32Desktop::findWindow(const std::string& title) {
    return FromHwnd(FindWindowA(nullptr, title.c_str()));
}

WindowHandle Win32Desktop::findChildWindow(WindowHandle parent, const std::string& className) {
    return FromHwnd(FindWindowExA(ToHwnd(parent), nullptr, className.c_str(), nullptr));
}

void Win32Desktop::setForeground(WindowHandle window) { SetForegroundWindow(ToHwnd(window)); }

void Win32Desktop::sendMouse(const MouseRecord& record) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = record.dx;
    input.mi.dy = record.dy;
    input.mi.dwFlags = record.flags;
    input.mi.dwExtraInfo = static_cast<ULONG_PTR>(GetMessageExtraInfo());
    SendInput(1, &input, sizeof(INPUT));
}

void Win32Desktop::sendKey(const KeyRecord& record) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = record.virtualKey;
    input.ki.wScan = record.scanCode;
    input.ki.dwFlags = record.flags;
    input.ki.dwExtraInfo = static_cast<ULONG_PTR>(GetMessageExtraInfo());
    SendInput(1, &input, sizeof(INPUT));
}

void Win32Desktop::postMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                               std::uint64_t lParam) {
    PostMessageA(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

std::int16_t Win32Desktop::asyncKeyState(int virtualKey) { return GetAsyncKeyState(virtualKey); }

ScreenPoint Win32Desktop::cursorPosition() {
    POINT point{};
    if (!GetCursorPos(&point)) return {};
    return {point.x, point.y};
}

std::uint32_t Win32Desktop::scanCode(std::uint32_t virtualKey) { return MapVirtualKeyA(virtualKey, 0); }

void Win32Desktop::sleep(std::uint32_t milliseconds) { Sleep(milliseconds); }

void Win32Desktop::screenImage(WindowHandle window, ScreenImage& image) {
    const ScreenPoint size = screenSize();
    snapshot_.take(ToHwnd(window), {0, 0, size.x, size.y}, image);
}

void Win32Desktop::desktopImage(WindowHandle window, ScreenImage& image) {
    snapshot_.take(ToHwnd(window), desktopRect(), image);
}

// Unicode input has a key for every character.
std::optional<UntypedCharacter> Win32Desktop::typeText(WindowHandle window, const std::string& text) {
    TypeText(ToHwnd(window), text);
    return std::nullopt;
}

std::vector<WindowHandle> Win32Desktop::topWindows() {
    std::vector<WindowHandle> windows;
    EnumWindows(AddVisibleWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// A number that names no window has no title: asked anyway, the system may answer
// with what lies in the buffer.
std::string Win32Desktop::windowTitle(WindowHandle window) {
    if (!IsWindow(ToHwnd(window))) return {};
    char title[1024] = {};
    const int length = GetWindowTextA(ToHwnd(window), title, sizeof title);
    return std::string(title, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool Win32Desktop::windowRect(WindowHandle window, WindowRect& rect) {
    RECT outer{};
    if (!IsWindow(ToHwnd(window)) || !GetWindowRect(ToHwnd(window), &outer)) return false;
    rect = RectOf(outer);
    return true;
}

void Win32Desktop::moveWindow(WindowHandle window, const WindowRect& rect) {
    SetWindowPos(ToHwnd(window), nullptr, rect.x, rect.y, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Desktop::closeWindow(WindowHandle window) { PostMessageA(ToHwnd(window), WM_CLOSE, 0, 0); }

ScreenPoint Win32Desktop::clientToScreen(WindowHandle window, ScreenPoint point) {
    POINT screen{point.x, point.y};
    if (!ClientToScreen(ToHwnd(window), &screen)) return point;
    return {screen.x, screen.y};
}

bool Win32Desktop::clientSize(WindowHandle window, ScreenPoint& size) {
    RECT client{};
    if (!IsWindow(ToHwnd(window)) || !GetClientRect(ToHwnd(window), &client)) return false;
    size = {client.right - client.left, client.bottom - client.top};
    return true;
}

bool Win32Desktop::encodePng(const ScreenImage& image, std::vector<std::uint8_t>& bytes) { return EncodePng(image, bytes); }

FileWrite Win32Desktop::replaceFile(const std::string& file, FilePieces pieces) { return ReplaceWholeFile(file, pieces); }

bool Win32Desktop::readFileStart(const std::string& file, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    return ReadFileStart(file, limit, bytes);
}

bool Win32Desktop::decodePng(std::span<const std::uint8_t> bytes, TemplateImage& image) { return DecodePng(bytes, image); }

WindowHandle Win32Desktop::focusedWindow() { return FromHwnd(GetForegroundWindow()); }

bool Win32Desktop::windowShown(WindowHandle window) {
    return IsWindow(ToHwnd(window)) && IsWindowVisible(ToHwnd(window));
}

std::string Win32Desktop::clipboardText() { return ReadClipboard(); }

bool Win32Desktop::setClipboardText(const std::string& text) { return WriteClipboard(text); }

// Child windows are always there to be read: Windows needs no accessibility service.
std::optional<std::vector<Control>> Win32Desktop::controls(WindowHandle window) { return ChildControls(ToHwnd(window)); }

std::string Win32Desktop::controlText(WindowHandle handle) { return TextOfWindow(ToHwnd(handle)); }

void Win32Desktop::setControlText(WindowHandle handle, const std::string& text) {
    SetTextOfWindow(ToHwnd(handle), text);
}

void Win32Desktop::pushControl(WindowHandle handle) { PushButton(ToHwnd(handle)); }

}  // namespace ml
