// Replacing the whole content of a file so that a failure leaves the file as it was.
#pragma once

#include <string>

#include "platform/platform.h"

namespace ml {

// Writes the pieces into a new file in the folder of the file (named in the ANSI code
// page) and moves it over the file once all of them are written. A folder, or a
// symbolic link or junction, is left alone; a device refuses to be replaced.
FileWrite ReplaceWholeFile(const std::string& file, FilePieces pieces);

}  // namespace ml
