#include "platform/posix/posix_codepage.h"

#include <opencc/opencc.h>

#include <cstdlib>
#include <type_traits>

#include "platform/posix/bound_symbol.h"

namespace ml {

namespace {

static_assert(std::is_same_v<opencc_t, void*>, "PosixCodePage keeps the OpenCC handle as void*");

// OpenCC reports a failed open with this value, not with a null pointer.
const opencc_t kOpenccFailed = reinterpret_cast<opencc_t>(-1);

// OpenCC and the libraries it needs are loaded at the first conversion, not at start-up:
// most runs never convert a text, and loading them costs every run milliseconds.
struct Opencc {
    decltype(&opencc_open) open = nullptr;
    decltype(&opencc_convert_utf8) convert = nullptr;
    decltype(&opencc_convert_utf8_free) free = nullptr;
    decltype(&opencc_close) close = nullptr;

    bool loaded() const { return open && convert && free && close; }
};

// The library, or a table of null functions when it is not installed.
const Opencc& LoadOpencc() {
    static const Opencc opencc = [] {
        Opencc found;
        void* library = nullptr;
        for (const char* name : {"libopencc.so.1.1", "libopencc.so.1", "libopencc.so"})
            if ((library = dlopen(name, RTLD_NOW | RTLD_LOCAL)) != nullptr) break;
        if (library == nullptr) return found;
        BindSymbol(library, "opencc_open", found.open);
        BindSymbol(library, "opencc_convert_utf8", found.convert);
        BindSymbol(library, "opencc_convert_utf8_free", found.free);
        BindSymbol(library, "opencc_close", found.close);
        return found;
    }();
    return opencc;
}

// The locale that decides the character type, in the order the C library asks.
std::string_view CharacterLocale() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') return value;
    }
    return {};
}

}  // namespace

unsigned CodePageForLocale(std::string_view localeName) {
    if (localeName.starts_with("zh_TW") || localeName.starts_with("zh_HK")) return 950;
    if (localeName.starts_with("zh_CN") || localeName.starts_with("zh_SG")) return 936;
    return 1252;
}

PosixCodePage::~PosixCodePage() {
    if (converter_ != nullptr) LoadOpencc().close(converter_);
}

unsigned PosixCodePage::ansiCodePage() { return CodePageForLocale(CharacterLocale()); }

std::string PosixCodePage::fromUtf8(std::string_view utf8) { return std::string(utf8); }

std::string PosixCodePage::toSimplified(std::string_view traditional) {
    const Opencc& opencc = LoadOpencc();
    if (!openAttempted_ && opencc.loaded()) {
        openAttempted_ = true;
        const opencc_t opened = opencc.open(OPENCC_DEFAULT_CONFIG_TRAD_TO_SIMP);
        if (opened != kOpenccFailed) converter_ = opened;
    }
    // Without OpenCC or its dictionaries the text stays Traditional, still readable.
    if (converter_ == nullptr || traditional.empty()) return std::string(traditional);

    char* converted = opencc.convert(converter_, traditional.data(), traditional.size());
    if (converted == nullptr) return std::string(traditional);
    std::string result(converted);
    opencc.free(converted);
    return result;
}

}  // namespace ml
