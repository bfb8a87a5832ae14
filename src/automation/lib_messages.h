// Message pairs of the lib module.
#pragma once

#include "core/language.h"

namespace ml {

inline constexpr MsgPair kMsgNoPictureFile{"~Lib.FindRGB -> Can not find the picture file: ",
                                           "~Lib.FindRGB -> 找不到圖片檔: "};

}  // namespace ml
