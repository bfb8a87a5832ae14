// The names of keys that scripts may give instead of virtual-key numbers.
#pragma once

#include <optional>
#include <string_view>

namespace ml {

// The virtual-key number of a key name in lower case; none for an unknown name.
std::optional<int> VirtualKeyOfName(std::string_view lowerName);

}  // namespace ml
