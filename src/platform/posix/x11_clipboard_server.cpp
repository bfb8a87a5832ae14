// The process that keeps the clipboard's text after the script has ended: as common
// clipboard tools do, it owns the CLIPBOARD selection on a connection of its own and
// answers every request for the text until another program takes the selection.
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>

#include <X11/Xatom.h>

#include "platform/posix/x11_clipboard.h"

namespace ml {

namespace {

// How long the script waits to hear that the server owns the selection.
constexpr int kReadyLimitMilliseconds = 5000;

struct Serving {
    Display* display;
    const X11SelectionLibrary& selection;
    Window window;
    const std::string& text;
    Atom targets, utf8;
};

Atom AtomOf(Display* display, const char* name) { return Xlib().XInternAtom(display, name, False); }

// Whether the target asks for the text, and with which type it goes.
bool TextTarget(Display* display, const Serving& s, Atom target, Atom& type) {
    type = target == XA_STRING ? XA_STRING : s.utf8;
    return target == XA_STRING || target == s.utf8 || target == AtomOf(display, "TEXT") ||
           target == AtomOf(display, "text/plain;charset=utf-8");
}

// Puts what the request asks for on the requestor's property; None when it asks for
// something we do not have.
Atom Answer(const Serving& s, const XSelectionRequestEvent& request) {
    const Atom property = request.property == None ? request.target : request.property;
    Atom type = None;
    if (request.target == s.targets) {
        const std::array<long, 5> offered = {static_cast<long>(s.targets), static_cast<long>(s.utf8), XA_STRING,
                                             static_cast<long>(AtomOf(s.display, "TEXT")),
                                             static_cast<long>(AtomOf(s.display, "text/plain;charset=utf-8"))};
        Xlib().XChangeProperty(s.display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                               reinterpret_cast<const unsigned char*>(offered.data()), offered.size());
        return property;
    }
    if (!TextTarget(s.display, s, request.target, type)) return None;
    Xlib().XChangeProperty(s.display, request.requestor, property, type, 8, PropModeReplace,
                           reinterpret_cast<const unsigned char*>(s.text.data()), static_cast<int>(s.text.size()));
    return property;
}

void Reply(const Serving& s, const XSelectionRequestEvent& request) {
    XEvent notify{};
    notify.xselection.type = SelectionNotify;
    notify.xselection.requestor = request.requestor;
    notify.xselection.selection = request.selection;
    notify.xselection.target = request.target;
    notify.xselection.time = request.time;
    notify.xselection.property = Answer(s, request);
    Xlib().XSendEvent(s.display, request.requestor, False, 0, &notify);
    Xlib().XFlush(s.display);
}

// A requestor may close its window before the answer reaches it; that is no reason to
// stop serving the others.
int IgnoreError(Display*, XErrorEvent*) { return 0; }
int EndQuietly(Display*) { _exit(0); }

// Tells the script whether the selection was taken; the server ends when it was not.
void Tell(int ready, char taken) {
    const bool heard = write(ready, &taken, 1) == 1;
    close(ready);
    if (!heard || taken != '1') _exit(1);
}

// Tells the script through ready whether the selection was taken, then serves it.
[[noreturn]] void Serve(const std::string& text, int ready) {
    Xlib().XSetErrorHandler(IgnoreError);
    Xlib().XSetIOErrorHandler(EndQuietly);
    const X11SelectionLibrary* selection = OpenXSelection();
    Display* display = Xlib().XOpenDisplay(nullptr);
    if (display == nullptr || selection == nullptr) Tell(ready, '0');
    const Window window = Xlib().XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, 0, InputOnly,
                                               nullptr, 0, nullptr);
    const Atom clipboard = AtomOf(display, "CLIPBOARD");
    selection->XSetSelectionOwner(display, clipboard, window, CurrentTime);
    if (selection->XGetSelectionOwner(display, clipboard) != window) Tell(ready, '0');
    Tell(ready, '1');
    const Serving s{display, *selection, window, text, AtomOf(display, "TARGETS"), AtomOf(display, "UTF8_STRING")};
    for (;;) {
        XEvent event;
        selection->XNextEvent(display, &event);
        if (event.type == SelectionClear) _exit(0);
        if (event.type == SelectionRequest) Reply(s, event.xselectionrequest);
    }
}

// The server holds nothing of the script's: no terminal, no pipe a caller waits on to
// end, no connection of the script's.
void LetGoOfTheScript(int ready) {
    setsid();
    const int nothing = open("/dev/null", O_RDWR);
    for (int stream : {0, 1, 2}) dup2(nothing, stream);
    if (ready > 3) close_range(3, static_cast<unsigned>(ready) - 1, 0);
    close_range(static_cast<unsigned>(ready) + 1, ~0U, 0);
}

bool HeardReady(int ready) {
    pollfd wait{ready, POLLIN, 0};
    char taken = '0';
    return poll(&wait, 1, kReadyLimitMilliseconds) == 1 && read(ready, &taken, 1) == 1 && taken == '1';
}

}  // namespace

// Started twice over, so that the server is no child of the script's to collect.
bool ServeClipboard(const std::string& text) {
    std::array<int, 2> pipeEnds{};
    if (pipe2(pipeEnds.data(), O_CLOEXEC) != 0) return false;
    const pid_t starter = fork();
    if (starter == 0) {
        close(pipeEnds[0]);
        LetGoOfTheScript(pipeEnds[1]);
        if (fork() == 0) Serve(text, pipeEnds[1]);
        _exit(0);
    }
    close(pipeEnds[1]);
    int status = 0;
    if (starter > 0) waitpid(starter, &status, 0);
    const bool ready = starter > 0 && HeardReady(pipeEnds[0]);
    close(pipeEnds[0]);
    return ready;
}

}  // namespace ml
