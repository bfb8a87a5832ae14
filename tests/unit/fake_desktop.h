// A recording stand-in for the desktop: a screen of known pixels, windows by title,
// a log of every input record and message the automation code hands over, and the
// picture files it writes, kept in memory.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace ml {

// A visible top-level window of the fake desktop.
struct FakeWindow {
    WindowHandle handle = 0;
    std::string title;
    WindowRect rect;
};

class FakeDesktop final : public Desktop {
public:
    std::vector<FakeWindow> shown;    // the visible top-level windows, topmost first
    ScreenPoint size{0, 0};           // the primary monitor's, the screen's
    // The monitors, the primary first, as arrangeMonitors lays them out; none is one
    // monitor, the screen, which is then also the whole desktop.
    std::vector<WindowRect> monitorRects;
    ScreenImage wholeDesktop;         // what desktopImage hands out for window 0 with monitors
    std::map<std::string, WindowHandle> windows;
    std::vector<std::string> log;     // every call, in order
    ScreenPoint cursor{0, 0};
    ScreenImage image;                // what screenImage hands out
    std::deque<ScreenImage> comingImages;   // handed out before image, one a snapshot
    std::map<WindowHandle, ScreenPoint> insides;   // each window's client size; others are no window
    std::map<std::string, std::vector<std::uint8_t>> pictureFiles;   // what readFileStart reads
    TemplateImage pngImage;           // what decodePng gives, when pngDecodable
    bool pngDecodable = true;
    DisplayState display{true, {}};
    bool pngEncodable = true;
    FileWrite fileWrite = FileWrite::Written;   // how every replaceFile ends
    std::map<std::string, std::vector<std::uint8_t>> files;   // what replaceFile wrote
    std::string untypeable;           // bytes that typeText finds no key for
    WindowHandle focused = 0;         // what focusedWindow gives
    std::string clipboard;            // the clipboard's text
    bool clipboardTaken = true;       // whether setClipboardText can take the clipboard
    std::map<WindowHandle, std::vector<Control>> windowControls;   // each window's controls, depth first
    bool controlsReachable = true;    // false: no accessibility bus answers
    // Runs at every sleep, with the sleeps so far: the desktop may change while a
    // script waits.
    std::function<void(int sleeps)> whileSleeping;
    std::string name;                       // what desktopName gives
    std::vector<DesktopAbility> lacking;    // what the desktop cannot do
    int sleeps = 0;

    DisplayState displayState() override { return display; }
    void whenDisplayLost(std::function<void(const std::string&)>) override {}
    ScreenPoint screenSize() override { return size; }
    std::vector<WindowRect> monitors() override {
        if (monitorRects.empty()) return {{0, 0, size.x, size.y}};
        return monitorRects;
    }
    // The smallest rectangle that holds every monitor.
    WindowRect desktopRect() override {
        const std::vector<WindowRect> all = monitors();
        int left = all.front().x, top = all.front().y, right = left + all.front().width, bottom = top + all.front().height;
        for (const WindowRect& m : all) {
            left = std::min(left, m.x);
            top = std::min(top, m.y);
            right = std::max(right, m.x + m.width);
            bottom = std::max(bottom, m.y + m.height);
        }
        return {left, top, right - left, bottom - top};
    }
    WindowHandle findWindow(const std::string& title) override {
        auto found = windows.find(title);
        return found == windows.end() ? 0 : found->second;
    }
    WindowHandle findChildWindow(WindowHandle parent, const std::string& className) override {
        log.push_back("child " + std::to_string(parent) + " " + className);
        return findWindow(className);
    }
    void setForeground(WindowHandle window) override { log.push_back("foreground " + std::to_string(window)); }
    void sendMouse(const MouseRecord& r) override {
        log.push_back("mouse " + std::to_string(r.dx) + " " + std::to_string(r.dy) + " " + std::to_string(r.flags) +
                      (r.wheel != 0 ? " wheel " + std::to_string(r.wheel) : ""));
    }
    void sendKey(const KeyRecord& r) override {
        log.push_back("key " + std::to_string(r.virtualKey) + " " + std::to_string(r.scanCode) + " " +
                      std::to_string(r.flags));
    }
    void postMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam, std::uint64_t lParam) override {
        log.push_back("post " + std::to_string(window) + " " + std::to_string(message) + " " + std::to_string(wParam) +
                      " " + std::to_string(lParam));
    }
    std::int16_t asyncKeyState(int virtualKey) override {
        log.push_back("keystate " + std::to_string(virtualKey));
        return -32767;
    }
    ScreenPoint cursorPosition() override {
        log.push_back("cursor");
        return cursor;
    }
    // A recognisable mapping: the scan code of a key is the key plus 1000.
    std::uint32_t scanCode(std::uint32_t virtualKey) override { return virtualKey + 1000; }
    void sleep(std::uint32_t milliseconds) override {
        log.push_back("sleep " + std::to_string(milliseconds));
        if (whileSleeping) whileSleeping(++sleeps);
    }
    void screenImage(WindowHandle window, ScreenImage& out) override {
        log.push_back("image " + std::to_string(window));
        handOutImage(out);
    }
    // With monitors arranged, window 0 is the whole desktop; otherwise the screen is.
    void desktopImage(WindowHandle window, ScreenImage& out) override {
        log.push_back("desktop image " + std::to_string(window));
        if (window == 0 && !monitorRects.empty()) {
            out = wholeDesktop;
            return;
        }
        handOutImage(out);
    }
    void handOutImage(ScreenImage& out) {
        if (comingImages.empty()) {
            out = image;
            return;
        }
        out = comingImages.front();
        comingImages.pop_front();
    }
    // A black screen of this size, laid out as the platform delivers it: bottom row
    // first, 3 bytes a pixel, rows padded to 4 bytes.
    void blankScreen(int width, int height) {
        size = {width, height};
        Blank(image, width, height);
    }
    // Monitors at these rectangles, the primary first, all black: the screen is the
    // primary's, and the whole desktop's image spans them all.
    void arrangeMonitors(std::vector<WindowRect> rects) {
        monitorRects = std::move(rects);
        blankScreen(monitorRects.front().width, monitorRects.front().height);
        const WindowRect whole = desktopRect();
        Blank(wholeDesktop, whole.width, whole.height);
    }
    // Paints pixel (x, y), counted from the top-left corner, with R + 256 G + 65536 B.
    void paint(int x, int y, std::uint32_t colour) { Paint(image, x, y, colour); }
    // Paints the pixel at desktop coordinates (x, y) in the whole desktop's image.
    void paintDesktop(int x, int y, std::uint32_t colour) {
        const WindowRect whole = desktopRect();
        Paint(wholeDesktop, x - whole.x, y - whole.y, colour);
    }

    bool readFileStart(const std::string& file, std::size_t limit, std::vector<std::uint8_t>& bytes) override {
        auto found = pictureFiles.find(file);
        if (found == pictureFiles.end()) return false;
        bytes.assign(found->second.begin(), found->second.begin() + std::min(limit, found->second.size()));
        return true;
    }
    bool decodePng(std::span<const std::uint8_t> bytes, TemplateImage& out) override {
        log.push_back("png decode " + std::to_string(bytes.size()));
        out = pngDecodable ? pngImage : TemplateImage{};
        return pngDecodable;
    }

    std::optional<UntypedCharacter> typeText(WindowHandle window, const std::string& text) override {
        const std::size_t untyped = untypeable.empty() ? std::string::npos : text.find(untypeable);
        if (untyped != std::string::npos) return UntypedCharacter{untyped, untypeable.size()};
        log.push_back("type " + std::to_string(window) + " " + text);
        return std::nullopt;
    }
    std::vector<WindowHandle> topWindows() override {
        std::vector<WindowHandle> handles;
        for (const FakeWindow& window : shown) handles.push_back(window.handle);
        return handles;
    }
    std::string windowTitle(WindowHandle window) override {
        const FakeWindow* found = shownWindow(window);
        return found == nullptr ? std::string() : found->title;
    }
    // A control's rectangle is all zeros: the tests ask only whether it exists.
    bool windowRect(WindowHandle window, WindowRect& rect) override {
        const FakeWindow* found = shownWindow(window);
        if (found != nullptr) rect = found->rect;
        if (found == nullptr && control(window) != nullptr) rect = {};
        return found != nullptr || control(window) != nullptr;
    }
    void moveWindow(WindowHandle window, const WindowRect& r) override {
        log.push_back("move " + std::to_string(window) + " " + std::to_string(r.x) + " " + std::to_string(r.y) + " " +
                      std::to_string(r.width) + " " + std::to_string(r.height));
    }
    void closeWindow(WindowHandle window) override { log.push_back("close " + std::to_string(window)); }
    // The client area starts 1000 pixels right of and 2000 below the window's handle.
    ScreenPoint clientToScreen(WindowHandle window, ScreenPoint point) override {
        return {point.x + 1000 + window, point.y + 2000 + window};
    }
    bool clientSize(WindowHandle window, ScreenPoint& inside) override {
        const auto found = insides.find(window);
        if (found != insides.end()) inside = found->second;
        return found != insides.end();
    }
    // The "PNG" bytes name the size of the image encoded.
    bool encodePng(const ScreenImage& encoded, std::vector<std::uint8_t>& bytes) override {
        const std::string text = "png " + std::to_string(encoded.width) + "x" + std::to_string(encoded.height);
        log.push_back(text);
        bytes.assign(text.begin(), text.end());
        return pngEncodable;
    }
    FileWrite replaceFile(const std::string& file, FilePieces pieces) override {
        log.push_back("write " + file);
        if (fileWrite != FileWrite::Written) return fileWrite;
        std::vector<std::uint8_t>& bytes = files[file];
        bytes.clear();
        for (const std::span<const std::uint8_t> piece : pieces) bytes.insert(bytes.end(), piece.begin(), piece.end());
        return fileWrite;
    }

    WindowHandle focusedWindow() override { return focused; }
    bool windowShown(WindowHandle window) override { return shownWindow(window) != nullptr; }
    std::string desktopName() override { return name; }
    bool can(DesktopAbility ability, WindowHandle) override {
        return std::find(lacking.begin(), lacking.end(), ability) == lacking.end();
    }

    std::string clipboardText() override { return clipboard; }
    bool setClipboardText(const std::string& text) override {
        log.push_back("set clipboard " + text);
        if (clipboardTaken) clipboard = text;
        return clipboardTaken;
    }
    std::optional<std::vector<Control>> controls(WindowHandle window) override {
        log.push_back("controls " + std::to_string(window));
        if (!controlsReachable) return std::nullopt;
        const auto found = windowControls.find(window);
        return found == windowControls.end() ? std::vector<Control>{} : found->second;
    }
    // A control's text, or a window's title.
    std::string controlText(WindowHandle handle) override {
        const Control* found = control(handle);
        return found != nullptr ? found->text : windowTitle(handle);
    }
    void setControlText(WindowHandle handle, const std::string& text) override {
        log.push_back("set text " + std::to_string(handle) + " " + text);
    }
    void pushControl(WindowHandle handle) override { log.push_back("push " + std::to_string(handle)); }

private:
    static void Blank(ScreenImage& picture, int width, int height) {
        picture.width = width;
        picture.height = height;
        picture.rowSize = (3 * width + 3) / 4 * 4;
        picture.pixels.assign(static_cast<std::size_t>(picture.rowSize) * static_cast<std::size_t>(height), 0);
    }
    static void Paint(ScreenImage& picture, int x, int y, std::uint32_t colour) {
        std::uint8_t* p = &picture.pixels[static_cast<std::size_t>(picture.height - 1 - y) *
                                              static_cast<std::size_t>(picture.rowSize) +
                                          3 * static_cast<std::size_t>(x)];
        p[0] = static_cast<std::uint8_t>(colour >> 16);
        p[1] = static_cast<std::uint8_t>(colour >> 8);
        p[2] = static_cast<std::uint8_t>(colour);
    }
    const Control* control(WindowHandle handle) const {
        for (const auto& [window, list] : windowControls)
            for (const Control& candidate : list)
                if (candidate.handle == handle) return &candidate;
        return nullptr;
    }
    const FakeWindow* shownWindow(WindowHandle window) const {
        for (const FakeWindow& candidate : shown)
            if (candidate.handle == window) return &candidate;
        return nullptr;
    }
};

}  // namespace ml
