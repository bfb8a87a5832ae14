// The window the X11 desktop tests drive: 200 x 200 pixels at (100, 100), titled
// "Morrowlark Target" (or ML_TARGET_TITLE, see TargetTitle), class "MorrowlarkTarget",
// with a hidden child window of class "TargetChild". It paints four coloured quadrants
// and a 16 x 16 pattern, and writes every click and key it receives to the log file:
//   x11_target LOG
// Log lines: ready | left-down X Y | left-up X Y | right-down X Y | right-up X Y |
// middle-down X Y | middle-up X Y | wheel-away-down X Y ... (button 4) | wheel-toward-...
// (button 5) | move X Y left (only with the left button held) | key-down NAME scan N |
// key-up ..., a key other than a modifier followed by the modifiers held, such as
// "with ctrl shift" (ctrl, shift, alt, win).
// The scan code is the keycode less 8, which on the server's evdev key map is the
// set-1 scan code of the key.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>

#include "target_picture.h"

namespace {

unsigned long PixelOf(const Rgb& colour) {
    return static_cast<unsigned long>(colour.red) << 16 | static_cast<unsigned long>(colour.green) << 8 |
           colour.blue;
}

void Paint(Display* display, Window window, GC gc) {
    for (const Area& area : kTargetAreas) {
        XSetForeground(display, gc, PixelOf(area.colour));
        XFillRectangle(display, window, gc, area.x, area.y, static_cast<unsigned>(area.width),
                       static_cast<unsigned>(area.height));
    }
    for (int y = 0; y < kPatternSide; ++y) {
        for (int x = 0; x < kPatternSide; ++x) {
            XSetForeground(display, gc, PixelOf(PatternColour(x, y)));
            XDrawPoint(display, window, gc, kPatternX + x, kPatternY + y);
        }
    }
    XSync(display, False);
}

void SetClass(Display* display, Window window, const char* name, const char* className) {
    XClassHint hint{};
    hint.res_name = const_cast<char*>(name);
    hint.res_class = const_cast<char*>(className);
    XSetClassHint(display, window, &hint);
}

Window CreateTarget(Display* display) {
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | ButtonMotionMask | KeyPressMask |
                            KeyReleaseMask;
    const Window window = XCreateWindow(display, RootWindow(display, screen), kTargetX, kTargetY, kTargetSide,
                                        kTargetSide, 0, CopyFromParent, InputOutput, CopyFromParent,
                                        CWBackPixel | CWEventMask, &attributes);
    XStoreName(display, window, TargetTitle().c_str());
    SetClass(display, window, "morrowlark_target", kTargetClass);
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = kTargetX;
    hints.y = kTargetY;
    hints.width = hints.height = kTargetSide;
    XSetWMNormalHints(display, window, &hints);

    const Window child = XCreateSimpleWindow(display, window, 0, 0, 10, 10, 0, 0, 0);
    SetClass(display, child, "target_child", kChildClass);
    XMapWindow(display, window);
    return window;
}

const char* ButtonName(unsigned int button) {
    switch (button) {
    case Button1: return "left";
    case Button2: return "middle";
    case Button3: return "right";
    case Button4: return "wheel-away";
    case Button5: return "wheel-toward";
    default: return "other";
    }
}

// A modifier's own event shows the state before it, so only other keys name them.
void LogModifiers(std::FILE* log, KeySym keysym, unsigned int state) {
    if (IsModifierKey(keysym)) return;
    const struct {
        unsigned int mask;
        const char* name;
    } modifiers[] = {{ControlMask, "ctrl"}, {ShiftMask, "shift"}, {Mod1Mask, "alt"}, {Mod4Mask, "win"}};
    const char* separator = " with";
    for (const auto& modifier : modifiers) {
        if ((state & modifier.mask) == 0) continue;
        std::fprintf(log, "%s %s", separator, modifier.name);
        separator = "";
    }
}

void LogKey(std::FILE* log, const XKeyEvent& key, const char* what) {
    const KeySym keysym = XLookupKeysym(const_cast<XKeyEvent*>(&key), 0);
    const char* name = XKeysymToString(keysym);
    std::fprintf(log, "%s %s scan %u", what, name != nullptr ? name : "?", key.keycode - 8);
    LogModifiers(log, keysym, key.state);
    std::fprintf(log, "\n");
}

void LogEvent(std::FILE* log, const XEvent& event) {
    switch (event.type) {
    case ButtonPress:
    case ButtonRelease:
        std::fprintf(log, "%s-%s %d %d\n", ButtonName(event.xbutton.button),
                     event.type == ButtonPress ? "down" : "up", event.xbutton.x, event.xbutton.y);
        break;
    case MotionNotify:
        if (event.xmotion.state & Button1Mask) std::fprintf(log, "move %d %d left\n", event.xmotion.x, event.xmotion.y);
        break;
    case KeyPress:
        LogKey(log, event.xkey, "key-down");
        break;
    case KeyRelease:
        LogKey(log, event.xkey, "key-up");
        break;
    default:
        return;
    }
    std::fflush(log);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s LOG\n", argv[0]);
        return 2;
    }
    std::FILE* log = std::fopen(argv[1], "w");
    Display* display = XOpenDisplay(nullptr);
    if (log == nullptr || display == nullptr) {
        std::fprintf(stderr, "x11_target: cannot open the log or the display\n");
        return 1;
    }
    const Window window = CreateTarget(display);
    GC gc = XCreateGC(display, window, 0, nullptr);
    bool ready = false;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == Expose && event.xexpose.count == 0) {
            Paint(display, window, gc);
            if (!ready) {
                ready = true;
                std::fprintf(log, "ready\n");
                std::fflush(log);
            }
        }
        LogEvent(log, event);
    }
}
