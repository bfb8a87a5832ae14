#include "platform/posix/posix_codepage.h"

#include <opencc/opencc.h>

#include <cstdlib>
#include <type_traits>

namespace ml {

namespace {

static_assert(std::is_same_v<opencc_t, void*>, "PosixCodePage keeps the OpenCC handle as void*");

// OpenCC reports a failed open with this value, not with a null pointer.
const opencc_t kOpenccFailed = reinterpret_cast<opencc_t>(-1);

// The locale that decides the character type, in the order the C library asks.
std::string_view characterLocale() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') return value;
    }
    return {};
}

}  // namespace

unsigned codePageForLocale(std::string_view localeName) {
    if (localeName.starts_with("zh_TW") || localeName.starts_with("zh_HK")) return 950;
    if (localeName.starts_with("zh_CN") || localeName.starts_with("zh_SG")) return 936;
    return 1252;
}

PosixCodePage::~PosixCodePage() {
    if (converter_ != nullptr) opencc_close(converter_);
}

unsigned PosixCodePage::ansiCodePage() { return codePageForLocale(characterLocale()); }

std::string PosixCodePage::fromUtf8(std::string_view utf8) { return std::string(utf8); }

std::string PosixCodePage::toSimplified(std::string_view traditional) {
    if (!openAttempted_) {
        openAttempted_ = true;
        const opencc_t opened = opencc_open(OPENCC_DEFAULT_CONFIG_TRAD_TO_SIMP);
        if (opened != kOpenccFailed) converter_ = opened;
    }
    // Without the dictionaries the text stays Traditional, which is still readable.
    if (converter_ == nullptr || traditional.empty()) return std::string(traditional);

    char* converted = opencc_convert_utf8(converter_, traditional.data(), traditional.size());
    if (converted == nullptr) return std::string(traditional);
    std::string result(converted);
    opencc_convert_utf8_free(converted);
    return result;
}

}  // namespace ml
