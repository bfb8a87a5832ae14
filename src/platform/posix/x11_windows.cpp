#include "platform/posix/x11_windows.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <thread>
#include <vector>

namespace ml {

namespace {

// How often, and how far apart, a move is looked at while a window manager carries
// it out.
constexpr int kManagerLooks = 100;
constexpr auto kManagerLookInterval = std::chrono::milliseconds(10);

// Windows nest only so deep; the bound keeps a changing tree from holding us.
constexpr int kMaxNesting = 64;

// Titles longer than this cannot equal a script value (255 bytes at most), so
// reading more of a property would be wasted.
constexpr long kTitleLongs = 256;

// The children of a window, topmost first (the server lists them bottom first).
std::vector<Window> Children(Display* display, Window window) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (Xlib().XQueryTree(display, window, &root, &parent, &children, &count) == 0) return result;
    result.assign(children, children + count);
    if (children != nullptr) Xlib().XFree(children);
    return {result.rbegin(), result.rend()};
}

// The bytes of a text property, when the window has it in the wanted type.
bool ReadTextProperty(Display* display, Window window, Atom property, Atom type, std::string& text) {
    Atom actualType = 0;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (Xlib().XGetWindowProperty(display, window, property, 0, kTitleLongs, False, type, &actualType, &format, &items,
                           &remaining, &data) != Success) {
        return false;
    }
    const bool found = data != nullptr && format == 8 && (type == AnyPropertyType || actualType == type);
    if (found) text.assign(reinterpret_cast<const char*>(data), items);
    if (data != nullptr) Xlib().XFree(data);
    return found;
}

bool ReadTitle(X11Connection& x11, Window window, std::string& text) {
    Display* display = x11.display();
    if (ReadTextProperty(display, window, x11.atom("_NET_WM_NAME"), x11.atom("UTF8_STRING"), text)) return true;
    return ReadTextProperty(display, window, XA_WM_NAME, AnyPropertyType, text);
}

bool HasTitle(X11Connection& x11, Window window, const std::string& title) {
    std::string text;
    return ReadTitle(x11, window, text) && text == title;
}

bool HasClass(Display* display, Window window, const std::string& className) {
    XClassHint hint{};
    if (Xlib().XGetClassHint(display, window, &hint) == 0) return false;
    const bool match = (hint.res_name != nullptr && className == hint.res_name) ||
                       (hint.res_class != nullptr && className == hint.res_class);
    if (hint.res_name != nullptr) Xlib().XFree(hint.res_name);
    if (hint.res_class != nullptr) Xlib().XFree(hint.res_class);
    return match;
}

bool HasProperty(Display* display, Window window, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = Xlib().XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &type, &format,
                                          &items, &remaining, &data);
    if (data != nullptr) Xlib().XFree(data);
    return status == Success && type != 0;
}

// A window is shown as a client when it is on the screen and managed (or could be):
// menus and tooltips pass the window manager by, and are no windows to choose.
bool IsShownClient(Display* display, Window topLevel, Window client) {
    XWindowAttributes attributes;
    if (Xlib().XGetWindowAttributes(display, topLevel, &attributes) == 0 || attributes.override_redirect) return false;
    return Xlib().XGetWindowAttributes(display, client, &attributes) != 0 && attributes.map_state == IsViewable;
}

// The ancestor of the window that is a child of the root: the window manager's frame
// of a client, or the window itself without one.
Window TopLevelOf(X11Connection& x11, Window window) {
    Display* display = x11.display();
    for (int depth = 0; depth < kMaxNesting; ++depth) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (Xlib().XQueryTree(display, window, &root, &parent, &children, &count) == 0) return 0;
        if (children != nullptr) Xlib().XFree(children);
        if (parent == root || parent == 0) return window;
        window = parent;
    }
    return window;
}

// What the window looks like from outside: a client's frame, else the window itself.
Window OuterWindow(X11Connection& x11, Window window) {
    return HasProperty(x11.display(), window, x11.atom("WM_STATE")) ? TopLevelOf(x11, window) : window;
}

bool SupportsDelete(Display* display, Window window, Atom deleteWindow) {
    Atom* protocols = nullptr;
    int count = 0;
    if (Xlib().XGetWMProtocols(display, window, &protocols, &count) == 0) return false;
    bool found = false;
    for (int i = 0; i < count; ++i) found = found || protocols[i] == deleteWindow;
    if (protocols != nullptr) Xlib().XFree(protocols);
    return found;
}

// A window manager wraps each application window in a frame of its own; the
// application's window is the one it marked with WM_STATE. Without a window
// manager the top-level window is the application's window itself.
Window ClientOf(X11Connection& x11, Window topLevel) {
    Display* display = x11.display();
    const Atom wmState = x11.atom("WM_STATE");
    std::deque<Window> pending{topLevel};
    while (!pending.empty()) {
        const Window window = pending.front();
        pending.pop_front();
        if (HasProperty(display, window, wmState)) return window;
        for (Window child : Children(display, window)) pending.push_back(child);
    }
    return topLevel;
}

// Walking the tree rather than trusting _NET_CLIENT_LIST finds windows the same
// way with or without a window manager, including unmapped ones, as a lookup by
// title does on Windows.
std::vector<Window> ClientWindows(X11Connection& x11) {
    std::vector<Window> clients;
    for (Window topLevel : Children(x11.display(), x11.root())) clients.push_back(ClientOf(x11, topLevel));
    return clients;
}

}  // namespace

std::vector<Window> ShownClientWindows(X11Connection& x11) {
    std::vector<Window> shown;
    Display* display = x11.display();
    if (display == nullptr) return shown;
    for (Window topLevel : Children(display, x11.root())) {
        const Window client = ClientOf(x11, topLevel);
        if (IsShownClient(display, topLevel, client)) shown.push_back(client);
    }
    return shown;
}

namespace {

// The child of the root that the pointer is over; 0 when none.
Window TopLevelUnderPointer(X11Connection& x11) {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int state = 0;
    if (Xlib().XQueryPointer(x11.display(), x11.root(), &root, &child, &rootX, &rootY, &x, &y, &state) == 0) return 0;
    return child;
}

}  // namespace

// The focus may rest on a child inside a client (xterm's text area), on a window
// manager's frame, or follow the pointer (PointerRoot), where the keys go to the
// window under it.
Window FocusedClientWindow(X11Connection& x11) {
    Display* display = x11.display();
    if (display == nullptr) return 0;
    Window focus = 0;
    int revertTo = 0;
    Xlib().XGetInputFocus(display, &focus, &revertTo);
    if (focus == PointerRoot) focus = TopLevelUnderPointer(x11);
    if (focus == None || focus == x11.root()) return 0;
    const Window topLevel = TopLevelOf(x11, focus);
    if (topLevel == 0) return 0;
    const Window client = ClientOf(x11, topLevel);
    return IsShownClient(display, topLevel, client) ? client : 0;
}

bool IsViewableWindow(X11Connection& x11, Window window) {
    XWindowAttributes attributes;
    return x11.display() != nullptr && window != 0 &&
           Xlib().XGetWindowAttributes(x11.display(), window, &attributes) != 0 && attributes.map_state == IsViewable;
}

std::string TitleOf(X11Connection& x11, Window window) {
    std::string text;
    if (x11.display() == nullptr || window == 0 || !ReadTitle(x11, window, text)) return {};
    return text;
}

bool OuterRectangle(X11Connection& x11, Window window, WindowRect& rect) {
    Display* display = x11.display();
    if (display == nullptr || window == 0) return false;
    const Window outer = OuterWindow(x11, window);
    XWindowAttributes attributes;
    if (outer == 0 || Xlib().XGetWindowAttributes(display, outer, &attributes) == 0) return false;
    const int border = attributes.border_width;
    Window child = 0;
    int x = 0, y = 0;
    if (Xlib().XTranslateCoordinates(display, outer, x11.root(), -border, -border, &x, &y, &child) == 0) return false;
    rect = {x, y, attributes.width + 2 * border, attributes.height + 2 * border};
    return true;
}

namespace {

bool SameRectangle(const WindowRect& a, const WindowRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The outer rectangle once a window manager has carried out a request for this
// size: it has changed from the one before, has the size, and stays put for one more
// look; false when that did not come in the time.
bool SettledRectangle(X11Connection& x11, Window window, const WindowRect& before, const WindowRect& asked,
                      WindowRect& after) {
    WindowRect last = before;
    for (int look = 0; look < kManagerLooks; ++look) {
        std::this_thread::sleep_for(kManagerLookInterval);
        if (!OuterRectangle(x11, window, after)) return false;
        const bool sized = after.width == asked.width && after.height == asked.height;
        if (sized && !SameRectangle(after, before) && SameRectangle(after, last)) return true;
        last = after;
    }
    return false;
}

void RequestRectangle(Display* display, Window window, int x, int y, int width, int height) {
    Xlib().XMoveResizeWindow(display, window, x, y, static_cast<unsigned int>(std::max(width, 1)),
                             static_cast<unsigned int>(std::max(height, 1)));
    Xlib().XSync(display, False);
}

}  // namespace

// The client asks for the size that leaves room for the frame (or its border) in
// the outer rectangle. Window managers read the requested corner differently (the
// frame's, or the client's inside it), so under one the move is corrected once by
// where the frame really went, and the correction awaited, so that the rectangle
// read next is the one asked for.
void MoveWindowTo(X11Connection& x11, Window window, const WindowRect& rect) {
    Display* display = x11.display();
    WindowRect outer;
    XWindowAttributes inner;
    if (!OuterRectangle(x11, window, outer) || Xlib().XGetWindowAttributes(display, window, &inner) == 0) return;
    const int width = rect.width - (outer.width - inner.width);
    const int height = rect.height - (outer.height - inner.height);
    RequestRectangle(display, window, rect.x, rect.y, width, height);
    WindowRect placed;
    if (SameRectangle(outer, rect) || !HasProperty(display, window, x11.atom("WM_STATE")) ||
        !SettledRectangle(x11, window, outer, rect, placed) || (placed.x == rect.x && placed.y == rect.y)) {
        return;
    }
    RequestRectangle(display, window, 2 * rect.x - placed.x, 2 * rect.y - placed.y, width, height);
    WindowRect corrected;
    SettledRectangle(x11, window, placed, rect, corrected);
}

// A window that does not take part in the delete protocol is closed as a window
// manager's close button closes it: its client's connection is cut.
void CloseWindow(X11Connection& x11, Window window) {
    Display* display = x11.display();
    XWindowAttributes attributes;
    if (display == nullptr || window == 0 || Xlib().XGetWindowAttributes(display, window, &attributes) == 0) return;
    const Atom deleteWindow = x11.atom("WM_DELETE_WINDOW");
    if (!SupportsDelete(display, window, deleteWindow)) {
        Xlib().XKillClient(display, window);
    } else {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = x11.atom("WM_PROTOCOLS");
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        Xlib().XSendEvent(display, window, False, NoEventMask, &event);
    }
    Xlib().XFlush(display);
}

ScreenPoint ClientToScreen(X11Connection& x11, Window window, ScreenPoint point) {
    Display* display = x11.display();
    Window child = 0;
    int x = 0, y = 0;
    if (display == nullptr || Xlib().XTranslateCoordinates(display, window, x11.root(), point.x, point.y, &x, &y, &child) == 0)
        return point;
    return {x, y};
}

bool InsideSize(X11Connection& x11, Window window, ScreenPoint& size) {
    Display* display = x11.display();
    XWindowAttributes attributes;
    if (display == nullptr || window == 0 || Xlib().XGetWindowAttributes(display, window, &attributes) == 0) return false;
    size = {attributes.width, attributes.height};
    return true;
}

Window FindWindowByTitle(X11Connection& x11, const std::string& title) {
    if (x11.display() == nullptr) return 0;
    for (Window window : ClientWindows(x11)) {
        if (HasTitle(x11, window, title)) return window;
    }
    return 0;
}

Window FindChildByClass(X11Connection& x11, Window parent, const std::string& className) {
    Display* display = x11.display();
    if (display == nullptr) return 0;
    const std::vector<Window> candidates = parent == 0 ? ClientWindows(x11) : Children(display, parent);
    for (Window window : candidates) {
        if (HasClass(display, window, className)) return window;
    }
    return 0;
}

void ActivateWindow(X11Connection& x11, Window window) {
    Display* display = x11.display();
    if (display == nullptr || window == 0) return;
    XWindowAttributes attributes;
    if (Xlib().XGetWindowAttributes(display, window, &attributes) == 0) return;

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = x11.atom("_NET_ACTIVE_WINDOW");
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // on behalf of the user, which managers honour
    event.xclient.data.l[1] = CurrentTime;
    Xlib().XSendEvent(display, x11.root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);

    Xlib().XRaiseWindow(display, window);
    // The focus can only go to a window that is on the screen.
    if (attributes.map_state == IsViewable) Xlib().XSetInputFocus(display, window, RevertToParent, CurrentTime);
    Xlib().XFlush(display);
}

unsigned long ProcessOfWindow(X11Connection& x11, Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = Xlib().XGetWindowProperty(x11.display(), window, x11.atom("_NET_WM_PID"), 0, 1, False,
                                                 XA_CARDINAL, &type, &format, &items, &remaining, &data);
    // Xlib hands 32-bit items over as longs.
    unsigned long process = 0;
    if (status == Success && data != nullptr && format == 32 && items == 1) process = *reinterpret_cast<unsigned long*>(data);
    if (data != nullptr) Xlib().XFree(data);
    return process;
}

}  // namespace ml
