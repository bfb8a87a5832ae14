#include "frontend/command_line.h"

#include <string_view>

#include "core/text_file.h"

namespace ml {

namespace {

constexpr std::string_view kEndOfOptions = "--";
constexpr std::string_view kCheck = "--check";

bool LooksLikeOption(std::string_view word) { return word.size() > 1 && word[0] == '-'; }

bool IsQuiet(std::string_view word) { return word == "-q" || word == "--quiet"; }

bool IsOption(std::string_view word) {
    return IsQuiet(word) || word == "--version" || word == "--help" || word == kCheck || word == kEndOfOptions;
}

CommandLine Refuse(std::string_view word) {
    CommandLine line;
    line.action = CommandLine::Action::RefuseOption;
    line.refused = word;
    return line;
}

}  // namespace

CommandLine ReadCommandLine(Files& files, int argc, const char* const* argv) {
    CommandLine line;
    // A single word that is none of the options names the script, as a single word
    // always did: even one that begins with a dash, where a file has that name.
    if (argc == 2 && !IsOption(argv[1])) {
        if (LooksLikeOption(argv[1]) && !OpenForReading(files, argv[1])) return Refuse(argv[1]);
        line.script = {argv[1]};
        return line;
    }
    int at = 1;
    for (; at < argc && LooksLikeOption(argv[at]); ++at) {
        const std::string_view word = argv[at];
        if (word == kEndOfOptions) {
            ++at;
            break;
        }
        if (word == "--version" || word == "--help") {
            line.action = word == "--version" ? CommandLine::Action::ShowVersion : CommandLine::Action::ShowHelp;
            return line;
        }
        if (word == kCheck) {
            line.action = CommandLine::Action::Check;
            continue;
        }
        if (!IsQuiet(word)) return Refuse(word);
        line.quiet = true;
    }
    line.script.assign(argv + at, argv + argc);
    return line;
}

}  // namespace ml
