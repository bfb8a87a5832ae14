// The server's keyboard map as typing reads it, and the spare keys typing lends
// characters to for a while.
#pragma once

#include <utility>
#include <vector>

#include "platform/posix/x11_library.h"

namespace ml {

// The server's keyboard map: for each key code from minKeycode on, perKey keysyms
// (without and with Shift first).
struct KeyboardMap {
    int minKeycode = 0;
    int perKey = 0;
    std::vector<KeySym> keysyms;

    int keys() const { return perKey == 0 ? 0 : static_cast<int>(keysyms.size()) / perKey; }
    KeySym at(int keycode, int column) const;
};

// Spare keys and the characters they are lent.
using LentKeys = std::vector<std::pair<KeyCode, KeySym>>;

KeyboardMap ReadKeyboardMap(Display* display);

// Gives each of the keys the character lent to it, in every column so that Shift
// makes no difference, or nothing when it is not lent; and waits until the server
// has done so.
void WriteLentKeys(Display* display, int perKey, const std::vector<KeyCode>& keys, const LentKeys& lent);

}  // namespace ml
