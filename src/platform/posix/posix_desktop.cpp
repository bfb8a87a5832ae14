#include "platform/posix/posix_desktop.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "platform/posix/atspi_controls.h"
#include "platform/posix/png_file.h"
#include "platform/posix/posix_desktop_choice.h"
#include "platform/posix/read_file.h"
#include "platform/posix/whole_file.h"
#include "platform/posix/x11_clipboard.h"
#include "platform/posix/x11_connection.h"
#include "platform/posix/x11_image.h"
#include "platform/posix/x11_input.h"
#include "platform/posix/x11_keys.h"
#include "platform/posix/x11_monitors.h"
#include "platform/posix/x11_typing.h"
#include "platform/posix/x11_windows.h"

namespace ml {

namespace {

// X window ids fit in 29 bits, so the 32-bit handle carries them unchanged.
Window ToWindow(WindowHandle window) { return static_cast<Window>(static_cast<std::uint32_t>(window)); }

WindowHandle FromWindow(Window window) { return static_cast<WindowHandle>(window); }

}  // namespace

PosixDesktop::PosixDesktop()
    : wayland_(std::make_unique<WaylandDesktop>()),
      x11_(std::make_unique<X11Connection>()),
      accessible_(std::make_unique<AccessibleControls>()) {}

PosixDesktop::~PosixDesktop() = default;

// Xlib opens the display that DISPLAY names, so that is the name a user can check.
namespace {

std::string DisplayName() {
    const char* display = std::getenv("DISPLAY");
    return display == nullptr || *display == '\0' ? "" : std::string("DISPLAY=") + display;
}

std::string ForcedDesktop() {
    const char* forced = std::getenv("MORROWLARK_DESKTOP");
    return forced == nullptr ? std::string() : std::string(forced);
}

}  // namespace

DesktopKind PosixDesktop::kind() {
    if (!kind_) {
        const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
        kind_ = ChooseDesktop(ForcedDesktop(), waylandDisplay == nullptr ? "" : waylandDisplay,
                              [this] { return wayland_->usable(); });
    }
    return *kind_;
}

WaylandDesktop* PosixDesktop::wayland() { return kind() == DesktopKind::Wayland ? wayland_.get() : nullptr; }

DisplayState PosixDesktop::displayState() {
    if (kind() == DesktopKind::Unknown) return {false, "MORROWLARK_DESKTOP=" + ForcedDesktop()};
    if (WaylandDesktop* w = wayland()) return w->displayState();
    if (x11_->display() != nullptr) return {true, {}};
    return {false, DisplayName(), !x11_->silent()};
}

std::string PosixDesktop::desktopName() {
    if (kind() == DesktopKind::Unknown) return "none (MORROWLARK_DESKTOP=" + ForcedDesktop() + ": x11 or wayland)";
    if (WaylandDesktop* w = wayland()) return w->desktopName();
    const DisplayState state = displayState();
    if (state.usable) return "x11 (" + DisplayName() + ")";
    return "none (" + (state.name.empty() ? std::string("DISPLAY is not set") : state.name) + ")";
}

bool PosixDesktop::can(DesktopAbility ability, WindowHandle window) {
    WaylandDesktop* w = wayland();
    return w == nullptr || w->can(ability, window);
}

// Every run says this at its start, desktop or not: both backends keep it, and
// neither is chosen nor connected here.
void PosixDesktop::whenDisplayLost(std::function<void(const std::string&)> report) {
    wayland_->whenDisplayLost(report);
    X11Connection::whenLost([report = std::move(report)] { report(DisplayName()); });
}

ScreenPoint PosixDesktop::screenSize() {
    if (WaylandDesktop* w = wayland()) return w->screenSize();
    Display* display = x11_->display();
    if (display == nullptr) return {};
    const int screen = DefaultScreen(display);
    return {DisplayWidth(display, screen) & 0xFFFF, DisplayHeight(display, screen) & 0xFFFF};
}

std::vector<WindowRect> PosixDesktop::monitors() {
    if (WaylandDesktop* w = wayland()) return w->monitors();
    return MonitorRects(*x11_);
}

// The root window spans every monitor, so the screen is the whole desktop.
WindowRect PosixDesktop::desktopRect() {
    if (WaylandDesktop* w = wayland()) return w->desktopRect();
    const ScreenPoint size = screenSize();
    return {0, 0, size.x, size.y};
}

WindowHandle PosixDesktop::findWindow(const std::string& title) {
    if (WaylandDesktop* w = wayland()) return w->findWindow(title);
    return FromWindow(FindWindowByTitle(*x11_, title));
}

// A Wayland window has no child windows that other programs can see.
WindowHandle PosixDesktop::findChildWindow(WindowHandle parent, const std::string& className) {
    if (wayland() != nullptr) return 0;
    return FromWindow(FindChildByClass(*x11_, ToWindow(parent), className));
}

void PosixDesktop::setForeground(WindowHandle window) {
    if (WaylandDesktop* w = wayland()) return w->setForeground(window);
    ActivateWindow(*x11_, ToWindow(window));
}

void PosixDesktop::sendMouse(const MouseRecord& record) {
    if (WaylandDesktop* w = wayland()) return w->sendMouse(record);
    FakeMouseInput(*x11_, record);
}

void PosixDesktop::sendKey(const KeyRecord& record) {
    if (WaylandDesktop* w = wayland()) return w->sendKey(record);
    FakeKeyInput(*x11_, record);
}

// A control on the accessibility bus has no window of its own: a click posted to it
// goes from the root window to the deepest window under the control's point, as any
// posted click goes down to the deepest child.
void PosixDesktop::postMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                               std::uint64_t lParam) {
    if (AccessibleControls::IsAccessibleHandle(window)) {
        postToControl(window, message, wParam, lParam);
        return;
    }
    // The callers ask can(PostedInput) first: Wayland has no way to post.
    if (wayland() != nullptr) return;
    PostWindowMessage(*x11_, postedModifiers_, ToWindow(window), message, wParam, lParam);
}

// The wheel's message carries screen coordinates already; a key's has no point, and
// goes nowhere.
void PosixDesktop::postToControl(WindowHandle control, std::uint32_t message, std::uint64_t wParam,
                                 std::uint64_t lParam) {
    WindowRect rect;
    if (message < kFirstMouseMessage || message > kWheelMessage || !accessible_->extents(control, rect)) return;
    if (message != kWheelMessage) {
        const int x = static_cast<std::int16_t>(lParam & 0xFFFF) + rect.x;
        const int y = static_cast<std::int16_t>((lParam >> 16) & 0xFFFF) + rect.y;
        lParam = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(y)) << 16) | static_cast<std::uint16_t>(x);
    }
    PostWindowMessage(*x11_, postedModifiers_, x11_->root(), message, wParam, lParam);
}

// X keeps no record of presses between two queries; a key counts as "pressed
// since the last query" when it is down now and was not down at its previous
// query. A press and release wholly between two queries goes unseen.
std::int16_t PosixDesktop::asyncKeyState(int virtualKey) {
    if (WaylandDesktop* w = wayland()) return w->asyncKeyState(virtualKey);
    if (virtualKey < 0 || virtualKey >= static_cast<int>(downAtLastQuery_.size())) return 0;
    const bool down = VirtualKeyIsDown(*x11_, virtualKey);
    const bool pressedSince = down && !downAtLastQuery_[virtualKey];
    downAtLastQuery_[virtualKey] = down;
    return static_cast<std::int16_t>((down ? 0x8000 : 0) | (pressedSince ? 1 : 0));
}

ScreenPoint PosixDesktop::cursorPosition() {
    if (WaylandDesktop* w = wayland()) return w->cursorPosition();
    Display* display = x11_->display();
    if (display == nullptr) return {};
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int state = 0;
    if (Xlib().XQueryPointer(display, x11_->root(), &root, &child, &rootX, &rootY, &x, &y, &state) == 0) return {};
    return {rootX, rootY};
}

std::uint32_t PosixDesktop::scanCode(std::uint32_t virtualKey) { return ScanCodeOfVirtualKey(virtualKey); }

void PosixDesktop::sleep(std::uint32_t milliseconds) {
    timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    // A signal cuts the wait short; the rest of it is still waited.
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

// A control's picture is the screen's where it lies.
void PosixDesktop::screenImage(WindowHandle window, ScreenImage& image) {
    WindowRect control;
    if (AccessibleControls::IsAccessibleHandle(window)) {
        if (!accessible_->extents(window, control)) control = {};
        CaptureArea(*x11_, control, image);
        return;
    }
    if (WaylandDesktop* w = wayland()) return w->screenImage(window, image);
    CaptureScreen(*x11_, ToWindow(window), image);
}

void PosixDesktop::desktopImage(WindowHandle window, ScreenImage& image) {
    if (WaylandDesktop* w = wayland()) return w->desktopImage(window, image);
    screenImage(window, image);
}

std::optional<UntypedCharacter> PosixDesktop::typeText(WindowHandle window, const std::string& text) {
    // The callers ask can(PostedInput) first for a window.
    if (WaylandDesktop* w = wayland()) return window == 0 ? w->typeText(text) : std::nullopt;
    return TypeText(*x11_, postedModifiers_, ToWindow(window), text);
}

std::vector<WindowHandle> PosixDesktop::topWindows() {
    if (WaylandDesktop* w = wayland()) return w->topWindows();
    std::vector<WindowHandle> handles;
    for (Window window : ShownClientWindows(*x11_)) handles.push_back(FromWindow(window));
    return handles;
}

std::string PosixDesktop::windowTitle(WindowHandle window) {
    if (WaylandDesktop* w = wayland()) return w->windowTitle(window);
    return TitleOf(*x11_, ToWindow(window));
}

// An accessible object's rectangle is where it lies on the screen.
bool PosixDesktop::windowRect(WindowHandle window, WindowRect& rect) {
    if (AccessibleControls::IsAccessibleHandle(window)) return accessible_->extents(window, rect);
    if (WaylandDesktop* w = wayland()) return w->windowRect(window, rect);
    return OuterRectangle(*x11_, ToWindow(window), rect);
}

void PosixDesktop::moveWindow(WindowHandle window, const WindowRect& rect) {
    if (WaylandDesktop* w = wayland()) return w->moveWindow(window, rect);
    MoveWindowTo(*x11_, ToWindow(window), rect);
}

void PosixDesktop::closeWindow(WindowHandle window) {
    if (WaylandDesktop* w = wayland()) return w->closeWindow(window);
    CloseWindow(*x11_, ToWindow(window));
}

// A control's inside is its whole rectangle.
ScreenPoint PosixDesktop::clientToScreen(WindowHandle window, ScreenPoint point) {
    WindowRect control;
    if (AccessibleControls::IsAccessibleHandle(window))
        return accessible_->extents(window, control) ? ScreenPoint{control.x + point.x, control.y + point.y} : point;
    if (WaylandDesktop* w = wayland()) return w->clientToScreen(window, point);
    return ClientToScreen(*x11_, ToWindow(window), point);
}

bool PosixDesktop::clientSize(WindowHandle window, ScreenPoint& size) {
    WindowRect control;
    if (AccessibleControls::IsAccessibleHandle(window)) {
        if (!accessible_->extents(window, control)) return false;
        size = {control.width, control.height};
        return true;
    }
    if (WaylandDesktop* w = wayland()) return w->clientSize(window, size);
    return InsideSize(*x11_, ToWindow(window), size);
}

bool PosixDesktop::encodePng(const ScreenImage& image, std::vector<std::uint8_t>& bytes) { return EncodePng(image, bytes); }

FileWrite PosixDesktop::replaceFile(const std::string& file, FilePieces pieces) { return ReplaceWholeFile(file, pieces); }

bool PosixDesktop::readFileStart(const std::string& file, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    return ReadFileStart(file, limit, bytes);
}

bool PosixDesktop::decodePng(std::span<const std::uint8_t> bytes, TemplateImage& image) { return DecodePng(bytes, image); }

WindowHandle PosixDesktop::focusedWindow() {
    if (WaylandDesktop* w = wayland()) return w->focusedWindow();
    return FromWindow(FocusedClientWindow(*x11_));
}

bool PosixDesktop::windowShown(WindowHandle window) {
    if (WaylandDesktop* w = wayland()) return w->windowShown(window);
    return IsViewableWindow(*x11_, ToWindow(window));
}

std::string PosixDesktop::clipboardText() { return ReadClipboard(*x11_); }

bool PosixDesktop::setClipboardText(const std::string& text) { return ServeClipboard(text); }

// A window is found on the bus by the process that made it and its title.
std::optional<std::vector<Control>> PosixDesktop::controls(WindowHandle window) {
    if (x11_->display() == nullptr) return std::vector<Control>{};
    if (AccessibleControls::IsAccessibleHandle(window)) return accessible_->objectControls(window);
    return accessible_->windowControls(ProcessOfWindow(*x11_, ToWindow(window)), TitleOf(*x11_, ToWindow(window)));
}

std::string PosixDesktop::controlText(WindowHandle handle) {
    if (AccessibleControls::IsAccessibleHandle(handle)) return accessible_->text(handle);
    return TitleOf(*x11_, ToWindow(handle));
}

// An X window holds no text to set and no button to press.
void PosixDesktop::setControlText(WindowHandle handle, const std::string& text) {
    if (AccessibleControls::IsAccessibleHandle(handle)) accessible_->setText(handle, text);
}

void PosixDesktop::pushControl(WindowHandle handle) {
    if (AccessibleControls::IsAccessibleHandle(handle)) accessible_->push(handle);
}

}  // namespace ml
