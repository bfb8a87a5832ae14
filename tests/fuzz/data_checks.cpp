#include "data_checks.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "tagged_lines.h"

namespace ml {

namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }
bool IsDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The names that follow each `lead` byte in the script's lower-case text.
std::vector<std::string> NamesAfter(std::string_view text, char lead) {
    std::vector<std::string> names;
    for (std::size_t at = text.find(lead); at != std::string_view::npos; at = text.find(lead, at + 1)) {
        std::string name;
        for (std::size_t k = at + 1; k < text.size() && IsNameChar(text[k]); ++k)
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(text[k])));
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

// What follows a name in a key: element indices, then, for a function's own
// variable, the function's name and the call depth.
bool IsKeyTail(std::string_view tail, const DataScript& script) {
    while (tail.starts_with("[")) {
        const std::size_t close = tail.find(']');
        if (close == std::string_view::npos || close == 1 || !IsDigits(tail.substr(1, close - 1))) return false;
        tail.remove_prefix(close + 1);
    }
    if (tail.empty()) return true;
    return std::any_of(script.calls.begin(), script.calls.end(), [&](const std::string& call) {
        return tail.starts_with(call) && tail.size() > call.size() && IsDigits(tail.substr(call.size()));
    });
}

// A variable's key is its marker, `$` and a name the script wrote, then its tail.
bool IsNamedKey(std::string_view key, const DataScript& script) {
    if (!key.starts_with("\x07$")) return false;
    key.remove_prefix(2);
    return std::any_of(script.variables.begin(), script.variables.end(), [&](const std::string& name) {
        return key.starts_with(name) && IsKeyTail(key.substr(name.size()), script);
    });
}

void Add(std::vector<std::string>& findings, std::string_view where, const std::vector<std::string>& found) {
    for (const std::string& finding : found) findings.push_back(std::string(where) + ": " + finding);
}

}  // namespace

DataScript MakeDataScript(std::string name, std::string text) {
    DataScript script{std::move(name), std::move(text), {}, {}};
    script.variables = NamesAfter(script.text, '$');
    script.calls = NamesAfter(script.text, '~');
    return script;
}

std::vector<std::string> DataFindings(const DataScript& script, const DataInput& input, const RunRecord& run) {
    std::vector<std::string> findings;
    if (run.ending != "end") findings.push_back("the run ended with " + run.ending);
    for (const std::string& call : run.outsideCalls) findings.push_back("a call the script did not make: " + call);
    for (const std::string& key : run.variables)
        if (!IsNamedKey(key, script)) findings.push_back("a variable the script did not name: " + Visible(key));
    const bool canaryTyped = input.file.find(kCanary) != std::string::npos;
    for (const auto& [name, bytes] : run.files) {
        if (name == kDataFile) continue;
        Add(findings, name, TaggedLineFindings(bytes, input, false));
        if (!canaryTyped && bytes.find(kCanary) != std::string::npos) findings.push_back(name + ": the canary");
    }
    Add(findings, "output", TaggedLineFindings(run.output, input, true));
    if (!canaryTyped && run.output.find(kCanary) != std::string::npos) findings.push_back("output: the canary");
    return findings;
}

}  // namespace ml
