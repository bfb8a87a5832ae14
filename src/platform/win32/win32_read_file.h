// Reading the start of a file that a script names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ml {

// The first `limit` bytes of a file on a disk (named in the ANSI code page), all of it
// when shorter; false, and no bytes, for anything else. A folder is turned away before
// it is opened, a device or a pipe before anything is read from it.
bool ReadFileStart(const std::string& file, std::size_t limit, std::vector<std::uint8_t>& bytes);

}  // namespace ml
