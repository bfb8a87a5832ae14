// Replacing the whole content of a file so that a failure leaves the file as it was.
#pragma once

#include <string>

#include "platform/platform.h"

namespace ml {

// Writes the pieces into a new file in the folder of the file and renames it over the
// file once all of them are written. A symbolic link is followed to the file it names,
// which is the one replaced; a name that belongs to anything but a regular file (a
// folder, a device, a link to one) is left alone. A replaced file keeps its rights.
FileWrite ReplaceWholeFile(const std::string& file, FilePieces pieces);

}  // namespace ml
