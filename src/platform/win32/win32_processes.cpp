#include "platform/win32/win32_processes.h"

#include <vector>

namespace ml {

namespace {

// How long a process is given to go once it was told to end.
constexpr DWORD kEndMilliseconds = 2000;

bool HasEnded(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

// A process that is not started here, opened to be ended; null with the system's
// reason when it cannot be. The system reads an id without its two low bits, so 4001
// would open process 4000: a process whose id is not the one asked is none.
HANDLE OpenToEnd(ProcessId id) {
    const HANDLE process =
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr || GetProcessId(process) == id) return process;
    CloseHandle(process);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

// The outcome of ending an open process handle.
ProcessEnd EndProcess(HANDLE process) {
    if (HasEnded(process)) return ProcessEnd::NotFound;
    if (!TerminateProcess(process, 1) && !HasEnded(process)) return ProcessEnd::Refused;
    return WaitForSingleObject(process, kEndMilliseconds) == WAIT_OBJECT_0 ? ProcessEnd::Ended : ProcessEnd::Refused;
}

}  // namespace

Win32Processes::~Win32Processes() {
    for (const auto& [id, process] : started_) CloseHandle(process);
}

// CreateProcess may write into the command line, so it gets a copy of its own.
std::optional<ProcessId> Win32Processes::start(const std::string& command) {
    releaseEnded();
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created))
        return std::nullopt;
    CloseHandle(created.hThread);
    started_[created.dwProcessId] = created.hProcess;
    return static_cast<ProcessId>(created.dwProcessId);
}

std::optional<std::int64_t> Win32Processes::waitForExit(ProcessId id, std::uint32_t milliseconds) {
    const HANDLE process = startedHandle(id);
    DWORD code = 0;
    if (process == nullptr || WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process, &code)) {
        return std::nullopt;
    }
    release(id);
    return static_cast<std::int64_t>(code);
}

ProcessEnd Win32Processes::end(ProcessId id) {
    releaseEnded();
    if (id == GetCurrentProcessId()) return ProcessEnd::Refused;
    if (const HANDLE process = startedHandle(id)) {
        const ProcessEnd result = EndProcess(process);
        release(id);
        return result;
    }
    const HANDLE process = OpenToEnd(id);
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER ? ProcessEnd::NotFound : ProcessEnd::Refused;
    const ProcessEnd result = EndProcess(process);
    CloseHandle(process);
    return result;
}

void Win32Processes::releaseEnded() {
    for (auto it = started_.begin(); it != started_.end();) {
        if (!HasEnded(it->second)) {
            ++it;
            continue;
        }
        CloseHandle(it->second);
        it = started_.erase(it);
    }
}

HANDLE Win32Processes::startedHandle(ProcessId id) const {
    const auto found = started_.find(id);
    return found == started_.end() ? nullptr : found->second;
}

void Win32Processes::release(ProcessId id) {
    const auto found = started_.find(id);
    if (found == started_.end()) return;
    CloseHandle(found->second);
    started_.erase(found);
}

}  // namespace ml
