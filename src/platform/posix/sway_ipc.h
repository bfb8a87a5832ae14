// The IPC socket of the sway compositor (SWAYSOCK, i3's message format), which
// tells where windows are and moves them: no common Wayland protocol does either.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/json_reader.h"

namespace ml {

// One window (a view) of the compositor's tree.
struct SwayView {
    long long id = 0;
    std::string title;
    std::string appId;
    WindowRect outer;   // with its border and title bar, in layout coordinates
    WindowRect inside;  // what the program draws, in layout coordinates
    bool visible = false;
};

// The views of a tree that get_tree answered, in the order the compositor made them.
std::vector<SwayView> ViewsOfTree(const JsonValue& tree);

// The socket SWAYSOCK names; empty when it names none.
std::string SwaySocketPath();

// The compositor's views; nothing when the socket is missing or its answer unreadable.
std::optional<std::vector<SwayView>> SwayViews();

// Runs a command on the compositor; false when it was not carried out.
bool SwayCommand(const std::string& command);

}  // namespace ml
