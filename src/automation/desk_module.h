// The desk module: typing text, key names, waiting for and listing windows, their
// titles and rectangles, moving and closing them, clicks of any button, the wheel,
// captures to PNG or bitmap files, and waiting for a picture and where it was found.
#pragma once

#include "core/builtin.h"

namespace ml {

const ModuleDef& DeskModule();

}  // namespace ml
