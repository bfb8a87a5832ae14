// Typed lookup of the functions of a library opened with dlopen.
#pragma once

#include <dlfcn.h>

namespace ml {

// Sets the function pointer to the library's symbol; false (and null) when it has none.
template <class F>
bool BindSymbol(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

// A table of entry points, and whether every one of them was found.
template <class Table>
struct Loaded {
    Table table;
    bool complete = false;

    // The table where every entry point was found; null otherwise.
    const Table* ifComplete() const { return complete ? &table : nullptr; }
};

}  // namespace ml

// Defines Loaded<Table> Load##Table(): the library file opened, and each entry point
// the list names bound into the table.
#define ML_LIBRARY_LOADER(Table, file, FUNCTIONS)                                              \
    Loaded<Table> Load##Table() {                                                              \
        Loaded<Table> loaded;                                                                  \
        void* library = dlopen(file, RTLD_NOW | RTLD_LOCAL);                                   \
        if (library == nullptr) return loaded;                                                 \
        bool complete = true;                                                                  \
        FUNCTIONS(ML_LIBRARY_BIND)                                                             \
        loaded.complete = complete;                                                            \
        return loaded;                                                                         \
    }
#define ML_LIBRARY_BIND(name) complete = ::ml::BindSymbol(library, #name, loaded.table.name) && complete;
