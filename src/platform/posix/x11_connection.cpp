#include "platform/posix/x11_connection.h"

#include <atomic>
#include <chrono>
#include <utility>

#include <X11/Xatom.h>

#include "platform/posix/within_limit.h"

namespace ml {

namespace {

// A server that takes the connection but does not answer would hold the first desktop
// call forever; one that answers at all does so within milliseconds.
constexpr std::chrono::milliseconds kAnswerLimit = std::chrono::seconds(5);

// Xlib keeps one handler for a broken connection per process, so what it does lives
// here too. Once the connection is broken it is never closed: closing it would call
// the handler again.
std::atomic<bool> connectionLost{false};
std::function<void()>& LostReport() {
    static std::function<void()> report;
    return report;
}

// Xlib's default handler ends the process on any protocol error. A script may
// name a window that has gone or never existed; like the Windows calls, the
// request then simply has no effect.
int IgnoreProtocolError(Display*, XErrorEvent*) { return 0; }

// Xlib ends the process when this returns; the report comes first.
int ReportBrokenConnection(Display*) {
    if (!connectionLost.exchange(true) && LostReport()) LostReport()();
    return 0;
}

Display* OpenWithinLimit(bool& silent) {
    const std::optional<Display*> display =
        WithinLimit<Display*>(kAnswerLimit, [] { return Xlib().XOpenDisplay(nullptr); });
    silent = !display;
    return display.value_or(nullptr);
}

// A window never shown, whose property changes the server reports to us alone.
Window MakeClockWindow(Display* display) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    attributes.override_redirect = True;
    return Xlib().XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, 0, InputOnly, nullptr,
                                CWEventMask | CWOverrideRedirect, &attributes);
}

// Appending nothing changes the property all the same, and the server stamps its notice
// with the time. The notice is queued before the answer to the sync comes, so it is
// never waited for: CurrentTime when it did not come (the window could not be made).
Time ReadServerClock(Display* display, Window window, Atom property) {
    const unsigned char nothing = 0;
    Xlib().XChangeProperty(display, window, property, XA_STRING, 8, PropModeAppend, &nothing, 0);
    Xlib().XSync(display, False);
    XEvent event;
    if (!Xlib().XCheckWindowEvent(display, window, PropertyChangeMask, &event)) return CurrentTime;
    return event.xproperty.time;
}

// A few milliseconds at most: the server's clock moves on every one.
constexpr int kClockReadings = 20;

}  // namespace

X11Connection::~X11Connection() {
    if (display_ == nullptr || connectionLost) return;
    shared_.release(display_);
    Xlib().XCloseDisplay(display_);
}

Display* X11Connection::display() {
    if (!tried_) {
        tried_ = true;
        if (OpenX11Library() == nullptr) return nullptr;
        display_ = OpenWithinLimit(silent_);
        if (display_ != nullptr) {
            Xlib().XSetErrorHandler(IgnoreProtocolError);
            Xlib().XSetIOErrorHandler(ReportBrokenConnection);
            int event = 0, error = 0, major = 0, minor = 0;
            xtest_ = Xlib().XTestQueryExtension(display_, &event, &error, &major, &minor) != 0;
        }
    }
    return display_;
}

void X11Connection::whenLost(std::function<void()> report) { LostReport() = std::move(report); }

Window X11Connection::root() {
    Display* d = display();
    return d == nullptr ? 0 : DefaultRootWindow(d);
}

bool X11Connection::canFakeInput() { return display() != nullptr && xtest_; }

Atom X11Connection::atom(const char* name) {
    Display* d = display();
    return d == nullptr ? 0 : Xlib().XInternAtom(d, name, False);
}

// The clock is a 32-bit count that wraps, so a later time is one other than the last.
Time X11Connection::freshServerTime() {
    Display* d = display();
    if (d == nullptr) return CurrentTime;
    if (clockWindow_ == 0) {
        clockWindow_ = MakeClockWindow(d);
        clockProperty_ = atom("MORROWLARK_CLOCK");
    }
    Time now = CurrentTime;
    for (int reading = 0; reading < kClockReadings; ++reading) {
        now = ReadServerClock(d, clockWindow_, clockProperty_);
        if (now != lastServerTime_ || now == CurrentTime) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    lastServerTime_ = now;
    return now;
}

}  // namespace ml
