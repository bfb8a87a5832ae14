// The display language, message pairs and the adaptation of Chinese texts to the
// console's code page.
#pragma once

#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

// A message in English and in Traditional Chinese (written here in UTF-8). A pair
// whose Chinese text is empty is English in both languages.
struct MsgPair {
    std::string_view en;
    std::string_view zh;
};

// 1 when Chinese texts are shown, 0 for English; Auto asks the code page every time.
int ShowsChinese(Interp& in);

// Traditional to Simplified when the console uses code page 936; otherwise unchanged.
std::string SimplifiedForGbConsole(Interp& in, std::string_view text);

// The text of a pair in the display language, in the console's bytes (the Chinese
// text as Big5 on Windows), not yet passed through SimplifiedForGbConsole.
std::string Say(Interp& in, const MsgPair& msg);

// A Chinese text of our own in the console's bytes (Big5 on Windows).
std::string Native(Interp& in, std::string_view utf8);

}  // namespace ml
