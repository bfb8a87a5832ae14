// The system clipboard as Unicode text, converted from and to the script's code page.
#pragma once

#include <string>

namespace ml {

// The clipboard's text; empty when it holds none or stays held by another program.
std::string ReadClipboard();

// Makes the text the clipboard's only content; false when the clipboard stayed held
// by another program or the memory for the text could not be had.
bool WriteClipboard(const std::string& text);

}  // namespace ml
