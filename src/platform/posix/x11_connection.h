// The one connection to the X server that the desktop services share. It is opened
// at the first use, so a program that never touches the desktop never needs a
// display; without one, or without the X libraries, every service behaves as a
// failed platform call.
#pragma once

#include <functional>

#include "platform/posix/x11_library.h"
#include "platform/posix/x11_shared_memory.h"

namespace ml {

// Whether snapshots may travel through shared memory (the usual way) or must come over
// the connection, as they do from a server without the extension.
enum class SharedMemory { IfAvailable, Never };

class X11Connection {
public:
    explicit X11Connection(SharedMemory use = SharedMemory::IfAvailable) : shared_(use == SharedMemory::IfAvailable) {}
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;
    ~X11Connection();

    // Null when no display can be opened (tried once only).
    Display* display();
    // True when a server took the connection but did not answer in time.
    bool silent() const { return silent_; }
    // What to do when the connection breaks (the server ended, the network failed):
    // called once, from Xlib, and the process ends when it returns.
    static void whenLost(std::function<void()> report);
    Window root();
    // True when synthesised input can be injected (the XTEST extension).
    bool canFakeInput();
    Atom atom(const char* name);
    X11SharedMemory& sharedMemory() { return shared_; }
    // The server's clock in milliseconds, as it stamps events, and later than any time
    // this gave before (it waits for the next millisecond when needed); CurrentTime
    // without a display.
    Time freshServerTime();

private:
    bool tried_ = false;
    bool silent_ = false;
    Display* display_ = nullptr;
    bool xtest_ = false;
    X11SharedMemory shared_;
    // A window of our own, never shown, whose property changes the server stamps.
    Window clockWindow_ = 0;
    Atom clockProperty_ = 0;
    Time lastServerTime_ = CurrentTime;
};

}  // namespace ml
