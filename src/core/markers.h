// The marker byte: the loader puts it before every `$`, every `~` and both quotes of
// every string literal outside literals, so run-time code finds variables, calls and
// literals by plain search, and a byte of a literal's text is never taken for one.
#pragma once

#include <string_view>

namespace ml {

inline constexpr char kMarker = '\x07';
inline constexpr std::string_view kVariableMarker = "\x07$";
inline constexpr std::string_view kCallMarker = "\x07~";
inline constexpr std::string_view kLiteralQuote = "\x07\"";

}  // namespace ml
