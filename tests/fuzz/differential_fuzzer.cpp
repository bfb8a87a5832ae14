// Runs each input twice, once with every entry run from its text and once with the
// decoded forms, and stops at the first input where the two differ in what they
// wrote, how they ended or the files they left. The time module reads the real clock
// (and seeds its random numbers from it), so two runs of a script that can reach it
// may differ by the time they take: such inputs are passed over.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_run.h"

namespace {

bool MayReadTheClock(const std::uint8_t* data, std::size_t size) {
    static constexpr std::string_view kWord = "time";
    const auto* end = data + size;
    return std::search(data, end, kWord.begin(), kWord.end(), [](std::uint8_t a, char b) {
               return std::tolower(a) == b;
           }) != end;
}

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
    if (size == 0 || MayReadTheClock(data, size)) return 0;
    const ml::RunRecord text = ml::RunFuzzInput(data, size, false);
    const ml::RunRecord decoded = ml::RunFuzzInput(data, size, true);
    if (text.output != decoded.output) ShowDifference("output", text.output, decoded.output);
    if (text.ending != decoded.ending) ShowDifference("ending", text.ending, decoded.ending);
    if (text.files != decoded.files) ShowDifference("files", "", "");
    if (text.output != decoded.output || text.ending != decoded.ending || text.files != decoded.files) std::abort();
    return 0;
}
