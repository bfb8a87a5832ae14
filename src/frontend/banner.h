// The coloured banner shown at the top of the command loop.
#pragma once

#include "core/interp.h"

namespace ml {

// Clears the screen and shows the product name, the build's word size, the version
// and the date, each piece in its colour, ending in the normal text colour.
void ShowBanner(Interp& in);

}  // namespace ml
