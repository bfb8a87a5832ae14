// The programs a script starts on this host, each held by its process handle until it
// has ended, so that its exit code can still be read.
#pragma once

#include <windows.h>

#include <map>

#include "platform/platform.h"

namespace ml {

class Win32Processes final : public Processes {
public:
    Win32Processes() = default;
    Win32Processes(const Win32Processes&) = delete;
    Win32Processes& operator=(const Win32Processes&) = delete;
    ~Win32Processes() override;

    std::optional<ProcessId> start(const std::string& command) override;
    std::optional<std::int64_t> waitForExit(ProcessId id, std::uint32_t milliseconds) override;
    ProcessEnd end(ProcessId id) override;

private:
    // Lets go of the programs that have ended.
    void releaseEnded();
    // The handle of a program started here; null for any other.
    HANDLE startedHandle(ProcessId id) const;
    // Lets go of a program started here.
    void release(ProcessId id);

    std::map<ProcessId, HANDLE> started_;
};

}  // namespace ml
