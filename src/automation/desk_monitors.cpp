#include "automation/desk_monitors.h"

#include <string>
#include <vector>

#include "automation/argument_ranges.h"
#include "automation/desktop_access.h"
#include "core/builtin.h"
#include "core/strings.h"

namespace ml {

namespace {

// Followed by the number of monitors and a closing bracket.
inline constexpr MsgPair kMsgMonitorLimit{" (Numerical limit: 1 ~ ", " (數值限制: 1 ~ "};

}  // namespace

int MonitorCount(Interp& in) { return static_cast<int>(UsableDesktop(in).monitors().size()); }

WindowRect NumberedMonitor(Interp& in, std::string_view function) {
    const std::vector<WindowRect> monitors = UsableDesktop(in).monitors();
    const std::int64_t n = TextToInt64(Arg(in, 1));
    if (n < 1 || n > static_cast<std::int64_t>(monitors.size())) {
        FailParameter(in, function, 1, std::to_string(n),
                      Say(in, kMsgMonitorLimit) + std::to_string(monitors.size()) + ")");
    }
    return monitors[static_cast<std::size_t>(n - 1)];
}

}  // namespace ml
