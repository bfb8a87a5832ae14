#include "automation/key_names.h"

#include <array>
#include <charconv>

namespace ml {

namespace {

struct KeyName {
    std::string_view name;
    int virtualKey;
};

// The punctuation keys carry the names of their unshifted characters on a US keyboard.
constexpr std::array<KeyName, 31> kNamedKeys = {{
    {"enter", 0x0D},     {"tab", 0x09},        {"esc", 0x1B},       {"space", 0x20},      {"backspace", 0x08},
    {"delete", 0x2E},    {"insert", 0x2D},     {"home", 0x24},      {"end", 0x23},        {"pageup", 0x21},
    {"pagedown", 0x22},  {"left", 0x25},       {"up", 0x26},        {"right", 0x27},      {"down", 0x28},
    {"shift", 0x10},     {"ctrl", 0x11},       {"alt", 0x12},       {"win", 0x5B},        {"semicolon", 0xBA},
    {"equals", 0xBB},    {"comma", 0xBC},      {"minus", 0xBD},     {"period", 0xBE},     {"slash", 0xBF},
    {"backquote", 0xC0}, {"leftbracket", 0xDB}, {"backslash", 0xDC}, {"rightbracket", 0xDD}, {"quote", 0xDE},
    {"capslock", 0x14},
}};

constexpr int kF1 = 0x70;
constexpr int kFunctionKeys = 24;

// f1 to f24; none for anything else, f0 and f01 included.
std::optional<int> FunctionKey(std::string_view name) {
    if (name.size() < 2 || name[0] != 'f' || name[1] == '0') return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
    if (error != std::errc() || end != name.data() + name.size() || number < 1 || number > kFunctionKeys)
        return std::nullopt;
    return kF1 + number - 1;
}

}  // namespace

std::optional<int> VirtualKeyOfName(std::string_view lowerName) {
    if (lowerName.size() == 1) {
        const char c = lowerName[0];
        if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
        if (c >= '0' && c <= '9') return c;
    }
    for (const KeyName& key : kNamedKeys)
        if (key.name == lowerName) return key.virtualKey;
    return FunctionKey(lowerName);
}

}  // namespace ml
