#include "platform/win32/win32_clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/win32_text.h"

namespace ml {

namespace {

// Another program may hold the clipboard for a moment while it copies.
constexpr int kOpenTries = 20;
constexpr DWORD kOpenPause = 25;

// Opens the clipboard for the window, trying again while another program holds it.
bool OpenClipboardFor(HWND owner) {
    for (int tries = 0; tries < kOpenTries; ++tries) {
        if (OpenClipboard(owner)) return true;
        Sleep(kOpenPause);
    }
    return false;
}

// The clipboard's owner: emptied without one, the clipboard refuses new content.
class OwnerWindow {
public:
    OwnerWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~OwnerWindow() {
        if (window_ != nullptr) DestroyWindow(window_);
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND handle() const { return window_; }

private:
    HWND window_;
};

// The text in movable memory, as the clipboard takes it; null when none could be had.
HGLOBAL CopyToMemory(const std::wstring& wide) {
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* at = memory == nullptr ? nullptr : GlobalLock(memory);
    if (at == nullptr) {
        if (memory != nullptr) GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(at, wide.c_str(), bytes);
    GlobalUnlock(memory);
    return memory;
}

// The text the memory holds, up to its first NUL and never past its end, whatever
// another program left in it.
std::wstring TextOfMemory(HGLOBAL memory) {
    const auto* at = static_cast<const wchar_t*>(GlobalLock(memory));
    if (at == nullptr) return {};
    const std::size_t units = GlobalSize(memory) / sizeof(wchar_t);
    std::wstring text(at, wcsnlen(at, units));
    GlobalUnlock(memory);
    return text;
}

}  // namespace

std::string ReadClipboard() {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboardFor(nullptr)) return {};
    HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    const std::wstring text = memory == nullptr ? std::wstring() : TextOfMemory(memory);
    CloseClipboard();
    return FromWide(ScriptCodePage(), text);
}

// The system keeps the memory once it is on the clipboard, so the text outlives us.
bool WriteClipboard(const std::string& text) {
    const OwnerWindow owner;
    if (owner.handle() == nullptr || !OpenClipboardFor(owner.handle())) return false;
    HGLOBAL memory = CopyToMemory(ToWide(ScriptCodePage(), text));
    const bool written = memory != nullptr && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!written && memory != nullptr) GlobalFree(memory);
    CloseClipboard();
    return written;
}

}  // namespace ml
