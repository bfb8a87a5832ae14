// A recording stand-in for the programs a script starts: ids handed out in turn, exit
// statuses and endings set by the test, and a log of every call.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace ml {

class FakeProcesses final : public Processes {
public:
    std::vector<std::string> log;   // every call, in order
    ProcessId nextId = 500;         // the id the next start gives
    bool startable = true;          // false: no start succeeds
    // The exit status of a program when waited for; a program not listed still runs.
    std::map<ProcessId, std::int64_t> exitStatus;
    // How end comes out for an id; a process not listed is not found.
    std::map<ProcessId, ProcessEnd> endings;

    std::optional<ProcessId> start(const std::string& command) override {
        log.push_back("start " + command);
        if (!startable) return std::nullopt;
        return nextId++;
    }
    std::optional<std::int64_t> waitForExit(ProcessId id, std::uint32_t milliseconds) override {
        log.push_back("wait " + std::to_string(id) + " " + std::to_string(milliseconds));
        const auto found = exitStatus.find(id);
        if (found == exitStatus.end()) return std::nullopt;
        return found->second;
    }
    ProcessEnd end(ProcessId id) override {
        log.push_back("end " + std::to_string(id));
        const auto found = endings.find(id);
        return found == endings.end() ? ProcessEnd::NotFound : found->second;
    }
};

}  // namespace ml
