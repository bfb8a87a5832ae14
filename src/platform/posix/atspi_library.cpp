#include "platform/posix/atspi_library.h"

#include "platform/posix/bound_symbol.h"

namespace ml {

namespace {

// The GLib functions come from the libraries the accessibility library itself needs,
// which a lookup through its handle reaches.
ML_LIBRARY_LOADER(AtspiLibrary, "libatspi.so.0", ML_ATSPI_FUNCTIONS)

}  // namespace

const AtspiLibrary* OpenAtspi() {
    static const Loaded<AtspiLibrary> loaded = LoadAtspiLibrary();
    return loaded.ifComplete();
}

}  // namespace ml
