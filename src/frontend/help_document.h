// The reference document that the HELP command writes to Help.txt.
#pragma once

#include <string_view>

namespace ml {

// The whole document in Traditional Chinese (UTF-8 here), line feeds as line ends.
std::string_view HelpDocument();

}  // namespace ml
