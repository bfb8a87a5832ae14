// Trying first, in a process of its own, a library call that may end the process that
// makes it (some libraries abort where they find no service to talk to) or may never
// return.
#pragma once

#include <chrono>

namespace ml {

// Runs the trial in a child process, which says nothing on the terminal and leaves no
// core file behind; true when the trial gave true within the time. A child still
// running then is killed.
bool SucceedsInTrial(bool (*trial)(), std::chrono::milliseconds limit);

}  // namespace ml
