// The keyboard a virtual keyboard uploads to the compositor. Wayland has no keyboard
// map to borrow keys from: the client describes its own keys in XKB's text form.
// Every virtual key gets its key, letters, digits and punctuation with the character
// Shift gives on a US keyboard; a character that no key gives at its first level gets
// a key of its own, added when it is first needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ml {

// Writes the name XKB gives a keysym into the buffer (libxkbcommon's
// xkb_keysym_get_name); a negative result when it has none.
using KeysymNamer = int (*)(std::uint32_t keysym, char* buffer, std::size_t size);

struct KeymapKey {
    std::uint32_t keysym = 0;   // at the first level
    std::uint32_t shifted = 0;  // at the second, with Shift; 0 for a key of one level
};

// The bit a modifier key sets in the modifier state while it is held (XKB's real
// modifiers: Shift 1, Control 4, Mod1 8 for Alt, Mod4 64 for the logo key); 0 for
// other keys, the locks included.
std::uint32_t HeldModifierOf(std::uint32_t keysym);

class WaylandKeymap {
public:
    // Keycodes are the evdev codes the compositor is sent, which XKB numbers 8 higher;
    // XKB's text form takes key codes up to 255.
    static constexpr std::uint32_t kFirstCode = 1;
    static constexpr std::size_t kMostKeys = 255 - 8 - kFirstCode + 1;

    WaylandKeymap();
    // The code of the key whose first level gives the keysym, a key added for it when
    // none does yet; nothing when every code is taken by such added keys, which the
    // next text then forgets (forgetAdded).
    std::optional<std::uint32_t> codeOf(std::uint32_t keysym);
    // Gives back the codes of the keys added for characters, for a text that needs
    // more of them than fit.
    void forgetAdded();
    // Whether keys were added or forgotten since the last text.
    bool changed() const { return changed_; }
    // The keymap in XKB's text form, nul-terminated as the protocol wants it.
    std::string text(KeysymNamer name);
    const std::vector<KeymapKey>& keys() const { return keys_; }

private:
    std::vector<KeymapKey> keys_;
    std::size_t baseKeys_ = 0;
    bool changed_ = true;
};

}  // namespace ml
