// The built-in modules in the order the dispatcher tries them.
#pragma once

#include <span>

#include "builtins/frame.h"

namespace ml {

std::span<const ModuleDef> Modules();

// Each module's table, defined beside its functions.
const ModuleDef& LibModule();
const ModuleDef& DosModule();
const ModuleDef& StringModule();
const ModuleDef& TimeModule();
const ModuleDef& MathModule();
const ModuleDef& FileModule();

// Closes the files the script left open for writing, with the fatal report of a write
// that did not reach its file.
void CloseFiles(Interp& in);

}  // namespace ml
