// The programs a script starts on this host: /bin/sh runs each command, and the
// children are collected once they end, so that none stays behind as a zombie.
#pragma once

#include <sys/types.h>

#include <vector>

#include "platform/platform.h"

namespace ml {

class PosixProcesses final : public Processes {
public:
    std::optional<ProcessId> start(const std::string& command) override;
    std::optional<std::int64_t> waitForExit(ProcessId id, std::uint32_t milliseconds) override;
    ProcessEnd end(ProcessId id) override;

private:
    // Collects the children that have ended, without waiting.
    void collectEnded();
    bool isChild(pid_t pid) const;
    // Whether the process runs; a child of ours that has ended is collected.
    bool running(pid_t pid);
    // Waits up to the time for the process to stop running.
    bool endsWithin(pid_t pid, int milliseconds);
    // False when the signal could not be sent (another user's process).
    bool signal(pid_t pid, int number);

    // The children started and not yet collected.
    std::vector<pid_t> children_;
};

}  // namespace ml
