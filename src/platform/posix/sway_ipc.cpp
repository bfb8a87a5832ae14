#include "platform/posix/sway_ipc.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace ml {

namespace {

constexpr std::string_view kMagic = "i3-ipc";
constexpr std::uint32_t kRunCommand = 0;
constexpr std::uint32_t kGetTree = 4;
// A compositor that stops answering must not hold the script forever.
constexpr int kAnswerMilliseconds = 5000;
// Far above any tree of a real desktop; a longer answer is refused unread.
constexpr std::uint32_t kLongestAnswer = 64u << 20;

// A connected socket, closed when dropped.
struct Socket {
    int file = -1;
    ~Socket() {
        if (file >= 0) close(file);
    }
};

bool Connect(Socket& socket) {
    const std::string path = SwaySocketPath();
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    socket.file = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return socket.file >= 0 && connect(socket.file, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

bool SendAll(int file, const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t now = send(file, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (now <= 0) return false;
        sent += static_cast<std::size_t>(now);
    }
    return true;
}

bool ReceiveAll(int file, char* into, std::size_t size) {
    for (std::size_t got = 0; got < size;) {
        pollfd wait{file, POLLIN, 0};
        if (poll(&wait, 1, kAnswerMilliseconds) <= 0) return false;
        const ssize_t now = recv(file, into + got, size - got, 0);
        if (now <= 0) return false;
        got += static_cast<std::size_t>(now);
    }
    return true;
}

std::optional<std::string> Request(std::uint32_t type, std::string_view payload) {
    Socket socket;
    if (!Connect(socket)) return std::nullopt;
    const auto length = static_cast<std::uint32_t>(payload.size());
    std::string message(kMagic);
    message.append(reinterpret_cast<const char*>(&length), sizeof length);
    message.append(reinterpret_cast<const char*>(&type), sizeof type);
    message.append(payload);
    char header[kMagic.size() + 2 * sizeof(std::uint32_t)];
    if (!SendAll(socket.file, message) || !ReceiveAll(socket.file, header, sizeof header)) return std::nullopt;
    std::uint32_t answerLength = 0;
    std::memcpy(&answerLength, header + kMagic.size(), sizeof answerLength);
    if (std::string_view(header, kMagic.size()) != kMagic || answerLength > kLongestAnswer) return std::nullopt;
    std::string answer(answerLength, '\0');
    if (!ReceiveAll(socket.file, answer.data(), answer.size())) return std::nullopt;
    return answer;
}

WindowRect RectOf(const JsonValue* rect) {
    if (rect == nullptr) return {};
    return {static_cast<int>(rect->numberOf("x")), static_cast<int>(rect->numberOf("y")),
            static_cast<int>(rect->numberOf("width")), static_cast<int>(rect->numberOf("height"))};
}

// Windows hang below outputs and workspaces, tiled ones in "nodes" and floating ones
// in "floating_nodes"; a view is a node that a program's surface fills.
void CollectViews(const JsonValue& node, std::vector<SwayView>& views, int depth) {
    if (depth > kJsonDeepest) return;
    const std::string type = node.textOf("type");
    if ((type == "con" || type == "floating_con") && node.member("app_id") != nullptr) {
        SwayView view{static_cast<long long>(node.numberOf("id")), node.textOf("name"), node.textOf("app_id"),
                      RectOf(node.member("rect")), RectOf(node.member("window_rect")), node.isTrue("visible")};
        view.inside.x += view.outer.x;
        view.inside.y += view.outer.y;
        // The node's rectangle leaves out its title bar, which moving and resizing count.
        const int titleBar = RectOf(node.member("deco_rect")).height;
        view.outer.y -= titleBar;
        view.outer.height += titleBar;
        views.push_back(std::move(view));
    }
    for (const char* children : {"nodes", "floating_nodes"})
        if (const JsonValue* list = node.member(children))
            for (const JsonValue& child : list->items) CollectViews(child, views, depth + 1);
}

}  // namespace

std::vector<SwayView> ViewsOfTree(const JsonValue& tree) {
    std::vector<SwayView> views;
    CollectViews(tree, views, 0);
    std::stable_sort(views.begin(), views.end(), [](const SwayView& a, const SwayView& b) { return a.id < b.id; });
    return views;
}

std::string SwaySocketPath() {
    const char* path = std::getenv("SWAYSOCK");
    return path == nullptr ? std::string() : std::string(path);
}

std::optional<std::vector<SwayView>> SwayViews() {
    const std::optional<std::string> answer = Request(kGetTree, "");
    if (!answer) return std::nullopt;
    const std::optional<JsonValue> tree = ReadJson(*answer);
    if (!tree) return std::nullopt;
    return ViewsOfTree(*tree);
}

// The answer lists one result per command, each with its "success".
bool SwayCommand(const std::string& command) {
    const std::optional<std::string> answer = Request(kRunCommand, command);
    const std::optional<JsonValue> results = answer ? ReadJson(*answer) : std::nullopt;
    if (!results || results->kind != JsonValue::Kind::List || results->items.empty()) return false;
    return std::all_of(results->items.begin(), results->items.end(),
                       [](const JsonValue& result) { return result.isTrue("success"); });
}

}  // namespace ml
