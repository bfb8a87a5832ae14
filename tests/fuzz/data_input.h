// How a data fuzzer input becomes what a script reads: which script, the lines typed
// at the console and the file it opens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ml {

// The number of lines every data script reads from standard input.
inline constexpr std::size_t kTypedLines = 3;
// The file every data script reads; the scripts write others beside it.
inline constexpr const char* kDataFile = "data.txt";

struct DataInput {
    std::size_t script = 0;          // below the count given to ReadDataInput
    bool decoded = true;
    std::vector<std::string> typed;  // kTypedLines lines, none holding a line feed
    std::string file;                // the bytes of kDataFile
    std::string stream;              // what reading the whole file gives, line ends left out
};

// The first byte picks the script and the way entries run; the rest are lines, apart
// at line feeds. Bytes below 0x20 stand for the bytes and words that mean something
// to the language, so that mutations reach them often.
DataInput ReadDataInput(const std::uint8_t* data, std::size_t size, std::size_t scripts);

}  // namespace ml
