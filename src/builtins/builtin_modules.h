// The modules of this folder: console, strings, time, math and files.
#pragma once

#include "core/builtin.h"

namespace ml {

// Each module's table, defined beside its functions.
const ModuleDef& DosModule();
const ModuleDef& StringModule();
const ModuleDef& TimeModule();
const ModuleDef& MathModule();
const ModuleDef& FileModule();

// Closes the files the script left open for writing, with the fatal report of a write
// that did not reach its file.
void CloseFiles(Interp& in);

}  // namespace ml
