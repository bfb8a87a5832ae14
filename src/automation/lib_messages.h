// Message pairs of the lib module and the tolerance check that the pixel compare and
// the image search share.
#pragma once

#include <cstdint>

#include "core/interp.h"
#include "core/language.h"

namespace ml {

inline constexpr MsgPair kMsgCmpPixelTolerance{"~Lib.CmpPixel -> Section 5 parameter error: ",
                                               "~Lib.CmpPixel -> 第 5 節參數錯誤: "};
inline constexpr MsgPair kMsgFindRGBTolerance{"~Lib.FindRGB -> Section 7 parameter error: ",
                                              "~Lib.FindRGB -> 第 7 節參數錯誤: "};
inline constexpr MsgPair kMsgToleranceLimit{" (Numerical limit: 0 ~ 100)", " (數值限制: 0 ~ 100)"};
inline constexpr MsgPair kMsgNoPictureFile{"~Lib.FindRGB -> Can not find the picture file: ",
                                           "~Lib.FindRGB -> 找不到圖片檔: "};

// Ends the run with the message head, the tolerance and the limit text unless the
// tolerance lies in 0..100.
void CheckTolerance(Interp& in, std::int16_t tolerance, const MsgPair& head);

}  // namespace ml
