#include "platform/posix/wayland_library.h"

#include "platform/posix/bound_symbol.h"

namespace ml {

namespace {

Loaded<WaylandLibrary> Load() {
    Loaded<WaylandLibrary> loaded;
    void* client = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
    void* xkb = client == nullptr ? nullptr : dlopen("libxkbcommon.so.0", RTLD_NOW | RTLD_LOCAL);
    if (xkb == nullptr) return loaded;
    bool complete = true;
#define ML_WAYLAND_BIND(name) complete = BindSymbol(client, #name, loaded.table.name) && complete;
    ML_WAYLAND_FUNCTIONS(ML_WAYLAND_BIND)
#undef ML_WAYLAND_BIND
#define ML_WAYLAND_BIND(name) complete = BindSymbol(xkb, #name, loaded.table.name) && complete;
    ML_XKB_FUNCTIONS(ML_WAYLAND_BIND)
#undef ML_WAYLAND_BIND
    loaded.complete = complete;
    return loaded;
}

const Loaded<WaylandLibrary>& Libraries() {
    static const Loaded<WaylandLibrary> loaded = Load();
    return loaded;
}

}  // namespace

const WaylandLibrary* OpenWaylandLibrary() {
    const Loaded<WaylandLibrary>& loaded = Libraries();
    return loaded.ifComplete();
}

const WaylandLibrary& Wayland() { return Libraries().table; }

}  // namespace ml
