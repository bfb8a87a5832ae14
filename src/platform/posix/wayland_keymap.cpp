#include "platform/posix/wayland_keymap.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>

#include "platform/posix/x11_keys.h"

namespace ml {

namespace {

// What Shift gives on the keys of a US keyboard, as scripts written against one
// expect a chord with Shift to type.
constexpr KeymapKey kUsShifted[] = {
    {XK_1, XK_exclam},           {XK_2, XK_at},
    {XK_3, XK_numbersign},       {XK_4, XK_dollar},
    {XK_5, XK_percent},          {XK_6, XK_asciicircum},
    {XK_7, XK_ampersand},        {XK_8, XK_asterisk},
    {XK_9, XK_parenleft},        {XK_0, XK_parenright},
    {XK_minus, XK_underscore},   {XK_equal, XK_plus},
    {XK_bracketleft, XK_braceleft}, {XK_bracketright, XK_braceright},
    {XK_backslash, XK_bar},      {XK_semicolon, XK_colon},
    {XK_apostrophe, XK_quotedbl}, {XK_comma, XK_less},
    {XK_period, XK_greater},     {XK_slash, XK_question},
    {XK_grave, XK_asciitilde},
};

std::uint32_t ShiftedOf(std::uint32_t keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return keysym - XK_a + XK_A;
    for (const KeymapKey& pair : kUsShifted)
        if (pair.keysym == keysym) return pair.shifted;
    return 0;
}

// The modifier each modifier key sets: XKB reads it from the symbols' modifier map.
struct ModifierKey {
    std::uint32_t keysym;
    const char* modifier;
};

constexpr ModifierKey kModifierKeys[] = {
    {XK_Shift_L, "Shift"},  {XK_Shift_R, "Shift"},   {XK_Control_L, "Control"}, {XK_Control_R, "Control"},
    {XK_Alt_L, "Mod1"},     {XK_Alt_R, "Mod1"},      {XK_Super_L, "Mod4"},      {XK_Super_R, "Mod4"},
    {XK_Caps_Lock, "Lock"}, {XK_Num_Lock, "Mod2"},
};

// XKB numbers the real modifiers Shift, Lock, Control, Mod1 to Mod5.
std::uint32_t ModifierBit(std::string_view modifier) {
    constexpr std::string_view kReal[] = {"Shift", "Lock", "Control", "Mod1", "Mod2", "Mod3", "Mod4", "Mod5"};
    for (std::uint32_t i = 0; i < std::size(kReal); ++i)
        if (kReal[i] == modifier) return 1u << i;
    return 0;
}

std::string KeyName(std::size_t index) { return "<K" + std::to_string(index + WaylandKeymap::kFirstCode) + ">"; }

std::string KeysymName(KeysymNamer name, std::uint32_t keysym) {
    char buffer[64];
    if (name(keysym, buffer, sizeof buffer) <= 0) std::snprintf(buffer, sizeof buffer, "0x%08x", keysym);
    return buffer;
}

}  // namespace

std::uint32_t HeldModifierOf(std::uint32_t keysym) {
    if (keysym == XK_Caps_Lock || keysym == XK_Num_Lock) return 0;
    for (const ModifierKey& key : kModifierKeys)
        if (key.keysym == keysym) return ModifierBit(key.modifier);
    return 0;
}

WaylandKeymap::WaylandKeymap() {
    for (std::uint32_t virtualKey = 0; virtualKey < 256; ++virtualKey) {
        const auto keysym = static_cast<std::uint32_t>(KeysymOfVirtualKey(virtualKey));
        const bool known = std::any_of(keys_.begin(), keys_.end(), [keysym](const KeymapKey& key) {
            return key.keysym == keysym;
        });
        if (keysym != 0 && !known) keys_.push_back({keysym, ShiftedOf(keysym)});
    }
    baseKeys_ = keys_.size();
}

std::optional<std::uint32_t> WaylandKeymap::codeOf(std::uint32_t keysym) {
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i].keysym == keysym) return static_cast<std::uint32_t>(i + kFirstCode);
    if (keys_.size() == kMostKeys) return std::nullopt;
    keys_.push_back({keysym, 0});
    changed_ = true;
    return static_cast<std::uint32_t>(keys_.size() - 1 + kFirstCode);
}

void WaylandKeymap::forgetAdded() {
    changed_ = changed_ || keys_.size() > baseKeys_;
    keys_.resize(baseKeys_);
}

std::string WaylandKeymap::text(KeysymNamer name) {
    changed_ = false;
    std::string codes, symbols, modifiers;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        codes += "  " + KeyName(i) + " = " + std::to_string(i + kFirstCode + 8) + ";\n";
        symbols += "  key " + KeyName(i) + " { [ " + KeysymName(name, keys_[i].keysym);
        if (keys_[i].shifted != 0) symbols += ", " + KeysymName(name, keys_[i].shifted);
        symbols += " ] };\n";
        for (const ModifierKey& modifier : kModifierKeys)
            if (modifier.keysym == keys_[i].keysym)
                modifiers += "  modifier_map " + std::string(modifier.modifier) + " { " + KeyName(i) + " };\n";
    }
    return "xkb_keymap {\n"
           "xkb_keycodes \"morrowlark\" {\n  minimum = 8;\n  maximum = 255;\n" + codes + "};\n"
           "xkb_types \"morrowlark\" { include \"complete\" };\n"
           "xkb_compatibility \"morrowlark\" { include \"complete\" };\n"
           "xkb_symbols \"morrowlark\" {\n" + symbols + modifiers + "};\n"
           "};\n" + std::string(1, '\0');
}

}  // namespace ml
