#include "platform/posix/x11_library.h"

#include "platform/posix/bound_symbol.h"

namespace ml {

namespace {

Loaded<X11Library> Load() {
    Loaded<X11Library> loaded;
    void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    void* xtest = xlib == nullptr ? nullptr : dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
    if (xtest == nullptr) return loaded;
    X11Library& table = loaded.table;
    bool complete = true;
#define ML_X11_BIND(name) complete = BindSymbol(xlib, #name, table.name) && complete;
    ML_XLIB_FUNCTIONS(ML_X11_BIND)
#undef ML_X11_BIND
#define ML_X11_BIND(name) complete = BindSymbol(xtest, #name, table.name) && complete;
    ML_XTEST_FUNCTIONS(ML_X11_BIND)
#undef ML_X11_BIND
    loaded.complete = complete;
    return loaded;
}

const Loaded<X11Library>& Libraries() {
    static const Loaded<X11Library> loaded = Load();
    return loaded;
}

ML_LIBRARY_LOADER(X11ShmLibrary, "libXext.so.6", ML_XSHM_FUNCTIONS)
ML_LIBRARY_LOADER(X11XineramaLibrary, "libXinerama.so.1", ML_XINERAMA_FUNCTIONS)
ML_LIBRARY_LOADER(X11SelectionLibrary, "libX11.so.6", ML_XSELECTION_FUNCTIONS)

}  // namespace

const X11Library* OpenX11Library() {
    const Loaded<X11Library>& loaded = Libraries();
    return loaded.ifComplete();
}

const X11Library& Xlib() { return Libraries().table; }

const X11ShmLibrary* OpenX11Shm() {
    static const Loaded<X11ShmLibrary> loaded = LoadX11ShmLibrary();
    return loaded.ifComplete();
}

const X11XineramaLibrary* OpenXinerama() {
    static const Loaded<X11XineramaLibrary> loaded = LoadX11XineramaLibrary();
    return loaded.ifComplete();
}

const X11SelectionLibrary* OpenXSelection() {
    static const Loaded<X11SelectionLibrary> loaded = LoadX11SelectionLibrary();
    return loaded.ifComplete();
}

}  // namespace ml
