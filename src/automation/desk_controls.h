// The desk module's controls: buttons and text fields found by their caption or class,
// read, set and pressed through the platform rather than through pixels.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/interp.h"

namespace ml {

// The caption as it reads on the screen: each & that marks an access key left out, and
// && read as one &.
std::string WithoutAccessMarks(std::string_view text);

// The control a name picks among controls listed depth first: the first whose caption
// (access marks left out) equals the name or whose class equals it, the class compared
// without regard to ASCII case as the system compares classes; failing that, for a name
// "Class#N", the N-th control of that class, counted from 1. 0 when none.
WindowHandle PickControl(const std::vector<Control>& controls, std::string_view name);

// Fails with "FUNCTION -> Not a window or control: HANDLE" unless the handle names a
// window or control that exists; the handle is shown as the script gave it.
void RequireWindowOrControl(Interp& in, std::string_view function, WindowHandle handle, std::string_view given);

// The control of the window that the name picks; 0 when none, and when the window's
// controls cannot be reached, which is told once a run on standard error.
WindowHandle FindControl(Interp& in, WindowHandle window, std::string_view name);

}  // namespace ml
