// The coloured banner shown at the top of the command loop.
#pragma once

#include <string>

#include "core/interp.h"

namespace ml {

// Clears the screen and shows the product name, the build's word size, the version
// and the date, each piece in its colour, ending in the normal text colour.
void ShowBanner(Interp& in);

// The name the program is installed under: morrowlark64, or morrowlark32.
std::string ProgramName();
// The one line `--version` prints: the program's name, its version and its date.
std::string VersionText();

}  // namespace ml
