#include "platform/posix/trial_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace ml {

namespace {

constexpr long kLookEveryNanoseconds = 5000000;

[[noreturn]] void RunTrial(bool (*trial)()) {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    const int nothing = open("/dev/null", O_RDWR);
    for (int stream : {0, 1, 2}) dup2(nothing, stream);
    _exit(trial() ? 0 : 1);
}

}  // namespace

bool SucceedsInTrial(bool (*trial)(), std::chrono::milliseconds limit) {
    const pid_t child = fork();
    if (child == 0) RunTrial(trial);
    if (child < 0) return false;
    const auto until = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > until) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        const timespec pause{0, kLookEveryNanoseconds};
        nanosleep(&pause, nullptr);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace ml
