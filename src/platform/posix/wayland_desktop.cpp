#include "platform/posix/wayland_desktop.h"

#include <algorithm>
#include <cstdlib>

#include "platform/posix/wayland_capture.h"
#include "platform/posix/wayland_windows.h"

namespace ml {

namespace {

std::string DisplayName() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return name == nullptr || *name == '\0' ? "WAYLAND_DISPLAY is not set" : std::string("WAYLAND_DISPLAY=") + name;
}

WindowRect Shifted(WindowRect rect, ScreenPoint by) { return {rect.x - by.x, rect.y - by.y, rect.width, rect.height}; }

// Which of the windows that share its title and program the window is, counted in
// the order they were announced; the compositor's views count the same way.
std::size_t RankAmongTwins(WaylandConnection& wayland, const WaylandWindow& window) {
    std::size_t rank = 0;
    for (const WaylandWindow& other : wayland.windows())
        if (other.id < window.id && other.title == window.title && other.appId == window.appId) ++rank;
    return rank;
}

}  // namespace

DisplayState WaylandDesktop::displayState() {
    if (wayland_.usable()) return {true, {}};
    std::string name = DisplayName();
    const std::vector<std::string>& missing = wayland_.missingProtocols();
    for (std::size_t i = 0; i < missing.size(); ++i) name += (i == 0 ? " (without " : ", ") + missing[i];
    return {false, missing.empty() ? name : name + ")"};
}

std::string WaylandDesktop::desktopName() {
    if (!wayland_.usable()) return "none (" + displayState().name + ")";
    return "wayland (" + DisplayName() + (SwayViews() ? ", sway IPC" : "") + ")";
}

void WaylandDesktop::whenDisplayLost(std::function<void(const std::string&)> report) {
    wayland_.whenLost([report = std::move(report)] { report(DisplayName()); });
}

// Posted input has no protocol at all. Where windows lie, and moving them, only the
// sway IPC tells and does; a window's pixels are read off the screen, so only where
// the compositor shows it.
bool WaylandDesktop::can(DesktopAbility ability, WindowHandle window) {
    switch (ability) {
        case DesktopAbility::PostedInput: return false;
        case DesktopAbility::WindowGeometry:
        case DesktopAbility::MoveWindows: return SwayViews().has_value();
        case DesktopAbility::WindowPixels: {
            if (window == 0) return true;
            const std::optional<SwayView> view = viewOf(window);
            return view ? view->visible : SwayViews().has_value();
        }
    }
    return false;
}

ScreenPoint WaylandDesktop::origin() {
    const std::vector<WaylandOutput>& outputs = wayland_.outputs();
    return outputs.empty() ? ScreenPoint{} : ScreenPoint{outputs.front().rect.x, outputs.front().rect.y};
}

WindowRect WaylandDesktop::layoutBox() {
    const std::vector<WaylandOutput>& outputs = wayland_.outputs();
    if (outputs.empty()) return {};
    int left = outputs.front().rect.x, top = outputs.front().rect.y, right = left, bottom = top;
    for (const WaylandOutput& output : outputs) {
        left = std::min(left, output.rect.x);
        top = std::min(top, output.rect.y);
        right = std::max(right, output.rect.x + output.rect.width);
        bottom = std::max(bottom, output.rect.y + output.rect.height);
    }
    return {left, top, right - left, bottom - top};
}

ScreenPoint WaylandDesktop::screenSize() {
    const std::vector<WaylandOutput>& outputs = wayland_.outputs();
    if (outputs.empty()) return {};
    return {outputs.front().rect.width & 0xFFFF, outputs.front().rect.height & 0xFFFF};
}

std::vector<WindowRect> WaylandDesktop::monitors() {
    std::vector<WindowRect> rects;
    for (const WaylandOutput& output : wayland_.outputs()) rects.push_back(Shifted(output.rect, origin()));
    return rects;
}

WindowRect WaylandDesktop::desktopRect() { return Shifted(layoutBox(), origin()); }

WindowHandle WaylandDesktop::findWindow(const std::string& title) { return FindWaylandWindow(wayland_, title); }

void WaylandDesktop::setForeground(WindowHandle window) { ActivateWaylandWindow(wayland_, window); }

std::vector<WindowHandle> WaylandDesktop::topWindows() { return ShownWaylandWindows(wayland_); }

std::string WaylandDesktop::windowTitle(WindowHandle window) {
    const WaylandWindow* found = WaylandWindowById(wayland_, window);
    return found == nullptr ? std::string() : found->title;
}

std::optional<SwayView> WaylandDesktop::viewOf(WindowHandle window) {
    const WaylandWindow* found = WaylandWindowById(wayland_, window);
    if (found == nullptr) return std::nullopt;
    const std::optional<std::vector<SwayView>> views = SwayViews();
    if (!views) return std::nullopt;
    std::size_t rank = RankAmongTwins(wayland_, *found);
    for (const SwayView& view : *views)
        if (view.title == found->title && view.appId == found->appId && rank-- == 0) return view;
    return std::nullopt;
}

bool WaylandDesktop::windowRect(WindowHandle window, WindowRect& rect) {
    const std::optional<SwayView> view = viewOf(window);
    if (!view) return false;
    rect = Shifted(view->outer, origin());
    return true;
}

// A tiled window goes where the layout puts it: it floats first, as it must to stand
// where it is asked to.
void WaylandDesktop::moveWindow(WindowHandle window, const WindowRect& rect) {
    const std::optional<SwayView> view = viewOf(window);
    if (!view) return;
    const ScreenPoint corner = origin();
    SwayCommand("[con_id=" + std::to_string(view->id) + "] floating enable, resize set width " +
                std::to_string(rect.width) + " px height " + std::to_string(rect.height) +
                " px, move absolute position " + std::to_string(rect.x + corner.x) + " px " +
                std::to_string(rect.y + corner.y) + " px");
    wayland_.roundtrip();
}

void WaylandDesktop::closeWindow(WindowHandle window) { CloseWaylandWindow(wayland_, window); }

ScreenPoint WaylandDesktop::clientToScreen(WindowHandle window, ScreenPoint point) {
    const std::optional<SwayView> view = viewOf(window);
    if (!view) return point;
    const ScreenPoint corner = origin();
    return {view->inside.x - corner.x + point.x, view->inside.y - corner.y + point.y};
}

bool WaylandDesktop::clientSize(WindowHandle window, ScreenPoint& size) {
    const std::optional<SwayView> view = viewOf(window);
    if (!view) return false;
    size = {view->inside.width, view->inside.height};
    return true;
}

WindowHandle WaylandDesktop::focusedWindow() { return FocusedWaylandWindow(wayland_); }

bool WaylandDesktop::windowShown(WindowHandle window) {
    const WaylandWindow* found = WaylandWindowById(wayland_, window);
    return found != nullptr && !found->minimized;
}

void WaylandDesktop::sendMouse(const MouseRecord& record) {
    const std::vector<WaylandOutput>& outputs = wayland_.outputs();
    if (!outputs.empty()) input_.sendMouse(record, outputs.front().rect, layoutBox());
}

void WaylandDesktop::sendKey(const KeyRecord& record) { input_.sendKey(record); }

// As on X11, a key counts as pressed since the last query when it is down now and
// was not then; only what this program pressed is known.
std::int16_t WaylandDesktop::asyncKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= static_cast<int>(downAtLastQuery_.size())) return 0;
    const bool down = input_.isDown(virtualKey);
    const bool pressedSince = down && !downAtLastQuery_[virtualKey];
    downAtLastQuery_[virtualKey] = down;
    return static_cast<std::int16_t>((down ? 0x8000 : 0) | (pressedSince ? 1 : 0));
}

ScreenPoint WaylandDesktop::cursorPosition() {
    const ScreenPoint pointer = input_.pointer(), corner = origin();
    return {pointer.x - corner.x, pointer.y - corner.y};
}

std::optional<UntypedCharacter> WaylandDesktop::typeText(const std::string& text) { return input_.typeText(text); }

void WaylandDesktop::drawOutputs(ScreenImage& image, int width, int height, int left, int top) {
    ClearScreenImage(image, width, height);
    const WindowRect box = desktopRect();
    const ScreenPoint corner = origin();
    for (const WaylandOutput& output : wayland_.outputs()) {
        CapturedFrame frame;
        if (CaptureOutput(wayland_, output, frame))
            PlaceFrame(frame, output.rect.x - corner.x - box.x + left, output.rect.y - corner.y - box.y + top, image);
    }
}

// The window's inside is cut from the desktop's picture and drawn at the corner.
void WaylandDesktop::cropToInside(WindowHandle window, ScreenImage& image, int width, int height) {
    const std::optional<SwayView> view = viewOf(window);
    const WindowRect box = desktopRect();
    const ScreenPoint corner = origin();
    if (!view) return ClearScreenImage(image, width, height);
    ScreenImage whole;
    drawOutputs(whole, box.width, box.height, 0, 0);
    ClearScreenImage(image, width, height);
    const int left = view->inside.x - corner.x - box.x, top = view->inside.y - corner.y - box.y;
    for (int y = 0; y < std::min(view->inside.height, height); ++y) {
        const int from = top + y;
        if (from < 0 || from >= whole.height) continue;
        for (int x = 0; x < std::min(view->inside.width, width); ++x) {
            if (left + x < 0 || left + x >= whole.width) continue;
            const std::uint8_t* source =
                whole.pixels.data() + static_cast<std::size_t>(whole.height - 1 - from) * whole.rowSize + 3 * (left + x);
            std::uint8_t* target =
                image.pixels.data() + static_cast<std::size_t>(height - 1 - y) * image.rowSize + 3 * x;
            std::copy(source, source + 3, target);
        }
    }
}

void WaylandDesktop::screenImage(WindowHandle window, ScreenImage& image) {
    const ScreenPoint size = screenSize();
    if (window != 0) return cropToInside(window, image, size.x, size.y);
    const WindowRect box = desktopRect();
    drawOutputs(image, size.x, size.y, box.x, box.y);
}

void WaylandDesktop::desktopImage(WindowHandle window, ScreenImage& image) {
    const WindowRect box = desktopRect();
    if (window != 0) return cropToInside(window, image, box.width, box.height);
    drawOutputs(image, box.width, box.height, 0, 0);
}

}  // namespace ml
