// The command line as the program reads it, and the runs it asks for on the fake
// platform: what reaches standard output and standard error, and the exit status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/command_line.h"
#include "frontend/startup.h"
#include "test_run.h"

namespace ml {

namespace {

using Words = std::vector<std::string>;
using Action = CommandLine::Action;

CommandLine Read(FakeFiles& files, Words words) {
    words.insert(words.begin(), "morrowlark64");
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());
    return ReadCommandLine(files, static_cast<int>(argv.size()), argv.data());
}

CommandLine Read(Words words) {
    FakeFiles files;
    return Read(files, std::move(words));
}

// A run of the program with these words after its name; scripts are served by name.
struct ProgramRun : TestRun {
    int status = -1;
    ProgramRun& start(Words words) {
        words.insert(words.begin(), "morrowlark64");
        std::vector<const char*> argv;
        for (const std::string& word : words) argv.push_back(word.c_str());
        status = RunMorrowlark(*in, static_cast<int>(argv.size()), argv.data());
        return *this;
    }
    const std::string& errors() const { return fake.console.errors; }
};

constexpr const char* kArguments = "#Import <desk>\n#Import <dos>\n"
                                   "~Print(~Desk.ArgCount() \"|\" ~Arg(0) \"|\" ~Arg(1) \"|\" ~Arg(2) \"|\" ~Arg(3) \"\\x0a\")\n";

}  // namespace

TEST(CommandLine, TheScriptAndEveryWordAfterItAsGiven) {
    EXPECT_TRUE(Read({}).script.empty());
    EXPECT_EQ(Read({"a.txt"}).script, Words{"a.txt"});
    EXPECT_EQ(Read({"HELP"}).script, Words{"HELP"});
    EXPECT_EQ(Read({"-"}).script, Words{"-"});
    const CommandLine line = Read({"a.txt", "two words", "é", "-x", "--help", "-q"});
    EXPECT_EQ(line.action, Action::Run);
    EXPECT_FALSE(line.quiet);
    EXPECT_EQ(line.script, (Words{"a.txt", "two words", "é", "-x", "--help", "-q"}));
}

TEST(CommandLine, OptionsComeBeforeTheScriptAndDoubleDashEndsThem) {
    const CommandLine quiet = Read({"-q", "a.txt", "-q"});
    EXPECT_TRUE(quiet.quiet);
    EXPECT_EQ(quiet.script, (Words{"a.txt", "-q"}));
    EXPECT_TRUE(Read({"--quiet", "a.txt"}).quiet);
    const CommandLine alone = Read({"-q"});
    EXPECT_TRUE(alone.quiet);
    EXPECT_TRUE(alone.script.empty());
    const CommandLine dashed = Read({"--", "-q"});
    EXPECT_FALSE(dashed.quiet);
    EXPECT_EQ(dashed.script, Words{"-q"});
    EXPECT_EQ(Read({"--version", "a.txt"}).action, Action::ShowVersion);
    EXPECT_EQ(Read({"-q", "--help", "a.txt"}).action, Action::ShowHelp);
}

TEST(CommandLine, AnUnknownOptionIsRefusedUnlessAloneItNamesAFile) {
    const CommandLine refused = Read({"-x", "a.txt"});
    EXPECT_EQ(refused.action, Action::RefuseOption);
    EXPECT_EQ(refused.refused, "-x");
    EXPECT_EQ(Read({"-q", "--colour", "a.txt"}).refused, "--colour");
    EXPECT_EQ(Read({"-x"}).action, Action::RefuseOption);
    FakeFiles files;
    files.served["-x"] = "Exit\n";
    EXPECT_EQ(Read(files, {"-x"}).script, Words{"-x"});
    EXPECT_EQ(Read(files, {"-x", "a.txt"}).action, Action::RefuseOption);
}

TEST(QuietRun, StandardOutputHoldsOnlyWhatTheScriptPrints) {
    ProgramRun run;
    run.fake.files.served["a.txt"] = kArguments;
    run.start({"-q", "a.txt", "two words", "~Print(\"x\") $x"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.fake.console.transcript, "2|a.txt|two words|~Print(\"x\") $x|\n");
    EXPECT_EQ(run.errors(), "");
}

TEST(QuietRun, TheErrorReportGoesPlainToStandardErrorWithoutThePause) {
    ProgramRun run;
    run.fake.files.served["a.txt"] = "#Import <dos>\n~Print(\"before\")\n$a = 1 / 0\n";
    run.start({"--quiet", "a.txt"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.fake.console.transcript, "before");
    EXPECT_EQ(run.errors(), Report(3, "Division by zero: 1/0", "\x07$a=1/0"));
    ProgramRun missing;
    missing.start({"-q", "missing.txt"});
    EXPECT_EQ(missing.fake.console.transcript, "");
    EXPECT_EQ(missing.errors(), Report(-1, "There is no file information", "missing.txt"));
}

TEST(QuietRun, WithoutAScriptAutoRunsOrANameIsReadWithoutThePrompt) {
    ProgramRun automatic;
    automatic.fake.files.served["AUTO.TXT"] = kArguments;
    automatic.start({"-q"});
    EXPECT_EQ(automatic.fake.console.transcript, "0|AUTO.txt|||\n");
    ProgramRun typed;
    typed.fake.console.lines = {"named"};
    typed.fake.files.served["named.txt"] = kArguments;
    typed.start({"-q"});
    EXPECT_EQ(typed.fake.console.transcript, "0|named.txt|||\n");
}

TEST(ProgramRun, ExitSetsTheStatusAndTheBannerStaysWithoutOptions) {
    ProgramRun run;
    run.fake.files.served["a.txt"] = "Exit 3\n";
    run.start({"a.txt"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.fake.console.log.front(), "clear");
    EXPECT_NE(run.fake.console.out.find("Ranks: 8192 -> 8191 = 1\nRun  : a.txt\n\n"), std::string::npos);
}

TEST(ProgramRun, VersionHelpAndAnUnknownOptionAnswerWithoutAScript) {
    ProgramRun version;
    version.start({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.fake.console.transcript, "morrowlark64 1.4.4 (2014.04.01)\n");
    ProgramRun help;
    help.start({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.fake.console.transcript.rfind("Usage: morrowlark64 [-q|--quiet] SCRIPT [ARG...]\n"
                                                 "       morrowlark64 --check SCRIPT\n"
                                                 "       morrowlark64 --version | --help\n", 0), 0u);
    ProgramRun unknown;
    unknown.start({"-x", "a.txt"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.fake.console.transcript, "");
    EXPECT_EQ(unknown.errors(), "Unknown option: -x\n" + help.fake.console.transcript);
}


TEST(CommandLine, CheckNamesTheScriptAfterIt) {
    const CommandLine check = Read({"--check", "a.txt"});
    EXPECT_EQ(check.action, Action::Check);
    EXPECT_EQ(check.script, Words{"a.txt"});
    EXPECT_EQ(Read({"--check"}).action, Action::Check);
    EXPECT_TRUE(Read({"--check"}).script.empty());
}

TEST(ProgramRun, CheckRunsNothingAndItsStatusSaysWhetherItFoundAnything) {
    ProgramRun clean;
    clean.fake.files.served["a.txt"] = "#Import <dos>\n~Print(\"ran\")\n";
    clean.start({"--check", "a.txt"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.fake.console.transcript, "");
    ProgramRun trap;
    trap.fake.files.served["a.txt"] = "#Import <dos>\n$a = 1\nCmp ($a = 2)\n~Print(\"ran\")\nEnd\n";
    trap.start({"--check", "a.txt"});
    EXPECT_EQ(trap.status, 1);
    EXPECT_EQ(trap.fake.console.transcript, "a.txt:3:9: warning: a single = is no comparison: the condition always "
                                            "holds; write == to compare [ML102]\n");
    ProgramRun missing;
    missing.start({"--check", "none.txt"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.fake.console.transcript, "none.txt:1:1: error: There is no file information: none.txt [ML100]\n");
    ProgramRun two;
    two.start({"--check", "a.txt", "b.txt"});
    EXPECT_EQ(two.status, 2);
    EXPECT_EQ(two.errors().rfind("Usage: ", 0), 0u);
}

}  // namespace ml
