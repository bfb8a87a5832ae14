// Scripts made from a seed for the differential fuzzer: loops whose later passes run
// from the decoded forms, over the values byte mutations seldom build whole (every
// escape, results of user functions stored alone, literals that hold a call's own
// punctuation, every letter through the string functions, computed array indices).
#pragma once

#include <cstdint>
#include <string>

namespace ml {

// A whole script, its imports first; the same seed gives the same script.
std::string GenerateScript(std::uint32_t seed);

}  // namespace ml
