#include "platform/posix/x11_clipboard.h"

#include <chrono>
#include <ctime>
#include <optional>

#include <X11/Xatom.h>

namespace ml {

namespace {

// An owner answers within milliseconds; one that hangs must not hold the script.
constexpr auto kAnswerLimit = std::chrono::seconds(2);
// Enough 32-bit units for a value, which is all a script can keep of the text.
constexpr long kValueUnits = (kLongestRead + 4) / 4;

struct Reading {
    Display* display;
    const X11SelectionLibrary& selection;
    Window window;
    Atom property;
};

bool WaitForEvent(const Reading& r, int type, XEvent& event) {
    const auto until = std::chrono::steady_clock::now() + kAnswerLimit;
    while (!r.selection.XCheckTypedWindowEvent(r.display, r.window, type, &event)) {
        if (std::chrono::steady_clock::now() > until) return false;
        timespec pause{0, 2000000};
        nanosleep(&pause, nullptr);
    }
    return true;
}

// The property's type and bytes, deleted once read: for an incremental transfer the
// deletion asks the owner for the next piece.
Atom TakeProperty(const Reading& r, std::string& bytes) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int got = Xlib().XGetWindowProperty(r.display, r.window, r.property, 0, kValueUnits, False, AnyPropertyType,
                                              &type, &format, &count, &after, &data);
    if (got == Success && format == 8 && data != nullptr) bytes.assign(reinterpret_cast<const char*>(data), count);
    if (data != nullptr) Xlib().XFree(data);
    r.selection.XDeleteProperty(r.display, r.window, r.property);
    return got == Success ? type : None;
}

// A large text comes in pieces, each announced by a new value of the property; the
// pieces stop at an empty one, or here once a value's worth has come.
std::string TakeInPieces(const Reading& r) {
    std::string text, piece;
    XEvent event;
    while (text.size() < kLongestRead && WaitForEvent(r, PropertyNotify, event)) {
        if (event.xproperty.atom != r.property || event.xproperty.state != PropertyNewValue) continue;
        piece.clear();
        TakeProperty(r, piece);
        if (piece.empty()) break;
        text += piece;
    }
    return text;
}

// The text in one target's form; nothing when the owner refuses the target.
std::optional<std::string> Convert(const Reading& r, Atom clipboard, Atom target, Atom incremental) {
    r.selection.XConvertSelection(r.display, clipboard, target, r.property, r.window, CurrentTime);
    XEvent event;
    if (!WaitForEvent(r, SelectionNotify, event)) return std::string();
    if (event.xselection.property == None) return std::nullopt;
    std::string bytes;
    if (TakeProperty(r, bytes) == incremental) return TakeInPieces(r);
    return bytes;
}

Window MakeReaderWindow(X11Connection& x11) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    return Xlib().XCreateWindow(x11.display(), x11.root(), -1, -1, 1, 1, 0, 0, InputOnly, nullptr, CWEventMask,
                                &attributes);
}

}  // namespace

std::string ReadClipboard(X11Connection& x11) {
    const X11SelectionLibrary* selection = OpenXSelection();
    Display* display = x11.display();
    if (display == nullptr || selection == nullptr) return {};
    const Atom clipboard = x11.atom("CLIPBOARD");
    if (selection->XGetSelectionOwner(display, clipboard) == None) return {};
    const Reading r{display, *selection, MakeReaderWindow(x11), x11.atom("ML_CLIPBOARD")};
    std::optional<std::string> text;
    for (const char* target : {"UTF8_STRING", "STRING"})
        if (!text) text = Convert(r, clipboard, x11.atom(target), x11.atom("INCR"));
    selection->XDestroyWindow(display, r.window);
    Xlib().XFlush(display);
    return text.value_or(std::string());
}

}  // namespace ml
