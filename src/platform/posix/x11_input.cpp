#include "platform/posix/x11_input.h"

#include "platform/posix/x11_keys.h"

#include <cstdlib>

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

// A posted window message and the X event that carries it. A double click's second
// press is a press like the first: X clients tell double clicks by the time between,
// so posted clicks carry the server's times.
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
    {0x0203, ButtonPress, Button1, ButtonPressMask},
    {0x0204, ButtonPress, Button3, ButtonPressMask},
    {0x0205, ButtonRelease, Button3, ButtonReleaseMask},
    {0x0206, ButtonPress, Button3, ButtonPressMask},
    {0x0207, ButtonPress, Button2, ButtonPressMask},
    {0x0208, ButtonRelease, Button2, ButtonReleaseMask},
    {0x0209, ButtonPress, Button2, ButtonPressMask},
    {0x0100, KeyPress, 0, KeyPressMask},
    {0x0101, KeyRelease, 0, KeyReleaseMask},
    // The system key messages of keys pressed with Alt: X tells them by the state.
    {0x0104, KeyPress, 0, KeyPressMask},
    {0x0105, KeyRelease, 0, KeyReleaseMask},
};

constexpr std::uint32_t kWheelFlag = 0x0800;
constexpr int kWheelDelta = 120;
// The wheel is buttons 4 (away from the user) and 5 (toward).
constexpr unsigned int kWheelAway = 4;
constexpr unsigned int kWheelToward = 5;

constexpr unsigned int kModifierMasks = ShiftMask | LockMask | ControlMask | Mod1Mask | Mod2Mask | Mod3Mask |
                                        Mod4Mask | Mod5Mask;

// Windows nest only so deep; the bound keeps a changing tree from holding us.
constexpr int kMaxNesting = 64;

// The modifier that a virtual key holds down; 0 for other keys.
unsigned int ModifierOfVirtualKey(std::uint64_t virtualKey) {
    switch (virtualKey) {
    case 0x10: case 0xA0: case 0xA1: return ShiftMask;
    case 0x11: case 0xA2: case 0xA3: return ControlMask;
    case 0x12: case 0xA4: case 0xA5: return Mod1Mask;
    case 0x5B: case 0x5C: return Mod4Mask;
    default: return 0;
    }
}

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

// An event of the type at the target, with the fields that button, motion and key
// events share (their layouts agree).
XEvent EventAt(X11Connection& x11, int type, const PostTarget& target, unsigned int state) {
    XEvent event{};
    event.type = type;
    event.xbutton.display = x11.display();
    event.xbutton.window = target.window;
    event.xbutton.root = x11.root();
    event.xbutton.subwindow = None;
    event.xbutton.time = CurrentTime;
    event.xbutton.x = target.x;
    event.xbutton.y = target.y;
    Window child = 0;
    Xlib().XTranslateCoordinates(x11.display(), target.window, x11.root(), target.x, target.y, &event.xbutton.x_root,
                                 &event.xbutton.y_root, &child);
    event.xbutton.state = state;
    event.xbutton.same_screen = True;
    return event;
}

void Send(X11Connection& x11, XEvent& event, long mask) {
    Xlib().XSendEvent(x11.display(), event.xany.window, True, mask, &event);
}

void PostButton(X11Connection& x11, const PostTarget& target, int type, unsigned int button, unsigned int state,
                Time time) {
    XEvent event = EventAt(x11, type, target, state);
    event.xbutton.button = button;
    event.xbutton.time = time;
    Send(x11, event, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask);
}

// One notch a message, whatever the delta says beyond its direction. Notches need no
// times of their own, and a thousand of them should not wait on the server's clock.
void PostWheel(X11Connection& x11, Window window, std::uint64_t wParam, std::uint64_t lParam, unsigned int state) {
    const int delta = static_cast<std::int16_t>((wParam >> 16) & 0xFFFF);
    if (delta == 0) return;
    const int screenX = static_cast<std::int16_t>(lParam & 0xFFFF);
    const int screenY = static_cast<std::int16_t>((lParam >> 16) & 0xFFFF);
    int x = 0, y = 0;
    Window child = 0;
    if (Xlib().XTranslateCoordinates(x11.display(), x11.root(), window, screenX, screenY, &x, &y, &child) == 0) return;
    const PostTarget target = PostTargetAt(x11, window, x, y);
    const unsigned int button = delta > 0 ? kWheelAway : kWheelToward;
    PostButton(x11, target, ButtonPress, button, state, CurrentTime);
    PostButton(x11, target, ButtonRelease, button, state, CurrentTime);
}

// Moves the pointer to the root window's pixel. A server whose heads are screens of
// their own, joined by Xinerama (Xephyr's), keeps a synthesised move on the head the
// pointer is on; a warp carries it across, as it would a user's hand.
void MovePointerTo(X11Connection& x11, int x, int y) {
    Display* display = x11.display();
    Xlib().XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int state = 0;
    if (Xlib().XQueryPointer(display, x11.root(), &root, &child, &rootX, &rootY, &windowX, &windowY, &state) != 0 &&
        (rootX != x || rootY != y)) {
        Xlib().XWarpPointer(display, None, x11.root(), 0, 0, 0, 0, x, y);
    }
}

}  // namespace

int PixelOfAbsolute(std::int32_t absolute, int side) {
    if (side <= 0 || absolute <= 0) return 0;
    const long long pixel = static_cast<long long>(absolute) * side / 65536;
    return pixel >= side ? side - 1 : static_cast<int>(pixel);
}

// The wheel's delta counts notches of 120; a part of a notch turns nothing.
void FakeMouseInput(X11Connection& x11, const MouseRecord& record) {
    if (!x11.canFakeInput()) return;
    Display* display = x11.display();
    if (record.flags & kMouseMove) {
        // The root window spans every monitor, so a record scaled to the whole
        // desktop (the virtual-desktop flag) and one scaled to the screen name the
        // same pixel.
        if (record.flags & kMouseAbsolute) {
            const int screen = DefaultScreen(display);
            MovePointerTo(x11, PixelOfAbsolute(record.dx, DisplayWidth(display, screen)),
                          PixelOfAbsolute(record.dy, DisplayHeight(display, screen)));
        } else {
            Xlib().XTestFakeRelativeMotionEvent(display, record.dx, record.dy, CurrentTime);
        }
    }
    for (const ButtonFlag& b : kButtonFlags) {
        if (record.flags & b.flag) Xlib().XTestFakeButtonEvent(display, b.button, b.press ? True : False, CurrentTime);
    }
    if (record.flags & kWheelFlag) {
        const unsigned int button = record.wheel > 0 ? kWheelAway : kWheelToward;
        for (int notch = 0; notch < std::abs(record.wheel / kWheelDelta); ++notch) {
            Xlib().XTestFakeButtonEvent(display, button, True, CurrentTime);
            Xlib().XTestFakeButtonEvent(display, button, False, CurrentTime);
        }
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

PostTarget PostTargetAt(X11Connection& x11, Window window, int x, int y) {
    Display* display = x11.display();
    PostTarget target{window, x, y};
    for (int depth = 0; depth < kMaxNesting; ++depth) {
        Window child = 0;
        int childX = 0, childY = 0;
        if (Xlib().XTranslateCoordinates(display, target.window, target.window, target.x, target.y, &childX, &childY,
                                         &child) == 0 ||
            child == None) {
            break;
        }
        Window under = 0;
        if (Xlib().XTranslateCoordinates(display, target.window, child, target.x, target.y, &childX, &childY, &under) == 0)
            break;
        target = {child, childX, childY};
    }
    return target;
}

PostTarget KeyTarget(X11Connection& x11, Window window) {
    XWindowAttributes attributes;
    if (Xlib().XGetWindowAttributes(x11.display(), window, &attributes) == 0) return {};
    return PostTargetAt(x11, window, attributes.width / 2, attributes.height / 2);
}

unsigned int PostedState(X11Connection& x11, const PostedModifiers& modifiers) {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int server = 0;
    Xlib().XQueryPointer(x11.display(), x11.root(), &root, &child, &rootX, &rootY, &x, &y, &server);
    return (modifiers.held | server) & kModifierMasks;
}

void PostKeyEvent(X11Connection& x11, const PostTarget& target, KeyCode keycode, unsigned int state, bool press) {
    XEvent event = EventAt(x11, press ? KeyPress : KeyRelease, target, state);
    event.xkey.keycode = keycode;
    Send(x11, event, press ? KeyPressMask : KeyReleaseMask);
}

void PostWindowMessage(X11Connection& x11, PostedModifiers& modifiers, Window window, std::uint32_t message,
                       std::uint64_t wParam, std::uint64_t lParam) {
    Display* display = x11.display();
    if (display == nullptr || window == 0) return;
    // Also the test that the window exists: nothing is sent to a window that does not.
    XWindowAttributes attributes;
    if (Xlib().XGetWindowAttributes(display, window, &attributes) == 0) return;
    const unsigned int state = PostedState(x11, modifiers);
    if (message == kWheelMessage) {
        PostWheel(x11, window, wParam, lParam, state);
        Xlib().XFlush(display);
        return;
    }
    const MessageEvent* kind = nullptr;
    for (const MessageEvent& candidate : kMessageEvents) {
        if (candidate.message == message) kind = &candidate;
    }
    if (kind == nullptr) return;

    if (kind->type == KeyPress || kind->type == KeyRelease) {
        const KeyCode keycode = KeycodeOf(display, wParam);
        if (keycode == 0) return;
        PostKeyEvent(x11, KeyTarget(x11, window), keycode, state, kind->type == KeyPress);
        // X reports the modifiers held before the event, so the key's own change
        // shows from the next event on.
        const unsigned int modifier = ModifierOfVirtualKey(wParam);
        modifiers.held = kind->type == KeyPress ? modifiers.held | modifier : modifiers.held & ~modifier;
    } else {
        // Client coordinates are signed 16-bit halves of lParam, as the messages pack them.
        const PostTarget target = PostTargetAt(x11, window, static_cast<std::int16_t>(lParam & 0xFFFF),
                                               static_cast<std::int16_t>((lParam >> 16) & 0xFFFF));
        const unsigned int buttons = StateOfMouseKeys(wParam) | state;
        if (kind->type == MotionNotify) {
            XEvent event = EventAt(x11, MotionNotify, target, buttons);
            Send(x11, event, kind->mask);
        } else {
            PostButton(x11, target, kind->type, kind->button, buttons, x11.freshServerTime());
        }
    }
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
