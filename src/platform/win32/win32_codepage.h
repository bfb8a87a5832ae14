// Code pages on Windows: the system's ANSI code page and the conversions through
// UTF-16 between UTF-8, Big5 (950) and GBK (936).
#pragma once

#include "platform/platform.h"

namespace ml {

class Win32CodePage final : public CodePage {
public:
    unsigned ansiCodePage() override;
    std::string fromUtf8(std::string_view utf8) override;
    std::string toSimplified(std::string_view traditional) override;
};

}  // namespace ml
