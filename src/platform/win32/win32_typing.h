// Typing a text on Windows: Unicode key input for the whole desktop, character
// messages for one window.
#pragma once

#include <windows.h>

#include <string>

namespace ml {

// Types the text, in the console's code page; window null: synthesised input.
void TypeText(HWND window, const std::string& text);

}  // namespace ml
