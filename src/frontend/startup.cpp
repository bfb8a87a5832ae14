#include "frontend/startup.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "automation/desktop_access.h"
#include "builtins/builtin_modules.h"
#include "check/script_check.h"
#include "core/text_file.h"
#include "engine/executor.h"
#include "frontend/banner.h"
#include "frontend/command_line.h"
#include "core/console.h"
#include "frontend/help_document.h"
#include "frontend/messages.h"
#include "frontend/report.h"
#include "loader/loader.h"

namespace ml {

namespace {

constexpr const char* kLanguageFile = "Language.ini";
constexpr const char* kAutoScript = "AUTO.TXT";
constexpr const char* kHelpFile = "Help.txt";
// Language.ini holds one of these, without a line end; the index is the choice - 1.
constexpr const char* kLanguageLines[] = {"Language = Auto", "Language = English", "Language = Chinese"};
// A command line the program does not take, as most programs report it.
constexpr int kStatusUsage = 2;

struct ScriptName {
    std::string name;             // as typed or given; the load summary shows it
    bool fromCommandLine = false;
    bool fromAutoFile = false;
};

// Formats one of our own constant texts with numbers and a name.
std::string Format(const char* pattern, ...) {
    va_list args, copy;
    va_start(args, pattern);
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string out(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    std::vsnprintf(out.data(), out.size() + 1, pattern, copy);
    va_end(copy);
    return out;
}

void ReadLanguageSetting(Interp& in) {
    in.language = '1';
    const std::unique_ptr<File> file = in.platform.files.open(kLanguageFile, FileMode::ReadBinary);
    if (!file) return;
    std::string line;
    ReadPiece(*file, line);
    for (char choice = '1'; choice <= '3'; ++choice)
        if (line == kLanguageLines[choice - '1']) in.language = choice;
}

// The name typed or given is kept to the 255 characters of its buffer.
std::string ClipName(std::string name) {
    if (name.size() > 255) name.resize(255);
    return name;
}

ScriptName ChooseScriptName(Interp& in, const CommandLine& line) {
    if (!line.script.empty()) return {ClipName(line.script.front()), true, false};
    if (in.platform.files.open(kAutoScript, FileMode::ReadBinary)) return {"AUTO", false, true};
    if (!line.quiet) Print(in, SimplifiedForGbConsole(in, Say(in, kPromptScriptName)));
    std::string typed;
    in.platform.console.readLine(typed);
    return {ClipName(typed), false, false};
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

void LanguageMenu(Interp& in) {
    Print(in, kLanguageMenu.en);
    int key;
    do {
        key = in.platform.console.readKey();
        // With no keyboard left there is no choice to wait for.
        if (key < 0) throw ProgramEnd{};
    } while (key < '1' || key > '3');
    in.language = static_cast<char>(key);
    if (const auto file = in.platform.files.open(kLanguageFile, FileMode::WriteBinary)) file->write(kLanguageLines[key - '1']);
}

// True only when every byte reached the file.
bool WriteWholeFile(Files& files, const char* name, std::string_view text) {
    const std::unique_ptr<File> file = files.open(name, FileMode::WriteText);
    if (!file) return false;
    const bool written = file->write(text);
    return file->close() && written;
}

void WriteHelp(Interp& in) {
    if (WriteWholeFile(in.platform.files, kHelpFile, SimplifiedForGbConsole(in, Native(in, HelpDocument())))) return;
    Print(in, SimplifiedForGbConsole(in, Say(in, kMsgHelpNotWritten)) + kHelpFile + "\n");
    throw ProgramEnd{kStatusFailed};
}

void LoadScriptFile(Interp& in, const std::string& name, const std::string& path) {
    const std::unique_ptr<File> file = OpenForReading(in.platform.files, path);
    if (!file) FailAt(kNoEntry, Say(in, kMsgNoFile), name);
    LoadScript(in, *file);
}

ReportStyle ReportStyleOf(const CommandLine& line) { return line.quiet ? ReportStyle::Quiet : ReportStyle::Console; }

// A display that goes away cannot be worked on any more: the line that was running
// is reported, and the run ends there.
void ReportLostDisplay(Interp& in, ReportStyle style) {
    in.platform.desktop.whenDisplayLost([&in, style](const std::string& display) {
        ShowReport(in, FatalError{in.exec.pc, DisplayLostMessage(in, display), in.program.text(in.exec.pc)}, style);
        in.platform.console.flush();
        std::exit(kStatusFailed);
    });
}

void ShowLoadSummary(Interp& in, const std::string& name) {
    const int loaded = in.program.entryCount;
    const std::string summary = SimplifiedForGbConsole(in, Say(in, kLoadSummary));
    Print(in, Format(summary.c_str(), kMaxEntries, kMaxEntries - loaded, loaded, name.c_str()));
}

void LoadAndRun(Interp& in, ScriptName script, const CommandLine& line) {
    if (!script.fromCommandLine) script.name += ".txt";
    // The summary names AUTO.txt; the file found is the one opened, whatever the case
    // rules of the file system.
    LoadScriptFile(in, script.name, script.fromAutoFile ? kAutoScript : script.name);
    if (!line.quiet) ShowLoadSummary(in, script.name);
    in.scriptArguments = line.script;
    if (in.scriptArguments.empty()) in.scriptArguments.push_back(script.name);
    FinishLoading(in);
    ReportLostDisplay(in, ReportStyleOf(line));
    int status = 0;
    try {
        Script(in);
    } catch (const ProgramEnd& end) {
        status = end.status;
    }
    // A file still open is written out now, where a failure can still be reported,
    // whatever status the script ends with.
    CloseFiles(in);
    if (status != 0) throw ProgramEnd{status};
}

std::string UsageText(Interp& in) {
    const std::string name = ProgramName();
    return Format(SimplifiedForGbConsole(in, Say(in, kUsage)).c_str(), name.c_str(), name.c_str(), name.c_str());
}

// Which desktop the program found, where the system has more than one kind.
std::string DesktopLine(Interp& in) {
    const std::string name = in.platform.desktop.desktopName();
    return name.empty() ? std::string() : "desktop: " + name + "\n";
}

// `--version`, `--help` and a word that is no option end the run before any script.
void ShowCommandLineAnswer(Interp& in, const CommandLine& line) {
    if (line.action == CommandLine::Action::ShowVersion) return Print(in, VersionText() + DesktopLine(in));
    if (line.action == CommandLine::Action::ShowHelp) return Print(in, UsageText(in));
    in.platform.console.writeError(SimplifiedForGbConsole(in, Say(in, kMsgUnknownOption)) + line.refused + "\n" + UsageText(in));
    throw ProgramEnd{kStatusUsage};
}

// A script that cannot be read is a load error of its first line.
Finding MissingFile(Interp& in, const std::string& name) {
    Finding missing;
    missing.place.file = name;
    missing.text = SimplifiedForGbConsole(in, Say(in, kMsgNoFile)) + ": " + name;
    return missing;
}

// `--check SCRIPT`: one line per finding, and the status says whether there was any.
void CheckScriptFile(Interp& in, const CommandLine& line) {
    if (line.script.size() != 1) {
        in.platform.console.writeError(UsageText(in));
        throw ProgramEnd{kStatusUsage};
    }
    const std::string& name = line.script.front();
    Findings findings;
    if (const std::unique_ptr<File> file = OpenForReading(in.platform.files, name)) findings = CheckScript(in, *file, name);
    else findings.push_back(MissingFile(in, name));
    for (const Finding& finding : findings) Print(in, FindingLine(finding) + "\n");
    if (!findings.empty()) throw ProgramEnd{kStatusFailed};
}

void RunCommandOrScript(Interp& in, const CommandLine& line) {
    ReadLanguageSetting(in);
    if (line.action == CommandLine::Action::Check) return CheckScriptFile(in, line);
    if (line.action != CommandLine::Action::Run) return ShowCommandLineAnswer(in, line);
    for (;;) {
        if (!line.quiet) {
            ShowBanner(in);
            Print(in, Format(SimplifiedForGbConsole(in, Say(in, kLimitsText)).c_str(), 256, 4096, kMaxEntries));
        }
        ScriptName script = ChooseScriptName(in, line);
        const std::string command = Upper(script.name);
        if (command == "LANGUAGE") {
            LanguageMenu(in);
            continue;
        }
        if (command == "HELP") return WriteHelp(in);
        return LoadAndRun(in, std::move(script), line);
    }
}

}  // namespace

int RunMorrowlark(Interp& in, int argc, const char* const* argv) {
    const CommandLine line = ReadCommandLine(in.platform.files, argc, argv);
    try {
        RunCommandOrScript(in, line);
    } catch (const FatalError& error) {
        ShowReport(in, error, ReportStyleOf(line));
        return kStatusFailed;
    } catch (const ProgramEnd& end) {
        return end.status;
    }
    return 0;
}

}  // namespace ml
