// `--check`: a script and its imports are loaded, nothing runs, and every load error
// and every trap the script's text shows is reported, each at its place.
#pragma once

#include <string>

#include "check/finding.h"
#include "core/interp.h"

namespace ml {

// Loads the open script file named `name` into a fresh interpreter, keeping every
// load error, and reads each loaded piece for the traps. Gives the findings in the
// order of the files and their lines.
Findings CheckScript(Interp& in, File& file, const std::string& name);

}  // namespace ml
