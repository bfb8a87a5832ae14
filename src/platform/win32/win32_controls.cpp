#include "platform/win32/win32_controls.h"

#include <array>

#include "platform/win32/win32_text.h"

namespace ml {

namespace {

// A program that stopped answering must not hold the script: each message to another
// program's window waits this long at most.
constexpr UINT kAnswerMilliseconds = 2000;
// Enough characters for a value in any code page.
constexpr std::size_t kTextUnits = 1024;
// A window with more controls than this is no dialog a script picks from by name.
constexpr std::size_t kMostControls = 4096;

WindowHandle FromHwnd(HWND window) { return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(window)); }

std::string ClassOf(HWND window) {
    std::array<wchar_t, 256> name{};
    const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return FromWide(CP_ACP, std::wstring_view(name.data(), length > 0 ? static_cast<std::size_t>(length) : 0));
}

// Children before the next sibling, as a reader of the window meets them.
void AddControls(HWND parent, std::vector<Control>& controls) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr && controls.size() < kMostControls;
         child = GetWindow(child, GW_HWNDNEXT)) {
        controls.push_back({FromHwnd(child), ClassOf(child), TextOfWindow(child), true});
        AddControls(child, controls);
    }
}

}  // namespace

std::vector<Control> ChildControls(HWND window) {
    std::vector<Control> controls;
    AddControls(window, controls);
    return controls;
}

// The buffer's size goes with the message, so the text never runs past it; a window
// that answers with a longer length than it wrote is held to what it wrote.
std::string TextOfWindow(HWND window) {
    std::array<wchar_t, kTextUnits> text{};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kAnswerMilliseconds, &copied)) {
        return {};
    }
    text.back() = L'\0';
    return FromWide(ScriptCodePage(), std::wstring_view(text.data(), wcsnlen(text.data(), text.size())));
}

void SetTextOfWindow(HWND window, const std::string& text) {
    const std::wstring wide = ToWide(ScriptCodePage(), text);
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG,
                        kAnswerMilliseconds, nullptr);
}

void PushButton(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

}  // namespace ml
