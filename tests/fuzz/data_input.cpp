#include "data_input.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace ml {

namespace {

// What the bytes below 0x20 stand for. The marker byte (7) that starts references,
// calls and literals comes alone and in each of those roles, beside the other syntax
// bytes, escapes, and names the scripts hold or that reach outside.
constexpr std::array<std::string_view, 32> kWords = {
    "\x07", "\"", "$", "~", ",", "(", ")", "\\",
    "<", "=", "\n", ">", "[", "]", "\\x", "\x07$",
    "\x07~", "\x07\"", "secret", "~dllmsg(", "~print(", "~system(", "\x07!", "\x07\\",
    "\\x07", "\\x22", "\t", "\r", std::string_view("\0", 1), "\x07$secret", "\x07~comsg(", "%%",
};

std::string Expand(const std::uint8_t* data, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] < kWords.size()) text += kWords[data[i]];
        else text += static_cast<char>(data[i]);
    }
    return text;
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        lines.emplace_back(text.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

// A typed line stored alone is computed when it is empty or made only of digits and
// operators, and a value kept from a long one may be cut to its first 200 bytes or
// so: a letter in front keeps it a text.
std::string AsText(std::string line) {
    const std::size_t text = line.find_first_not_of("()*+,-./0123456789%^");
    return text == std::string::npos || text >= 200 ? "t" + line : line;
}

// Enough lines for every file reader, few enough that no script reaches the harness's
// bound on statements.
constexpr std::size_t kFileLines = 64;

std::string FileOf(const std::vector<std::string>& lines, std::string_view lineEnd, bool lastEnded) {
    std::string file;
    const std::size_t count = std::min(lines.size(), kFileLines);
    for (std::size_t k = 0; k < count; ++k) {
        file += lines[k];
        if (k + 1 < count || lastEnded) file += lineEnd;
    }
    return file;
}

// A CR LF is read as a line feed; the line feeds only part the lines.
std::string StreamOf(std::string_view file) {
    std::string stream;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') continue;
        if (file[i] != '\n') stream += file[i];
    }
    return stream;
}

}  // namespace

DataInput ReadDataInput(const std::uint8_t* data, std::size_t size, std::size_t scripts) {
    DataInput input;
    if (size == 0) return input;
    input.script = data[0] % scripts;
    const std::size_t flags = data[0] / scripts;
    input.decoded = (flags & 1) == 0;
    const std::vector<std::string> lines = Lines(Expand(data + 1, size - 1));
    for (std::size_t k = 0; k < kTypedLines; ++k) input.typed.push_back(AsText(k < lines.size() ? lines[k] : ""));
    input.file = FileOf(lines, (flags & 2) ? "\r\n" : "\n", (flags & 4) == 0);
    input.stream = StreamOf(input.file);
    return input;
}

}  // namespace ml
