// The desk module's picture search: waiting for a picture to show in a window or on
// the desktop, and where it was found.
#pragma once

#include <string>

#include "core/interp.h"

namespace ml {

// Searches the window's client area (the whole desktop for window 0) for the picture file,
// with the tolerance (0..100), taking a fresh snapshot every 50 ms until the picture
// is found or the time is spent; true when found. A PNG picture's fully transparent
// pixels match anything. The centre of the match, in the coordinates searched, is
// kept in the desk state; a look that finds nothing forgets the last one. A picture
// larger than the desktop cannot show and is not waited for.
bool LookForPicture(Interp& in, WindowHandle window, const std::string& file, int tolerance, int milliseconds);

}  // namespace ml
