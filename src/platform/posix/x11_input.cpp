#include "platform/posix/x11_input.h"

#include "platform/posix/x11_keys.h"

namespace ml {

namespace {

// Mouse input flags of an input record.
constexpr std::uint32_t kMouseMove = 0x0001;
constexpr std::uint32_t kMouseAbsolute = 0x8000;
constexpr std::uint32_t kKeyUp = 0x0002;

struct ButtonFlag {
    std::uint32_t flag;
    unsigned int button;
    bool press;
};

constexpr ButtonFlag kButtonFlags[] = {
    {0x0002, Button1, true}, {0x0004, Button1, false},  // left
    {0x0008, Button3, true}, {0x0010, Button3, false},  // right
    {0x0020, Button2, true}, {0x0040, Button2, false},  // middle
};

// A posted window message and the X event that carries it.
struct MessageEvent {
    std::uint32_t message;
    int type;
    unsigned int button;  // for button events
    long mask;
};

constexpr MessageEvent kMessageEvents[] = {
    {0x0200, MotionNotify, 0, PointerMotionMask | ButtonMotionMask | Button1MotionMask},
    {0x0201, ButtonPress, Button1, ButtonPressMask},
    {0x0202, ButtonRelease, Button1, ButtonReleaseMask},
    {0x0204, ButtonPress, Button3, ButtonPressMask},
    {0x0205, ButtonRelease, Button3, ButtonReleaseMask},
    {0x0207, ButtonPress, Button2, ButtonPressMask},
    {0x0208, ButtonRelease, Button2, ButtonReleaseMask},
    {0x0100, KeyPress, 0, KeyPressMask},
    {0x0101, KeyRelease, 0, KeyReleaseMask},
};

// The modifier and button state that the wParam of a mouse message reports.
unsigned int StateOfMouseKeys(std::uint64_t wParam) {
    unsigned int state = 0;
    if (wParam & 0x0001) state |= Button1Mask;
    if (wParam & 0x0002) state |= Button3Mask;
    if (wParam & 0x0004) state |= ShiftMask;
    if (wParam & 0x0008) state |= ControlMask;
    if (wParam & 0x0010) state |= Button2Mask;
    return state;
}

KeyCode KeycodeOf(Display* display, std::uint64_t virtualKey) {
    if (virtualKey > 0xFF) return 0;
    const unsigned long keysym = KeysymOfVirtualKey(static_cast<std::uint32_t>(virtualKey));
    return keysym == 0 ? 0 : Xlib().XKeysymToKeycode(display, keysym);
}

// Fills the fields that button, motion and key events share (their layouts agree).
void FillPointerFields(XEvent& event, Display* display, Window window, Window root, int x, int y, int rootX,
                       int rootY) {
    event.xbutton.display = display;
    event.xbutton.window = window;
    event.xbutton.root = root;
    event.xbutton.subwindow = None;
    event.xbutton.time = CurrentTime;
    event.xbutton.x = x;
    event.xbutton.y = y;
    event.xbutton.x_root = rootX;
    event.xbutton.y_root = rootY;
    event.xbutton.same_screen = True;
}

}  // namespace

int PixelOfAbsolute(std::int32_t absolute, int side) {
    if (side <= 0 || absolute <= 0) return 0;
    const long long pixel = static_cast<long long>(absolute) * side / 65536;
    return pixel >= side ? side - 1 : static_cast<int>(pixel);
}

void FakeMouseInput(X11Connection& x11, const MouseRecord& record) {
    if (!x11.canFakeInput()) return;
    Display* display = x11.display();
    if (record.flags & kMouseMove) {
        if (record.flags & kMouseAbsolute) {
            const int screen = DefaultScreen(display);
            Xlib().XTestFakeMotionEvent(display, screen, PixelOfAbsolute(record.dx, DisplayWidth(display, screen)),
                                 PixelOfAbsolute(record.dy, DisplayHeight(display, screen)), CurrentTime);
        } else {
            Xlib().XTestFakeRelativeMotionEvent(display, record.dx, record.dy, CurrentTime);
        }
    }
    for (const ButtonFlag& b : kButtonFlags) {
        if (record.flags & b.flag) Xlib().XTestFakeButtonEvent(display, b.button, b.press ? True : False, CurrentTime);
    }
    Xlib().XFlush(display);
}

void FakeKeyInput(X11Connection& x11, const KeyRecord& record) {
    if (!x11.canFakeInput()) return;
    Display* display = x11.display();
    const KeyCode keycode = KeycodeOf(display, record.virtualKey);
    if (keycode == 0) return;
    Xlib().XTestFakeKeyEvent(display, keycode, (record.flags & kKeyUp) ? False : True, CurrentTime);
    Xlib().XFlush(display);
}

void PostWindowMessage(X11Connection& x11, Window window, std::uint32_t message, std::uint64_t wParam,
                       std::uint64_t lParam) {
    Display* display = x11.display();
    if (display == nullptr || window == 0) return;
    const MessageEvent* kind = nullptr;
    for (const MessageEvent& candidate : kMessageEvents) {
        if (candidate.message == message) kind = &candidate;
    }
    if (kind == nullptr) return;

    // Client coordinates are signed 16-bit halves of lParam, as the messages pack them.
    const int x = static_cast<std::int16_t>(lParam & 0xFFFF);
    const int y = static_cast<std::int16_t>((lParam >> 16) & 0xFFFF);
    const Window root = x11.root();
    int rootX = 0, rootY = 0;
    Window child = 0;
    // Also the test that the window exists: nothing is sent to a window that does not.
    if (Xlib().XTranslateCoordinates(display, window, root, x, y, &rootX, &rootY, &child) == 0) return;

    XEvent event{};
    event.type = kind->type;
    FillPointerFields(event, display, window, root, x, y, rootX, rootY);
    if (kind->type == KeyPress || kind->type == KeyRelease) {
        event.xkey.keycode = KeycodeOf(display, wParam);
        if (event.xkey.keycode == 0) return;
    } else if (kind->type == MotionNotify) {
        event.xmotion.state = StateOfMouseKeys(wParam);
    } else {
        event.xbutton.button = kind->button;
        event.xbutton.state = StateOfMouseKeys(wParam);
    }
    Xlib().XSendEvent(display, window, False, kind->mask, &event);
    Xlib().XFlush(display);
}

bool VirtualKeyIsDown(X11Connection& x11, int virtualKey) {
    Display* display = x11.display();
    if (display == nullptr || virtualKey < 0 || virtualKey > 0xFF) return false;
    const unsigned int buttonMask = virtualKey == 1 ? Button1Mask : virtualKey == 2 ? Button3Mask
                                  : virtualKey == 4 ? Button2Mask : 0;
    if (buttonMask != 0) {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned int state = 0;
        Xlib().XQueryPointer(display, x11.root(), &root, &child, &rootX, &rootY, &x, &y, &state);
        return (state & buttonMask) != 0;
    }
    const KeyCode keycode = KeycodeOf(display, static_cast<std::uint64_t>(virtualKey));
    if (keycode == 0) return false;
    char keys[32] = {};
    Xlib().XQueryKeymap(display, keys);
    return (keys[keycode / 8] >> (keycode % 8)) & 1;
}

}  // namespace ml
