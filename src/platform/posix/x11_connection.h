// The one connection to the X server that the desktop services share. It is opened
// at the first use, so a program that never touches the desktop never needs a
// display; without one, or without the X libraries, every service behaves as a
// failed platform call.
#pragma once

#include "platform/posix/x11_library.h"

namespace ml {

class X11Connection {
public:
    X11Connection() = default;
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;
    ~X11Connection();

    // Null when no display can be opened (tried once only).
    Display* display();
    Window root();
    // True when synthesised input can be injected (the XTEST extension).
    bool canFakeInput();
    Atom atom(const char* name);

private:
    bool tried_ = false;
    Display* display_ = nullptr;
    bool xtest_ = false;
};

}  // namespace ml
