// The differential fuzzer's mutations: besides libFuzzer's byte mutations, some inputs
// become scripts made whole by the generator, and some get one appended, since the
// values that tell the text and decoded paths apart seldom arise byte by byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "script_generator.h"

namespace {

// Puts script after the input's first size bytes (after a language byte, where there
// are none) and gives the new size; what does not fit is cut.
std::size_t Put(std::uint8_t* data, std::size_t size, std::size_t maxSize, const std::string& script) {
    if (maxSize == 0) return 0;
    if (size == 0) data[size++] = '2';
    const std::size_t length = std::min(script.size(), maxSize - size);
    std::memcpy(data + size, script.data(), length);
    return size + length;
}

}  // namespace

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed) {
    switch (seed % 8) {
        case 0: return Put(data, 0, maxSize, ml::GenerateScript(seed / 8));
        case 1: return Put(data, size, maxSize, "\n" + ml::GenerateScript(seed / 8));
        default: return LLVMFuzzerMutate(data, size, maxSize);
    }
}
