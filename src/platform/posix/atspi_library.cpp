#include "platform/posix/atspi_library.h"

#include "platform/posix/bound_symbol.h"

namespace ml {

namespace {

struct LoadedAtspi {
    AtspiLibrary table;
    bool complete = false;
};

// The GLib functions come from the libraries the accessibility library itself needs,
// which a lookup through its handle reaches.
LoadedAtspi Load() {
    LoadedAtspi loaded;
    void* library = dlopen("libatspi.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return loaded;
    bool complete = true;
#define ML_ATSPI_BIND(name) complete = BindSymbol(library, #name, loaded.table.name) && complete;
    ML_ATSPI_FUNCTIONS(ML_ATSPI_BIND)
#undef ML_ATSPI_BIND
    loaded.complete = complete;
    return loaded;
}

}  // namespace

const AtspiLibrary* OpenAtspi() {
    static const LoadedAtspi loaded = Load();
    return loaded.complete ? &loaded.table : nullptr;
}

}  // namespace ml
