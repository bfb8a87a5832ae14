#include "tagged_lines.h"

#include <cstdio>
#include <set>

namespace ml {

namespace {

// Data this short fits whole in any value and, with every byte escaped (four bytes
// each), beside the rest of any statement of the data scripts in one line's text.
constexpr std::size_t kWhole = 32;

std::string Shown(std::string_view text, bool shown) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (shown && text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
    }
    return out;
}

// The ends of the stream's pieces from `from` that show as the value: two where the
// value's last "%" may be a "%%" whole or its first half.
std::vector<std::size_t> PieceEnds(std::string_view stream, std::size_t from, std::string_view value, bool shown) {
    std::size_t at = from;
    for (std::size_t k = 0; k < value.size(); ++k, ++at) {
        if (at >= stream.size() || stream[at] != value[k]) return {};
        const bool pair = shown && value[k] == '%' && at + 1 < stream.size() && stream[at + 1] == '%';
        if (pair && k + 1 == value.size()) return {at + 1, at + 2};
        if (pair) ++at;
    }
    return {at};
}

// The first value that is not the shown form of the stream's next piece, where the
// values, in order, do not make up the stream; null where they do.
const std::string* FirstStray(const std::vector<std::string>& values, std::string_view stream, bool shown) {
    std::set<std::size_t> ends = {0};
    for (const std::string& value : values) {
        std::set<std::size_t> next;
        for (std::size_t from : ends)
            for (std::size_t end : PieceEnds(stream, from, value, shown)) next.insert(end);
        if (next.empty()) return &value;
        ends = std::move(next);
    }
    static const std::string kMissing = "(the pieces end early)";
    return ends.contains(stream.size()) ? nullptr : &kMissing;
}

struct Reading {
    Reading(const DataInput& typed, bool throughPrint) : input(typed), shown(throughPrint) {}

    const DataInput& input;
    bool shown;
    std::vector<std::string> pieces;  // the values of the f lines
    std::set<std::string> tags;
    std::vector<std::string> findings;
    bool ended = false;

    void fail(std::string_view line, std::string_view why) {
        findings.push_back(std::string(why) + ": " + Visible(line));
    }
    // The line is the head and the value, then the end "]", where the value may be cut
    // short (and the end with it), and must be whole where it is short.
    void expect(std::string_view line, const std::string& head, const std::string& value, std::size_t size) {
        const std::string whole = head + value + "]";
        std::string_view rest = line.substr(std::min(line.size(), head.size()));
        if (rest.ends_with("]")) rest.remove_suffix(1);
        if (!line.starts_with(head) || !value.starts_with(rest)) fail(line, "changed, not " + Visible(whole));
        else if (size <= kWhole && line != whole) fail(line, "cut short, not " + Visible(whole));
    }
    void line(std::string_view text) {
        const std::string tag(text.substr(0, text.find('=')));
        tags.insert(tag);
        if (tag.size() == 2 && tag[0] == 'i' && tag[1] >= '1' && tag[1] < char('1' + kTypedLines)) {
            const std::string& typed = input.typed[static_cast<std::size_t>(tag[1] - '1')];
            expect(text, tag + "=", Shown(typed, shown), typed.size());
        } else if (tag == "f" && text.ends_with("]")) {
            pieces.emplace_back(text.substr(2, text.size() - 3));
        } else if (tag == "g" && !pieces.empty()) {
            expect(text, "g=", pieces.back(), pieces.back().size());
        } else {
            fail(text, "a line the script does not write");
        }
    }
    // The tags the script names at its end: typed lines must have come, the pieces
    // must make up the file, and each piece read must have come back through g.
    void end(std::string_view text) {
        ended = true;
        for (std::size_t from = 5; from < text.size();) {
            const std::size_t space = std::min(text.find(' ', from), text.size());
            const std::string tag(text.substr(from, space - from));
            from = space + 1;
            const std::string* stray = tag == "f" ? FirstStray(pieces, input.stream, shown) : nullptr;
            if (stray != nullptr) fail(*stray, "a piece that is not the file's next");
            else if (tag != "f" && !tags.contains(tag) && (tag != "g" || !pieces.empty()))
                fail(text, "no line of " + tag);
        }
    }
};

}  // namespace

std::vector<std::string> TaggedLineFindings(std::string_view text, const DataInput& input, bool shown) {
    Reading reading(input, shown);
    std::size_t from = 0;
    for (std::size_t end; (end = text.find('\n', from)) != std::string_view::npos; from = end + 1) {
        const std::string_view line = text.substr(from, end - from);
        if (line.starts_with("end: ") && end + 1 == text.size()) reading.end(line);
        else reading.line(line);
    }
    if (from != text.size() || !reading.ended) reading.fail(text.substr(from), "the script did not reach its end");
    return reading.findings;
}

std::string Visible(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", c);
            out += escape;
        }
    }
    return out;
}

}  // namespace ml
