#include "platform/posix/x11_windows.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <deque>
#include <vector>

namespace ml {

namespace {

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

bool HasTitle(X11Connection& x11, Window window, const std::string& title) {
    Display* display = x11.display();
    std::string text;
    if (ReadTextProperty(display, window, x11.atom("_NET_WM_NAME"), x11.atom("UTF8_STRING"), text)) {
        return text == title;
    }
    return ReadTextProperty(display, window, XA_WM_NAME, AnyPropertyType, text) && text == title;
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

}  // namespace ml
