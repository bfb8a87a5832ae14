#include "platform/posix/x11_keymap.h"

#include <X11/XKBlib.h>

#include <algorithm>

namespace ml {

namespace {

KeySym LentTo(const LentKeys& lent, KeyCode key) {
    const auto found = std::find_if(lent.begin(), lent.end(), [key](const auto& pair) { return pair.first == key; });
    return found == lent.end() ? NoSymbol : found->second;
}

// One level and one group hold the whole character; no group holds nothing.
bool SetKey(XkbDescPtr xkb, KeyCode key, KeySym keysym) {
    KeySym* syms = Xlib().XkbResizeKeySyms(xkb, key, keysym == NoSymbol ? 0 : 1);
    if (syms == nullptr) return false;
    XkbSymMapRec& entry = xkb->map->key_sym_map[key];
    entry.kt_index[0] = XkbOneLevelIndex;
    entry.group_info = keysym == NoSymbol ? 0 : XkbSetGroupInfo(1, XkbWrapIntoRange, 0);
    entry.width = 1;
    if (keysym != NoSymbol) syms[0] = keysym;
    return true;
}

// Clients read the whole changed map again for every change they are told of, and
// they may still be doing so when the next batch is lent: a request for each key
// made that a burst of dozens of rereads. XKB changes the span of keys in one
// request, the keys between the lent ones sent back as the server gave them. False
// when the server has no XKB.
bool WriteAtOnce(Display* display, const std::vector<KeyCode>& keys, const LentKeys& lent) {
    XkbDescPtr xkb = Xlib().XkbGetMap(display, XkbKeySymsMask, XkbUseCoreKbd);
    if (xkb == nullptr) return false;
    bool set = xkb->map != nullptr;
    for (const KeyCode key : keys)
        set = set && key >= xkb->min_key_code && key <= xkb->max_key_code && SetKey(xkb, key, LentTo(lent, key));
    const auto [first, last] = std::minmax_element(keys.begin(), keys.end());
    XkbMapChangesRec changes{};
    changes.changed = XkbKeySymsMask;
    changes.first_key_sym = *first;
    changes.num_key_syms = static_cast<unsigned char>(*last - *first + 1);
    const bool written = set && Xlib().XkbChangeMap(display, xkb, &changes);
    Xlib().XkbFreeKeyboard(xkb, XkbAllComponentsMask, True);
    return written;
}

void WriteOneByOne(Display* display, int perKey, const std::vector<KeyCode>& keys, const LentKeys& lent) {
    for (const KeyCode key : keys) {
        std::vector<KeySym> columns(static_cast<std::size_t>(perKey), LentTo(lent, key));
        Xlib().XChangeKeyboardMapping(display, key, perKey, columns.data(), 1);
    }
}

}  // namespace

KeySym KeyboardMap::at(int keycode, int column) const {
    const int key = keycode - minKeycode;
    if (key < 0 || key >= keys() || column < 0 || column >= perKey) return NoSymbol;
    return keysyms[static_cast<std::size_t>(key) * static_cast<std::size_t>(perKey) + static_cast<std::size_t>(column)];
}

KeyboardMap ReadKeyboardMap(Display* display) {
    KeyboardMap map;
    int minKeycode = 0, maxKeycode = 0, perKey = 0;
    Xlib().XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    KeySym* keysyms = Xlib().XGetKeyboardMapping(display, static_cast<KeyCode>(minKeycode),
                                                 maxKeycode - minKeycode + 1, &perKey);
    if (keysyms == nullptr) return map;
    map.minKeycode = minKeycode;
    map.perKey = perKey;
    map.keysyms.assign(keysyms, keysyms + static_cast<std::size_t>(maxKeycode - minKeycode + 1) * static_cast<std::size_t>(perKey));
    Xlib().XFree(keysyms);
    return map;
}

void WriteLentKeys(Display* display, int perKey, const std::vector<KeyCode>& keys, const LentKeys& lent) {
    if (keys.empty()) return;
    if (!WriteAtOnce(display, keys, lent)) WriteOneByOne(display, perKey, keys, lent);
    Xlib().XSync(display, False);
}

}  // namespace ml
