#include "automation/desk_processes.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "automation/desk_messages.h"
#include "core/errors.h"

namespace ml {

namespace {

// The first process of a Linux system, which signals could bring down with everything.
constexpr std::int64_t kInitProcess = 1;

[[noreturn]] void FailToEnd(Interp& in, std::int64_t id) { Fail(in, Say(in, kMsgCannotEnd) + std::to_string(id)); }

}  // namespace

ProcessId StartProgram(Interp& in, std::string_view function, const std::string& command) {
    const std::optional<ProcessId> id = in.platform.processes.start(command);
    if (!id) Fail(in, std::string(function) + Say(in, kMsgCannotStart) + command);
    return *id;
}

std::int64_t RunAndWait(Interp& in, const std::string& command, int milliseconds) {
    const ProcessId id = StartProgram(in, "~Desk.RunWait", command);
    const auto time = static_cast<std::uint32_t>(std::max(milliseconds, 0));
    return in.platform.processes.waitForExit(id, time).value_or(-1);
}

// A process id of 0 or below would signal a whole process group, or every process
// the program may signal: such ids name no process.
int EndProcess(Interp& in, std::int64_t id) {
    if (id < 1 || id > UINT32_MAX) return 0;
    if (id == kInitProcess) FailToEnd(in, id);
    switch (in.platform.processes.end(static_cast<ProcessId>(id))) {
    case ProcessEnd::Ended:
        return 1;
    case ProcessEnd::NotFound:
        return 0;
    case ProcessEnd::Refused:
        break;
    }
    FailToEnd(in, id);
}

}  // namespace ml
