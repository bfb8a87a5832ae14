#include "frontend/help_document.h"

namespace ml {

namespace {

// The document grows section by section; each section heading is 50 underscores
// followed by the title in parentheses.
constexpr std::string_view kDocument =
    "__________________________________________________( 程式參考重點 )\n"
    "\n"
    "Character Byte: 一行最多可以寫 256 個字符。\n"
    "Variable  Byte: 最多可以使用 4096 個變量。\n"
    "Ranks     Byte: 腳本最多可以有 8192 行。\n";

}  // namespace

std::string_view HelpDocument() { return kDocument; }

}  // namespace ml
