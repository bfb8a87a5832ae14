#include "platform/posix/posix_processes.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

extern char** environ;

namespace ml {

namespace {

// How long a process is given to end after SIGTERM, and after SIGKILL.
constexpr int kTermMilliseconds = 2000;
constexpr int kKillMilliseconds = 2000;
// How often a wait looks again: short enough that a wait ends soon after the program.
constexpr auto kLookInterval = std::chrono::milliseconds(5);

// The exit status as a shell reports it: 128 + the signal that ended the program.
std::int64_t StatusOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

// Collects the child when it has ended; gives its status then.
std::optional<std::int64_t> CollectIfEnded(pid_t pid) {
    int status = 0;
    pid_t collected = 0;
    do collected = waitpid(pid, &status, WNOHANG);
    while (collected < 0 && errno == EINTR);
    if (collected == pid) return StatusOf(status);
    // Collected by someone else already: it has ended, its status is gone.
    if (collected < 0) return -1;
    return std::nullopt;
}

// A process that has ended but whose parent has not collected it shows the state Z.
// The state follows the name in brackets, and a name holds at most 15 bytes, so the
// last ')' of the first bytes is the one that closes it.
bool IsZombie(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) return false;
    char start[128] = {};
    const std::size_t length = std::fread(start, 1, sizeof start - 1, file);
    std::fclose(file);
    const char* close = nullptr;
    for (std::size_t i = 0; i < length; ++i)
        if (start[i] == ')') close = start + i;
    return close != nullptr && close + 2 < start + length && close[2] == 'Z';
}

// Standard input from /dev/null keeps a started program from taking the script's
// input; its own process group keeps the terminal's Ctrl+C to the script, and lets
// the program be ended with what it started itself.
bool Spawn(const std::string& command, pid_t& pid) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    char shell[] = "/bin/sh", option[] = "-c";
    std::string text = command;
    char* arguments[] = {shell, option, text.data(), nullptr};
    const int failed = posix_spawn(&pid, shell, &actions, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0;
}

}  // namespace

std::optional<ProcessId> PosixProcesses::start(const std::string& command) {
    collectEnded();
    pid_t pid = 0;
    if (!Spawn(command, pid)) return std::nullopt;
    children_.push_back(pid);
    return static_cast<ProcessId>(pid);
}

std::optional<std::int64_t> PosixProcesses::waitForExit(ProcessId id, std::uint32_t milliseconds) {
    const pid_t pid = static_cast<pid_t>(id);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (const std::optional<std::int64_t> status = CollectIfEnded(pid)) {
            std::erase(children_, pid);
            return status;
        }
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(kLookInterval);
    }
}

ProcessEnd PosixProcesses::end(ProcessId id) {
    collectEnded();
    if (id > static_cast<ProcessId>(INT_MAX)) return ProcessEnd::NotFound;
    const pid_t pid = static_cast<pid_t>(id);
    if (pid == getpid()) return ProcessEnd::Refused;
    if (!running(pid)) return ProcessEnd::NotFound;
    // A process that ended between the look and the signal has ended all the same.
    if (!signal(pid, SIGTERM)) return running(pid) ? ProcessEnd::Refused : ProcessEnd::Ended;
    if (endsWithin(pid, kTermMilliseconds)) return ProcessEnd::Ended;
    signal(pid, SIGKILL);
    return endsWithin(pid, kKillMilliseconds) ? ProcessEnd::Ended : ProcessEnd::Refused;
}

void PosixProcesses::collectEnded() {
    std::erase_if(children_, [](pid_t child) { return CollectIfEnded(child).has_value(); });
}

bool PosixProcesses::isChild(pid_t pid) const {
    return std::find(children_.begin(), children_.end(), pid) != children_.end();
}

bool PosixProcesses::running(pid_t pid) {
    if (isChild(pid)) {
        if (!CollectIfEnded(pid)) return true;
        std::erase(children_, pid);
        return false;
    }
    // A process of another user answers that it may not be signalled: it runs.
    return (kill(pid, 0) == 0 || errno == EPERM) && !IsZombie(pid);
}

bool PosixProcesses::endsWithin(pid_t pid, int milliseconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (running(pid)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kLookInterval);
    }
    return true;
}

// A program started here leads a process group of its own, and what it started
// (a shell's pipeline, say) is ended with it; any other process is signalled alone.
bool PosixProcesses::signal(pid_t pid, int number) {
    if (isChild(pid) && kill(-pid, number) == 0) return true;
    return kill(pid, number) == 0;
}

}  // namespace ml
