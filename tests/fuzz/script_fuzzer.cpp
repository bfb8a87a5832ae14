// Loads and runs arbitrary bytes as a script. Everything the script could reach
// outside the interpreter is a recording fake: no command interpreter, no desktop, no
// native libraries or COM. Files are confined to a scratch folder (see
// sandbox_files.cpp), and a bound on executed statements ends endless loops. A fatal
// error report ends one input like any other run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <memory>
#include <string_view>

#include <unistd.h>

#include "engine/executor.h"
#include "core/errors.h"
#include "core/interp.h"
#include "core/text_file.h"
#include "fake_platform.h"
#include "frontend/report.h"
#include "loader/loader.h"
#include "sandbox_files.h"

namespace {

// Enough for loops to go round many times; the costliest statements (a long text
// rewritten thousands of times) still end an input well inside the fuzzer's timeout,
// so a timeout means a real hang.
constexpr std::uint64_t kStatementBound = 5000;

// The first byte picks the display language, so messages of both are exercised.
char LanguageOf(std::uint8_t first) { return static_cast<char>('1' + first % 3); }

// Loads the bytes as the program loads a script file, then runs them.
void LoadAndRun(ml::Interp& in, std::string_view script) {
    std::FILE* file = fmemopen(const_cast<char*>(script.data()), script.size(), "rb");
    if (file == nullptr) return;
    ml::FileHandle closer(file);
    ml::LoadScript(in, file);
    ml::FinishLoading(in);
    ml::Script(in);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::filesystem::path scratch = std::filesystem::temp_directory_path() / ("morrowlark-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    std::filesystem::current_path(scratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    ml::SandboxFiles sandbox;   // outlives the interpreter, which closes its files
    ml::FakePlatform fake;
    auto in = std::make_unique<ml::Interp>(fake.platform);
    in->language = LanguageOf(data[0]);
    in->exec.statementsLeft = kStatementBound;
    try {
        LoadAndRun(*in, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    } catch (const ml::FatalError& error) {
        ml::ShowReport(*in, error);
    } catch (const ml::ProgramEnd&) {
    }
    return 0;
}
