// Drives the target window through the host's desktop services directly and
// prints what it sees, one line a step; the target's own log records the input
// that arrived. Built for Linux (X11) and for Windows (run under Wine).
//   desktop_driver TARGET_LOG
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "target_picture.h"

namespace {

using ml::Desktop;
using ml::WindowHandle;

Desktop& gDesktop = ml::HostPlatform().desktop;
std::string gLogPath;

int LogLines() {
    std::ifstream log(gLogPath);
    int lines = 0;
    for (std::string line; std::getline(log, line);) ++lines;
    return lines;
}

// Input is handled by the target in its own time: wait until its log has grown
// to the number of lines expected, or give up after five seconds. A platform may
// report more than was asked for (a move along with a click), so the log is given
// a moment more to settle before it is counted.
void AwaitLog(int lines) {
    for (int waited = 0; waited < 5000 && LogLines() < lines; waited += 20) gDesktop.sleep(20);
    gDesktop.sleep(300);
}

std::string Colour(const ml::ScreenImage& image, int x, int y) {
    if (x >= image.width || y >= image.height) return "outside";
    const std::size_t at = static_cast<std::size_t>(image.height - 1 - y) * image.rowSize + 3 * x;
    if (at + 2 >= image.pixels.size()) return "short image";
    return std::to_string(image.pixels[at + 2]) + " " + std::to_string(image.pixels[at + 1]) + " " +
           std::to_string(image.pixels[at]);
}

void ShowPixels(const char* what, WindowHandle window, const std::vector<ml::ScreenPoint>& points) {
    ml::ScreenImage image;
    gDesktop.screenImage(window, image);
    const bool layout = image.rowSize == (3 * image.width + 3) / 4 * 4 &&
                        image.pixels.size() >= static_cast<std::size_t>(image.rowSize) * image.height;
    std::printf("%s image %dx%d, padded rows: %s\n", what, image.width, image.height, layout ? "yes" : "no");
    for (const ml::ScreenPoint& p : points) std::printf("  (%d,%d): %s\n", p.x, p.y, Colour(image, p.x, p.y).c_str());
}

void FindWindows(WindowHandle window) {
    std::printf("find title: %s\n", window != 0 ? "found" : "missing");
    std::printf("find near title: %d\n", gDesktop.findWindow(std::string(kTargetTitle) + " "));
    std::printf("child by class: %s\n", gDesktop.findChildWindow(window, kChildClass) != 0 ? "found" : "missing");
    std::printf("child of another class: %d\n", gDesktop.findChildWindow(window, "NoSuchClass"));
    std::printf("top-level by class: %s\n",
                gDesktop.findChildWindow(0, kTargetClass) == window ? "the target" : "another");
}

std::uint64_t Point(int x, int y) { return static_cast<std::uint64_t>(y) << 16 | static_cast<std::uint64_t>(x); }

void PostInput(WindowHandle window, int logLines) {
    gDesktop.postMessage(window, 0x0201, 1, Point(10, 20));
    gDesktop.postMessage(window, 0x0202, 0, Point(10, 20));
    gDesktop.postMessage(window, 0x0204, 2, Point(40, 30));
    gDesktop.postMessage(window, 0x0205, 0, Point(40, 30));
    gDesktop.postMessage(window, 0x0200, 1, Point(50, 60));
    const std::uint64_t scan = gDesktop.scanCode('K') << 16;
    gDesktop.postMessage(window, 0x0100, 'K', scan);
    gDesktop.postMessage(window, 0x0101, 'K', scan);
    AwaitLog(logLines + 7);
    std::printf("posted input: %d log lines\n", LogLines() - logLines);
}

ml::MouseRecord MouseAt(int x, int y, std::uint32_t flags) {
    const ml::ScreenPoint screen = gDesktop.screenSize();
    return {x * 65536 / screen.x + 1, y * 65536 / screen.y + 1, flags};
}

void SynthesisedInput(WindowHandle window, int logLines) {
    gDesktop.setForeground(window);
    gDesktop.sleep(300);
    const int x = kTargetX + 70, y = kTargetY + 80;
    gDesktop.sendMouse(MouseAt(x, y, 0x8001));
    gDesktop.sleep(100);
    const ml::ScreenPoint cursor = gDesktop.cursorPosition();
    std::printf("cursor after the move: %d %d\n", cursor.x, cursor.y);
    gDesktop.sendMouse(MouseAt(x, y, 0x8003));
    gDesktop.sendMouse(MouseAt(x, y, 0x8005));
    gDesktop.sendKey({'B', static_cast<std::uint16_t>(gDesktop.scanCode('B')), 0});
    gDesktop.sendKey({'B', static_cast<std::uint16_t>(gDesktop.scanCode('B')), 2});
    AwaitLog(logLines + 4);
    std::printf("synthesised input: %d log lines\n", LogLines() - logLines);
}

void KeyState() {
    constexpr int kShift = 0x10;
    gDesktop.asyncKeyState(kShift);  // forget any earlier press
    gDesktop.sendKey({kShift, static_cast<std::uint16_t>(gDesktop.scanCode(kShift)), 0});
    gDesktop.sleep(200);
    const int first = gDesktop.asyncKeyState(kShift);
    const int second = gDesktop.asyncKeyState(kShift);
    gDesktop.sendKey({kShift, static_cast<std::uint16_t>(gDesktop.scanCode(kShift)), 2});
    gDesktop.sleep(200);
    const int released = gDesktop.asyncKeyState(kShift);
    std::printf("shift held: %d, held again: %d, released: %d\n", first, second, released);
}

// 3 x 2 pixels, bottom row first, rows padded to 12 bytes.
void WriteBitmap(const char* path) {
    const unsigned char bytes[] = {
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   // info header
        1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0,             // bottom row
        11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0,    // top row
    };
    std::FILE* file = std::fopen(path, "wb");
    std::fwrite(bytes, 1, sizeof bytes, file);
    std::fclose(file);
}

// The platform gives a picture file's bytes (all of them, or only the first), and
// nothing for a folder or a missing file; a PNG file it wrote it reads back.
void ReadPictureFiles() {
    WriteBitmap("driver.bmp");
    std::vector<std::uint8_t> bytes;
    const bool whole = gDesktop.readFileStart("driver.bmp", 1000, bytes);
    std::printf("picture file: %s %zu bytes", whole ? "read" : "refused", bytes.size());
    const bool start = gDesktop.readFileStart("driver.bmp", 14, bytes);
    std::printf(", its start: %s %zu bytes, ending %d\n", start ? "read" : "refused", bytes.size(), bytes.back());
    std::printf("folder as picture file: %s\n", gDesktop.readFileStart(".", 1000, bytes) ? "read" : "refused");
    std::printf("missing picture file: %s\n", gDesktop.readFileStart("missing.bmp", 1000, bytes) ? "read" : "refused");

    const ml::ScreenImage shot{3, 2, 12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0}};
    ml::TemplateImage image;
    const bool decoded = gDesktop.encodePng(shot, bytes) && gDesktop.decodePng(bytes, image);
    std::printf("PNG read back: %s %dx%d", decoded ? "decoded" : "refused", image.width, image.height);
    for (int i = 0; i < image.width * image.height && decoded; ++i) {
        std::printf(" %d,%d,%d", image.pixels[4 * i], image.pixels[4 * i + 1], image.pixels[4 * i + 2]);
    }
    bytes.resize(bytes.size() / 2);
    std::printf(", cut in half: %s\n", gDesktop.decodePng(bytes, image) ? "decoded" : "refused");
}

// A handle that names no window must change nothing and end nothing.
void UnknownWindow() {
    const WindowHandle unknown = 0x3FFFFFF0;
    gDesktop.setForeground(unknown);
    gDesktop.postMessage(unknown, 0x0201, 1, Point(1, 1));
    std::printf("child of an unknown window: %d\n", gDesktop.findChildWindow(unknown, kChildClass));
    ShowPixels("unknown window", unknown, {{0, 0}, {10, 10}});
}

void TimedSleep() {
    const auto start = std::chrono::steady_clock::now();
    gDesktop.sleep(250);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const bool ok = elapsed >= std::chrono::milliseconds(250) && elapsed < std::chrono::milliseconds(2000);
    std::printf("sleep 250 ms: %s\n", ok ? "ok" : "wrong length");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: desktop_driver TARGET_LOG\n");
        return 2;
    }
    gLogPath = argv[1];
    const ml::ScreenPoint screen = gDesktop.screenSize();
    std::printf("screen: %d %d\n", screen.x, screen.y);
    const WindowHandle window = gDesktop.findWindow(kTargetTitle);
    FindWindows(window);
    const int cx = kTargetX, cy = kTargetY;
    ShowPixels("screen", 0, {{cx + 10, cy + 10}, {cx + 150, cy + 10}, {cx + 10, cy + 150}, {cx + 120, cy + 120},
                             {cx + kPatternX + 3, cy + kPatternY + 5}, {cx + kPatternX + 15, cy + kPatternY + 15}});
    ShowPixels("window", window, {{10, 10}, {150, 10}, {10, 150}, {kPatternX + 3, kPatternY + 5}, {1000, 900}});
    std::printf("scan code of A: %u\n", gDesktop.scanCode('A'));
    PostInput(window, LogLines());
    SynthesisedInput(window, LogLines());
    KeyState();
    ReadPictureFiles();
    UnknownWindow();
    TimedSleep();
    std::fflush(stdout);
    return 0;
}
