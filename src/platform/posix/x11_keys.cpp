#include "platform/posix/x11_keys.h"

#include <X11/keysym.h>

#include <array>

namespace ml {

namespace {

struct KeyEntry {
    unsigned long keysym = 0;
    std::uint8_t scan = 0;
};

using KeyTable = std::array<KeyEntry, 256>;

// Scan codes of the letter keys follow the rows of the keyboard, not the alphabet.
constexpr void AddLetterRow(KeyTable& table, const char* row, std::uint8_t firstScan) {
    for (int i = 0; row[i] != '\0'; ++i) {
        const auto letter = static_cast<unsigned char>(row[i]);
        table[letter] = {static_cast<unsigned long>(XK_a + (letter - 'A')), static_cast<std::uint8_t>(firstScan + i)};
    }
}

constexpr void AddNamedKeys(KeyTable& t) {
    t[0x08] = {XK_BackSpace, 0x0E};
    t[0x09] = {XK_Tab, 0x0F};
    t[0x0C] = {XK_Clear, 0x4C};
    t[0x0D] = {XK_Return, 0x1C};
    t[0x10] = {XK_Shift_L, 0x2A};
    t[0x11] = {XK_Control_L, 0x1D};
    t[0x12] = {XK_Alt_L, 0x38};
    t[0x13] = {XK_Pause, 0x45};
    t[0x14] = {XK_Caps_Lock, 0x3A};
    t[0x1B] = {XK_Escape, 0x01};
    t[0x20] = {XK_space, 0x39};
    t[0x21] = {XK_Prior, 0x49};
    t[0x22] = {XK_Next, 0x51};
    t[0x23] = {XK_End, 0x4F};
    t[0x24] = {XK_Home, 0x47};
    t[0x25] = {XK_Left, 0x4B};
    t[0x26] = {XK_Up, 0x48};
    t[0x27] = {XK_Right, 0x4D};
    t[0x28] = {XK_Down, 0x50};
    t[0x2C] = {XK_Print, 0x54};
    t[0x2D] = {XK_Insert, 0x52};
    t[0x2E] = {XK_Delete, 0x53};
    t[0x5B] = {XK_Super_L, 0x5B};
    t[0x5C] = {XK_Super_R, 0x5C};
    t[0x5D] = {XK_Menu, 0x5D};
    t[0x90] = {XK_Num_Lock, 0x45};
    t[0x91] = {XK_Scroll_Lock, 0x46};
    t[0xA0] = {XK_Shift_L, 0x2A};
    t[0xA1] = {XK_Shift_R, 0x36};
    t[0xA2] = {XK_Control_L, 0x1D};
    t[0xA3] = {XK_Control_R, 0x1D};
    t[0xA4] = {XK_Alt_L, 0x38};
    t[0xA5] = {XK_Alt_R, 0x38};
}

constexpr void AddNumberPad(KeyTable& t) {
    constexpr std::uint8_t digitScans[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    for (int i = 0; i < 10; ++i) t[0x60 + i] = {XK_KP_0 + static_cast<unsigned long>(i), digitScans[i]};
    t[0x6A] = {XK_KP_Multiply, 0x37};
    t[0x6B] = {XK_KP_Add, 0x4E};
    t[0x6C] = {XK_KP_Separator, 0x00};
    t[0x6D] = {XK_KP_Subtract, 0x4A};
    t[0x6E] = {XK_KP_Decimal, 0x53};
    t[0x6F] = {XK_KP_Divide, 0x35};
}

constexpr void AddFunctionKeys(KeyTable& t) {
    for (int i = 0; i < 24; ++i) {
        // F1 to F10 are consecutive, F11 and F12 came later; F13 and up have no
        // code on a US keyboard layout.
        const std::uint8_t scan = i < 10 ? static_cast<std::uint8_t>(0x3B + i) : i == 10 ? 0x57 : i == 11 ? 0x58 : 0;
        t[0x70 + i] = {XK_F1 + static_cast<unsigned long>(i), scan};
    }
}

constexpr void AddPunctuation(KeyTable& t) {
    t[0xBA] = {XK_semicolon, 0x27};
    t[0xBB] = {XK_equal, 0x0D};
    t[0xBC] = {XK_comma, 0x33};
    t[0xBD] = {XK_minus, 0x0C};
    t[0xBE] = {XK_period, 0x34};
    t[0xBF] = {XK_slash, 0x35};
    t[0xC0] = {XK_grave, 0x29};
    t[0xDB] = {XK_bracketleft, 0x1A};
    t[0xDC] = {XK_backslash, 0x2B};
    t[0xDD] = {XK_bracketright, 0x1B};
    t[0xDE] = {XK_apostrophe, 0x28};
    t[0xE2] = {XK_less, 0x56};
}

constexpr KeyTable BuildKeyTable() {
    KeyTable table{};
    table['0'] = {XK_0, 0x0B};
    for (int digit = 1; digit <= 9; ++digit) {
        table['0' + digit] = {XK_0 + static_cast<unsigned long>(digit), static_cast<std::uint8_t>(1 + digit)};
    }
    AddLetterRow(table, "QWERTYUIOP", 0x10);
    AddLetterRow(table, "ASDFGHJKL", 0x1E);
    AddLetterRow(table, "ZXCVBNM", 0x2C);
    AddNamedKeys(table);
    AddNumberPad(table);
    AddFunctionKeys(table);
    AddPunctuation(table);
    return table;
}

constexpr KeyTable kKeys = BuildKeyTable();

}  // namespace

unsigned long KeysymOfVirtualKey(std::uint32_t virtualKey) {
    return virtualKey < kKeys.size() ? kKeys[virtualKey].keysym : 0;
}

std::uint32_t ScanCodeOfVirtualKey(std::uint32_t virtualKey) {
    return virtualKey < kKeys.size() ? kKeys[virtualKey].scan : 0;
}

}  // namespace ml
