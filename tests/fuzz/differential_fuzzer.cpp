// Runs each input twice, once with every entry run from its text and once with the
// decoded forms, and stops at the first input where the two differ in what they
// wrote, how they ended or the files they left. Both runs read the fake platform's
// clock, which stands still, so the time module's values and random numbers are the
// same in both and scripts that reach it are compared like any other.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_run.h"

namespace {

void ShowDifference(const char* what, const std::string& text, const std::string& decoded) {
    std::fprintf(stderr, "decoded and text runs differ in %s\n--- text:\n%s\n--- decoded:\n%s\n", what,
                 text.c_str(), decoded.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ml::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const ml::RunRecord text = ml::RunFuzzInput(data, size, false);
    const ml::RunRecord decoded = ml::RunFuzzInput(data, size, true);
    if (text.output != decoded.output) ShowDifference("output", text.output, decoded.output);
    if (text.ending != decoded.ending) ShowDifference("ending", text.ending, decoded.ending);
    if (text.files != decoded.files) ShowDifference("files", "", "");
    if (text.output != decoded.output || text.ending != decoded.ending || text.files != decoded.files) std::abort();
    return 0;
}
