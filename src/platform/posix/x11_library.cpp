#include "platform/posix/x11_library.h"

#include "platform/posix/bound_symbol.h"

namespace ml {

namespace {

// A table of entry points, and whether every one of them was found.
template <class Table>
struct Loaded {
    Table table;
    bool complete = false;
};

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

Loaded<X11ShmLibrary> LoadShm() {
    Loaded<X11ShmLibrary> loaded;
    void* xext = dlopen("libXext.so.6", RTLD_NOW | RTLD_LOCAL);
    if (xext == nullptr) return loaded;
    bool complete = true;
#define ML_X11_BIND(name) complete = BindSymbol(xext, #name, loaded.table.name) && complete;
    ML_XSHM_FUNCTIONS(ML_X11_BIND)
#undef ML_X11_BIND
    loaded.complete = complete;
    return loaded;
}

}  // namespace

const X11Library* OpenX11Library() {
    const Loaded<X11Library>& loaded = Libraries();
    return loaded.complete ? &loaded.table : nullptr;
}

const X11Library& Xlib() { return Libraries().table; }

const X11ShmLibrary* OpenX11Shm() {
    static const Loaded<X11ShmLibrary> loaded = LoadShm();
    return loaded.complete ? &loaded.table : nullptr;
}

}  // namespace ml
