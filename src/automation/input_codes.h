// The input records and window messages that the lib and desk modules hand to the
// platform: the flags, the message numbers and the packing of their coordinates.
#pragma once

#include <cstdint>

namespace ml {

// Every synthesised mouse event moves the pointer in absolute coordinates
// (MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE).
inline constexpr std::uint32_t kMoveAbsolute = 0x8001;
inline constexpr std::uint32_t kWheelFlag = 0x0800;
// Absolute coordinates scaled to the whole desktop, every monitor, instead of the
// primary one (MOUSEEVENTF_VIRTUALDESK).
inline constexpr std::uint32_t kVirtualDeskFlag = 0x4000;
// A key record with this flag releases the key.
inline constexpr std::uint32_t kKeyUpFlag = 2;
// A key record of a key outside the numeric keypad that shares a scan code with a
// keypad key (the arrows, the editing block).
inline constexpr std::uint32_t kExtendedKeyFlag = 1;

inline constexpr std::uint32_t kKeyDownMessage = 0x0100;
inline constexpr std::uint32_t kKeyUpMessage = 0x0101;
// The key messages of a key pressed with Alt held (and of F10).
inline constexpr std::uint32_t kSysKeyDownMessage = 0x0104;
inline constexpr std::uint32_t kSysKeyUpMessage = 0x0105;
inline constexpr std::uint32_t kMouseMoveMessage = 0x0200;
inline constexpr std::uint32_t kMouseWheelMessage = 0x020A;
// One notch of the wheel.
inline constexpr std::int32_t kWheelDelta = 120;

// v × 65536 / extent + 1 in wrapping 32-bit signed arithmetic, the quotient truncated
// toward zero. A screen that reports no size counts as a quotient of 0.
inline std::int32_t ScaleAbsolute(std::int32_t v, int extent) {
    const auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(v) << 16);
    const std::int32_t quotient = extent > 0 ? product / extent : 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(quotient) + 1u);
}

// A point as a mouse message carries it: x in the low word, y in the high word,
// zero-extended.
inline std::uint32_t PackPoint(int x, int y) {
    return (static_cast<std::uint32_t>(y) & 0xFFFF) << 16 | (static_cast<std::uint32_t>(x) & 0xFFFF);
}

}  // namespace ml
