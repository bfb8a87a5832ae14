// The X client library entry points that the desktop services call. They are
// opened with dlopen at the first desktop call, not linked: most scripts never
// touch the desktop, and mapping and binding the X libraries costs every start.
#pragma once

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/XTest.h>

namespace ml {

#define ML_XLIB_FUNCTIONS(F)                                                                       \
    F(XOpenDisplay) F(XCloseDisplay) F(XSetErrorHandler) F(XSetIOErrorHandler) F(XFlush) F(XFree)  \
    F(XInternAtom) F(XQueryTree) F(XGetWindowProperty) F(XGetClassHint) F(XGetWindowAttributes)    \
    F(XTranslateCoordinates) F(XGetImage) F(XSendEvent) F(XRaiseWindow) F(XSetInputFocus)          \
    F(XQueryPointer) F(XQueryKeymap) F(XKeysymToKeycode) F(XSync) F(XDisplayKeycodes)              \
    F(XGetKeyboardMapping) F(XChangeKeyboardMapping) F(XGetWMProtocols) F(XKillClient)             \
    F(XMoveResizeWindow) F(XkbGetMap) F(XkbResizeKeySyms) F(XkbChangeMap) F(XkbFreeKeyboard)       \
    F(XCreateWindow) F(XChangeProperty) F(XCheckWindowEvent) F(XGetInputFocus) F(XWarpPointer)
#define ML_XTEST_FUNCTIONS(F)                                                                      \
    F(XTestQueryExtension) F(XTestFakeMotionEvent) F(XTestFakeRelativeMotionEvent)                 \
    F(XTestFakeButtonEvent) F(XTestFakeKeyEvent)

#define ML_XSHM_FUNCTIONS(F)                                                                       \
    F(XShmQueryExtension) F(XShmCreateImage) F(XShmAttach) F(XShmDetach) F(XShmGetImage)

#define ML_XINERAMA_FUNCTIONS(F) F(XineramaQueryExtension) F(XineramaIsActive) F(XineramaQueryScreens)

#define ML_XSELECTION_FUNCTIONS(F)                                                                 \
    F(XConvertSelection) F(XGetSelectionOwner) F(XSetSelectionOwner) F(XCheckTypedWindowEvent)     \
    F(XDeleteProperty) F(XNextEvent) F(XDestroyWindow)

#define ML_X11_MEMBER(name) decltype(&::name) name = nullptr;
struct X11Library {
    ML_XLIB_FUNCTIONS(ML_X11_MEMBER)
    ML_XTEST_FUNCTIONS(ML_X11_MEMBER)
};

// The shared-memory extension's entry points, from libXext.
struct X11ShmLibrary {
    ML_XSHM_FUNCTIONS(ML_X11_MEMBER)
};
// The monitor layout's entry points, from libXinerama. Servers with RandR answer
// its requests from their outputs, the primary first.
struct X11XineramaLibrary {
    ML_XINERAMA_FUNCTIONS(ML_X11_MEMBER)
};
// The selections' entry points, from libX11 too, bound at the first use of the clipboard.
struct X11SelectionLibrary {
    ML_XSELECTION_FUNCTIONS(ML_X11_MEMBER)
};
#undef ML_X11_MEMBER

// The libraries, opened once; null when either is missing or lacks an entry point,
// which the desktop services treat as having no display.
const X11Library* OpenX11Library();

// The extension's library, opened at the first snapshot; null when it is missing or
// incomplete, and snapshots then travel over the connection.
const X11ShmLibrary* OpenX11Shm();

// The monitor layout's library, opened at the first question about monitors; null
// when it is missing or incomplete, and the root window is then the one monitor.
const X11XineramaLibrary* OpenXinerama();

// The selections' table, opened at the first use of the clipboard; null when incomplete.
const X11SelectionLibrary* OpenXSelection();

// The opened table. Only code that holds an open display calls this, and a display
// is only ever opened through the table.
const X11Library& Xlib();

}  // namespace ml
