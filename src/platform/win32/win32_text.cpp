#include "platform/win32/win32_text.h"

#include <climits>

namespace ml {

std::wstring ToWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (units <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    if (MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), units) != units) return {};
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide) {
    if (wide.empty() || wide.size() > INT_MAX) return {};
    const int units = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(codePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string text(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(codePage, 0, wide.data(), units, text.data(), bytes, nullptr, nullptr) != bytes) {
        return {};
    }
    return text;
}

UINT ScriptCodePage() {
    const UINT codePage = GetConsoleOutputCP();
    return codePage != 0 ? codePage : CP_ACP;
}

}  // namespace ml
