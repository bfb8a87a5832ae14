// Code pages on Linux: the locale stands in for the Windows ANSI code page, text
// stays UTF-8 throughout, and OpenCC does the Traditional to Simplified mapping.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace ml {

// The Windows ANSI code page that a system with this locale name would use:
// 950 for Taiwan and Hong Kong, 936 for mainland China and Singapore, else 1252.
unsigned CodePageForLocale(std::string_view localeName);

class PosixCodePage final : public CodePage {
public:
    PosixCodePage() = default;
    ~PosixCodePage() override;
    PosixCodePage(const PosixCodePage&) = delete;
    PosixCodePage& operator=(const PosixCodePage&) = delete;

    // Read from the environment at every call, as Windows asks the system each time.
    unsigned ansiCodePage() override;
    std::string fromUtf8(std::string_view utf8) override;
    std::string toSimplified(std::string_view traditional) override;

private:
    // An OpenCC instance (opencc_t), opened at the first conversion; loading its
    // dictionaries costs far more than one conversion.
    void* converter_ = nullptr;
    bool openAttempted_ = false;
};

}  // namespace ml
