// The numbers the desktop functions take are checked whole, before any is narrowed to
// the field that carries it, so that one that would not fit is reported rather than
// wrapped round to another pixel, point or window position.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/interp.h"
#include "core/language.h"

namespace ml {

// "~Module.Name -> Section N parameter error: VALUE (LIMIT)": N is the argument's
// position, counted from 1.
inline constexpr MsgPair kMsgParameterSection{" -> Section ", " -> 第 "};
inline constexpr MsgPair kMsgParameterError{" parameter error: ", " 節參數錯誤: "};

inline constexpr MsgPair kMsgToleranceLimit{" (Numerical limit: 0 ~ 100)", " (數值限制: 0 ~ 100)"};
inline constexpr MsgPair kMsgImageLimit{" (Numerical limit: 0 ~ 65535)", " (數值限制: 0 ~ 65535)"};
inline constexpr MsgPair kMsgPointLimit{" (Numerical limit: -32768 ~ 32767)", " (數值限制: -32768 ~ 32767)"};
inline constexpr MsgPair kMsgSizeLimit{" (Numerical limit: 0 ~ 65535, or negative)", " (數值限制: 0 ~ 65535, 或負數)"};
inline constexpr MsgPair kMsgArgumentLimit{" (Numerical limit: 0 or above)", " (數值限制: 0 或以上)"};

struct NumberRange {
    std::int64_t least;
    std::int64_t most;
    const MsgPair* limit;
};

// A tolerance: plus or minus this much on each channel.
inline constexpr NumberRange kToleranceRange{0, 100, &kMsgToleranceLimit};
// A pixel of the screen image, or a corner of a search area; no screen is wider than
// the 16 bits of a search result's x, so 65535 reaches the far edge of any.
inline constexpr NumberRange kImageRange{0, 65535, &kMsgImageLimit};
// A point of mouse input, or a window's corner: a posted message carries a point as
// two signed 16-bit words, X11 a window's corner the same way, and a synthesised
// point is scaled by 65536 in 32 bits.
inline constexpr NumberRange kPointRange{-32768, 32767, &kMsgPointLimit};
// A window's width or height, which X11 carries as an unsigned 16-bit word; any
// negative one keeps the window's own.
inline constexpr NumberRange kSizeRange{INT64_MIN, 65535, &kMsgSizeLimit};

// The number of a command-line argument; any past the last names the empty text.
inline constexpr NumberRange kArgumentRange{0, INT64_MAX, &kMsgArgumentLimit};

// Ends the run with the parameter error of the function's argument at position: the
// value as shown, then the limit.
[[noreturn]] void FailParameter(Interp& in, std::string_view function, int position, std::string_view value,
                                const MsgPair& limit);
// The same with a limit already in the display language, for a limit that depends on
// the desktop.
[[noreturn]] void FailParameter(Interp& in, std::string_view function, int position, std::string_view value,
                                std::string_view limit);

// The whole number that argument position of the call reads as (as the C runtime's
// atoll reads it); ends the run with its parameter error outside the range.
std::int64_t ArgInRange(Interp& in, std::string_view function, int position, const NumberRange& range);

}  // namespace ml
