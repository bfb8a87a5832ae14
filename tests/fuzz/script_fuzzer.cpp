// Loads and runs arbitrary bytes as a script. Everything the script could reach
// outside the interpreter is a recording fake: no command interpreter, no desktop, no
// native libraries or COM. Files are confined to a scratch folder (see
// sandbox_files.cpp).
#include <cstddef>
#include <cstdint>

#include "fuzz_run.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ml::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    ml::RunFuzzInput(data, size, true);
    return 0;
}
