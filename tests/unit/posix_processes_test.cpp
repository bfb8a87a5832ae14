// The Linux process service on real programs: exit statuses, waits that run out,
// ending a program with what it started, processes that are not there, and children
// that never stay behind as zombies.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <fstream>
#include <string>
#include <thread>

#include "platform/posix/posix_processes.h"

namespace ml {
namespace {

// Whether a process with the id is there and no zombie.
bool Runs(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const std::size_t close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

// The zombies among this process's children.
int Zombies() {
    int count = 0;
    std::ifstream children("/proc/self/task/" + std::to_string(getpid()) + "/children");
    for (pid_t child = 0; children >> child;) count += !Runs(child);
    return count;
}

TEST(PosixProcesses, ExitStatusesOfTheShellsCommandsAndOfASignal) {
    PosixProcesses processes;
    for (const auto& [command, status] : {std::pair<const char*, int>{"exit 7", 7}, {"true", 0},
                                          {"no-such-program-here 2>/dev/null", 127}, {"kill -9 $$", 128 + 9}}) {
        const std::optional<ProcessId> id = processes.start(command);
        ASSERT_TRUE(id) << command;
        EXPECT_EQ(processes.waitForExit(*id, 10000), std::optional<std::int64_t>(status)) << command;
    }
}

TEST(PosixProcesses, AWaitThatRunsOutLeavesTheProgramRunning) {
    PosixProcesses processes;
    const ProcessId id = processes.start("sleep 30").value();
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(processes.waitForExit(id, 100), std::nullopt);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(100));
    EXPECT_TRUE(Runs(static_cast<pid_t>(id)));
    EXPECT_EQ(processes.end(id), ProcessEnd::Ended);
}

TEST(PosixProcesses, TheProgramReadsNothingFromTheScriptsInput) {
    PosixProcesses processes;
    // read fails at once on /dev/null; on a terminal or pipe it would wait.
    const ProcessId id = processes.start("read line; exit 3").value();
    EXPECT_EQ(processes.waitForExit(id, 10000), std::optional<std::int64_t>(3));
}

// The shell's pipeline runs in the program's process group, and ends with it.
TEST(PosixProcesses, EndingAProgramEndsWhatItStarted) {
    PosixProcesses processes;
    const ProcessId id = processes.start("sleep 31 | sleep 32").value();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_EQ(processes.end(id), ProcessEnd::Ended);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_NE(system("pgrep -f '^sleep 3[12]$' >/dev/null"), 0);
}

TEST(PosixProcesses, AProgramThatIgnoresTheRequestIsKilledAfterTwoSeconds) {
    PosixProcesses processes;
    const ProcessId id = processes.start("trap '' TERM; while :; do sleep 0.05; done").value();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(processes.end(id), ProcessEnd::Ended);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(2000));
}

TEST(PosixProcesses, ProcessesThatAreNotThereOrNotOursToEnd) {
    PosixProcesses processes;
    const ProcessId id = processes.start("exit 0").value();
    EXPECT_EQ(processes.waitForExit(id, 10000), std::optional<std::int64_t>(0));
    EXPECT_EQ(processes.end(id), ProcessEnd::NotFound);
    EXPECT_EQ(processes.end(static_cast<ProcessId>(INT_MAX) + 1), ProcessEnd::NotFound);
    EXPECT_EQ(processes.end(static_cast<ProcessId>(getpid())), ProcessEnd::Refused);
    // A child that has ended but is not collected yet runs no more.
    const ProcessId ended = processes.start("exit 0").value();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(processes.end(ended), ProcessEnd::NotFound);
}

TEST(PosixProcesses, EndedChildrenAreCollectedAtTheNextStart) {
    PosixProcesses processes;
    // Each still runs when the next starts, so none is collected on the way; the
    // wait for them all to end is generous, as a loaded machine starts programs slowly.
    for (int i = 0; i < 10; ++i) processes.start("sleep 1");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (Zombies() < 10 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(Zombies(), 10);
    // The new one runs on while they are counted, so it cannot be taken for one of them.
    const ProcessId id = processes.start("sleep 30").value();
    EXPECT_EQ(Zombies(), 0);
    EXPECT_EQ(processes.end(id), ProcessEnd::Ended);
}

}  // namespace
}  // namespace ml
