// Range tests on raw screen bytes, sixteen bytes at a time where the processor has
// SSE2 (every x86-64) and one at a time elsewhere and for the last few bytes. A byte b
// lies in the range (low, span) when (b - low) mod 256 <= span: one subtraction and
// one unsigned compare, which SSE2 does as a subtraction, a saturating subtraction of
// the span and a test for zero.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ml {

// The ranges of one template pixel's blue, green and red, repeated for sixteen
// consecutive screen pixels (48 bytes).
struct PixelRanges {
    std::uint8_t low[48];
    std::uint8_t span[48];
};

inline constexpr int kPixelsPerTest = 16;

// Bit 3i of a pixel mask stands for the i-th of up to sixteen consecutive pixels.
inline constexpr std::uint64_t kFirstChannelBits = 0x249249249249ull;

inline bool ByteWithin(std::uint8_t byte, std::uint8_t low, std::uint8_t span) {
    return static_cast<std::uint8_t>(byte - low) <= span;
}

// Whether every one of count bytes lies in its own range (low[k], span[k]).
inline bool BytesWithin(const std::uint8_t* bytes, const std::uint8_t* low, const std::uint8_t* span,
                        std::size_t count) {
    std::size_t k = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; k + 16 <= count; k += 16) {
        const __m128i moved = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + k)),
                                           _mm_loadu_si128(reinterpret_cast<const __m128i*>(low + k)));
        const __m128i beyond = _mm_subs_epu8(moved, _mm_loadu_si128(reinterpret_cast<const __m128i*>(span + k)));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(beyond, zero)) != 0xFFFF) return false;
    }
#endif
    for (; k < count; ++k) {
        if (!ByteWithin(bytes[k], low[k], span[k])) return false;
    }
    return true;
}

// Which of count (at most sixteen) consecutive screen pixels lie within the ranges,
// as a pixel mask.
inline std::uint64_t PixelsWithin(const std::uint8_t* pixels, const PixelRanges& ranges, int count) {
#if defined(__SSE2__)
    if (count == kPixelsPerTest) {
        const __m128i zero = _mm_setzero_si128();
        std::uint64_t bytes = 0;
        for (int part = 0; part < 3; ++part) {
            const int at = 16 * part;
            const __m128i moved = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + at)),
                                               _mm_loadu_si128(reinterpret_cast<const __m128i*>(ranges.low + at)));
            const __m128i beyond =
                _mm_subs_epu8(moved, _mm_loadu_si128(reinterpret_cast<const __m128i*>(ranges.span + at)));
            const auto within = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(beyond, zero)));
            bytes |= static_cast<std::uint64_t>(within) << at;
        }
        // A pixel passes when its blue, green and red bytes all do.
        return bytes & bytes >> 1 & bytes >> 2 & kFirstChannelBits;
    }
#endif
    std::uint64_t mask = 0;
    for (int i = 0; i < count; ++i) {
        const int at = 3 * i;
        if (ByteWithin(pixels[at], ranges.low[at], ranges.span[at]) &&
            ByteWithin(pixels[at + 1], ranges.low[at + 1], ranges.span[at + 1]) &&
            ByteWithin(pixels[at + 2], ranges.low[at + 2], ranges.span[at + 2])) {
            mask |= std::uint64_t{1} << at;
        }
    }
    return mask;
}

}  // namespace ml
