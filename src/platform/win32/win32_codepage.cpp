#include "platform/win32/win32_codepage.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/win32_text.h"

namespace ml {

namespace {

constexpr UINT kBig5 = 950;
constexpr UINT kGbk = 936;
constexpr LCID kChinesePrc = 0x0804;

}  // namespace

unsigned Win32CodePage::ansiCodePage() { return GetACP(); }

std::string Win32CodePage::fromUtf8(std::string_view utf8) {
    const std::string big5 = FromWide(kBig5, ToWide(CP_UTF8, utf8));
    return big5.empty() ? std::string(utf8) : big5;
}

std::string Win32CodePage::toSimplified(std::string_view traditional) {
    // The text goes through the conversions as a C string, terminator included, and
    // stops at an embedded NUL as any C string would.
    const std::string source(traditional.data(), traditional.size());
    if (source.empty()) return source;

    const int units = MultiByteToWideChar(kBig5, 0, source.c_str(), -1, nullptr, 0);
    if (units <= 0) return source;
    std::vector<wchar_t> wide(static_cast<std::size_t>(units) + 1, L'\0');
    if (MultiByteToWideChar(kBig5, 0, source.c_str(), -1, wide.data(), units) <= 0) return source;

    const int byteCount = WideCharToMultiByte(kGbk, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    if (byteCount <= 0) return source;
    std::vector<char> gbk(static_cast<std::size_t>(byteCount), '\0');
    if (WideCharToMultiByte(kGbk, 0, wide.data(), -1, gbk.data(), byteCount, nullptr, nullptr) <= 0) return source;

    std::vector<char> simplified(static_cast<std::size_t>(byteCount), '\0');
    const int mapped = LCMapStringA(kChinesePrc, LCMAP_SIMPLIFIED_CHINESE, gbk.data(), -1, simplified.data(), byteCount);
    if (mapped <= 0) return source;
    // The mapped count includes the terminator.
    return std::string(simplified.data(), static_cast<std::size_t>(mapped - 1));
}

}  // namespace ml
