// Types fuzzed lines at the console and puts them in the file that a fixed set of
// scripts (data-scripts/) read and pass around every way the language has. Whatever
// the bytes, they stay data: no reference, call or literal starts in them, so the run
// reaches nothing outside, makes and shows no variable the script did not name, and
// every value comes out as it went in. Stops at the first run that breaks this.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "data_checks.h"
#include "data_input.h"
#include "fuzz_run.h"
#include "tagged_lines.h"

namespace {

std::vector<ml::DataScript> scripts;

void LoadScripts() {
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(ML_DATA_SCRIPTS)) paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    for (const auto& path : paths) {
        std::ifstream file(path, std::ios::binary);
        std::string text(std::istreambuf_iterator<char>(file), {});
        if (text.find(std::string("$secret = \"") + ml::kCanary + "\"") == std::string::npos) {
            std::fprintf(stderr, "%s holds no canary\n", path.c_str());
            std::exit(2);
        }
        scripts.push_back(ml::MakeDataScript(path.filename().string(), std::move(text)));
    }
    if (scripts.empty()) {
        std::fprintf(stderr, "no data scripts in %s\n", ML_DATA_SCRIPTS);
        std::exit(2);
    }
}

void Report(const ml::DataScript& script, const ml::DataInput& input, const ml::RunRecord& run,
            const std::vector<std::string>& findings) {
    std::fprintf(stderr, "data script %s (%s entries)\n", script.name.c_str(), input.decoded ? "decoded" : "text");
    for (std::size_t k = 0; k < input.typed.size(); ++k)
        std::fprintf(stderr, "typed %zu: %s\n", k + 1, ml::Visible(input.typed[k]).c_str());
    std::fprintf(stderr, "file: %s\n", ml::Visible(input.file).c_str());
    std::fprintf(stderr, "output:\n%s\n", ml::Visible(run.output).c_str());
    for (const std::string& finding : findings) std::fprintf(stderr, "finding: %s\n", finding.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    LoadScripts();
    ml::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const ml::DataInput input = ml::ReadDataInput(data, size, scripts.size());
    const ml::DataScript& script = scripts[input.script];
    ml::ScriptRun run;
    run.script = script.text;
    run.decoded = input.decoded;
    run.typed.assign(input.typed.begin(), input.typed.end());
    run.files[ml::kDataFile] = input.file;
    const ml::RunRecord record = ml::RunScript(run);
    const std::vector<std::string> findings = ml::DataFindings(script, input, record);
    if (findings.empty()) return 0;
    Report(script, input, record, findings);
    std::abort();
}
