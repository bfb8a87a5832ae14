#include "platform/win32/win32_typing.h"

#include <vector>

#include "platform/win32/win32_text.h"

namespace ml {

namespace {

// What a UTF-16 unit of the text types: Enter or Tab as keys, a character, or nothing
// (other control characters).
enum class Typed { Nothing, Key, Character };

Typed Classify(wchar_t unit, WORD& key) {
    if (unit == L'\n' || unit == L'\r') return key = VK_RETURN, Typed::Key;
    if (unit == L'\t') return key = VK_TAB, Typed::Key;
    if (unit < 0x20 || unit == 0x7F) return Typed::Nothing;
    return Typed::Character;
}

void AddKey(std::vector<INPUT>& inputs, WORD key, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
}

// Each UTF-16 unit goes as its own Unicode key, surrogate halves included; the system
// joins the pair.
void Synthesise(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        WORD key = 0;
        const Typed typed = Classify(text[i], key);
        if (typed == Typed::Key) {
            const WORD scan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
            AddKey(inputs, key, scan, 0);
            AddKey(inputs, key, scan, KEYEVENTF_KEYUP);
        } else if (typed == Typed::Character) {
            AddKey(inputs, 0, text[i], KEYEVENTF_UNICODE);
            AddKey(inputs, 0, text[i], KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
        }
    }
    if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Enter arrives as the carriage return a key press of it makes.
void Post(HWND window, const std::wstring& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        WORD key = 0;
        const Typed typed = Classify(text[i], key);
        if (typed == Typed::Nothing) continue;
        const wchar_t character = typed == Typed::Key ? (key == VK_RETURN ? L'\r' : L'\t') : text[i];
        PostMessageW(window, WM_CHAR, character, 1);
    }
}

}  // namespace

void TypeText(HWND window, const std::string& text) {
    const std::wstring wide = ToWide(ScriptCodePage(), text);
    if (window == nullptr) {
        Synthesise(wide);
    } else {
        Post(window, wide);
    }
}

}  // namespace ml
