// Typed lookup of a function in a library opened with dlopen.
#pragma once

#include <dlfcn.h>

namespace ml {

// Sets the function pointer to the library's symbol; false (and null) when it has none.
template <class F>
bool BindSymbol(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

}  // namespace ml
