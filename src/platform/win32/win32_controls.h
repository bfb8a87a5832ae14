// The controls of a window on Windows: its child windows, their classes and texts, read
// and set with window messages that work across processes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace ml {

// The window's child windows, depth first, each with its class and text.
std::vector<Control> ChildControls(HWND window);

// What the window holds (WM_GETTEXT): an edit control's content, a button's caption.
std::string TextOfWindow(HWND window);

// Replaces the window's text (WM_SETTEXT).
void SetTextOfWindow(HWND window, const std::string& text);

// Presses the button as a click on it would, posted so that a prompt the press opens
// does not hold the script.
void PushButton(HWND button);

}  // namespace ml
