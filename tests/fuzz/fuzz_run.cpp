// A bound on executed statements ends endless loops. A fatal error report ends one
// run like any other. The fake platform's clock stands still, so two runs of one input
// read the same date, clock and random numbers; its files reach the scratch folder.
#include "fuzz_run.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>
#include <system_error>

#include <unistd.h>

#include "core/errors.h"
#include "core/interp.h"
#include "engine/executor.h"
#include "engine/modules.h"
#include "fake_platform.h"
#include "frontend/report.h"
#include "loader/loader.h"
#include "sandbox_files.h"

namespace ml {

namespace {

// Enough for loops to go round many times; the costliest statements (a long text
// rewritten thousands of times) still end an input well inside the fuzzer's timeout,
// so a timeout means a real hang.
constexpr std::uint64_t kStatementBound = 5000;

// The first byte picks the display language, so messages of both are exercised.
char LanguageOf(std::uint8_t first) { return static_cast<char>('1' + first % 3); }

// Loads the bytes as the program loads a script file, then runs them.
void LoadAndRun(Interp& in, std::string_view script) {
    std::string bytes(script);
    FakeFile file(bytes);
    LoadScript(in, file);
    FinishLoading(in);
    Script(in);
}

std::map<std::string, std::string> FilesHere() {
    std::map<std::string, std::string> files;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::current_path(), ignored)) {
        std::ifstream file(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(file), {});
    }
    return files;
}

}  // namespace

void EnterScratchFolder() {
    std::filesystem::path scratch = std::filesystem::temp_directory_path() / ("morrowlark-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    std::filesystem::current_path(scratch);
}

RunRecord RunScript(const ScriptRun& run) {
    RunRecord record;
    SandboxFiles sandbox;   // outlives the interpreter, which closes its files
    for (const auto& [name, bytes] : run.files) std::ofstream(name, std::ios::binary) << bytes;
    FakePlatform fake;
    fake.console.lines = run.typed;
    {
        auto in = std::make_unique<Interp>(fake.platform, Modules());
        in->language = run.language;
        in->exec.statementsLeft = kStatementBound;
        in->decoded.enabled = run.decoded;
        try {
            LoadAndRun(*in, run.script);
            record.ending = "end";
        } catch (const FatalError& error) {
            ShowReport(*in, error);
            record.ending = "error " + std::to_string(error.entry);
        } catch (const ProgramEnd& end) {
            record.ending = "exit " + std::to_string(end.status);
        }
        record.variables = in->vars.keys;
    }
    record.output = fake.console.out;
    record.files = FilesHere();
    for (const auto* log : {&fake.console.log, &fake.desktop.log, &fake.native.log, &fake.com.log})
        record.outsideCalls.insert(record.outsideCalls.end(), log->begin(), log->end());
    return record;
}

RunRecord RunFuzzInput(const std::uint8_t* data, std::size_t size, bool decoded) {
    ScriptRun run;
    run.script = std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1);
    run.language = LanguageOf(data[0]);
    run.decoded = decoded;
    return RunScript(run);
}

}  // namespace ml
