#include "core/language.h"

namespace ml {

namespace {
constexpr unsigned kSimplifiedChinese = 936;
constexpr unsigned kTraditionalChinese = 950;
}  // namespace

int ShowsChinese(Interp& in) {
    if (in.language == '2') return 0;
    if (in.language == '3') return 1;
    unsigned page = in.platform.codePage.ansiCodePage();
    return page == kSimplifiedChinese || page == kTraditionalChinese;
}

std::string SimplifiedForGbConsole(Interp& in, std::string_view text) {
    if (in.platform.codePage.ansiCodePage() != kSimplifiedChinese) return std::string(text);
    return in.platform.codePage.toSimplified(text);
}

std::string Native(Interp& in, std::string_view utf8) {
    return in.platform.codePage.fromUtf8(utf8);
}

std::string Say(Interp& in, const MsgPair& msg) {
    if (msg.zh.empty() || !ShowsChinese(in)) return std::string(msg.en);
    return Native(in, msg.zh);
}

}  // namespace ml
