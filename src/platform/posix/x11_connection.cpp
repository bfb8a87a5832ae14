#include "platform/posix/x11_connection.h"

namespace ml {

namespace {

// Xlib's default handler ends the process on any protocol error. A script may
// name a window that has gone or never existed; like the Windows calls, the
// request then simply has no effect.
int IgnoreProtocolError(Display*, XErrorEvent*) { return 0; }

}  // namespace

X11Connection::~X11Connection() {
    if (display_ == nullptr) return;
    shared_.release(display_);
    Xlib().XCloseDisplay(display_);
}

Display* X11Connection::display() {
    if (!tried_) {
        tried_ = true;
        if (OpenX11Library() == nullptr) return nullptr;
        display_ = Xlib().XOpenDisplay(nullptr);
        if (display_ != nullptr) {
            Xlib().XSetErrorHandler(IgnoreProtocolError);
            int event = 0, error = 0, major = 0, minor = 0;
            xtest_ = Xlib().XTestQueryExtension(display_, &event, &error, &major, &minor) != 0;
        }
    }
    return display_;
}

Window X11Connection::root() {
    Display* d = display();
    return d == nullptr ? 0 : DefaultRootWindow(d);
}

bool X11Connection::canFakeInput() { return display() != nullptr && xtest_; }

Atom X11Connection::atom(const char* name) {
    Display* d = display();
    return d == nullptr ? 0 : Xlib().XInternAtom(d, name, False);
}

}  // namespace ml
