#include "expr/decoded_guards.h"

#include <algorithm>

#include "core/markers.h"
#include "core/strings.h"
#include "expr/decoded_join.h"

namespace ml {

namespace {

// Whether an expression with its hole filled by result ends with `end`, read from
// the end without joining the texts.
bool FilledEndsWith(const DecodedExpression& expression, std::string_view result, std::string_view end) {
    const std::string_view text = expression.source;
    const std::string_view parts[] = {text.substr(expression.holeAt + kResultHole.size()), result,
                                      text.substr(0, expression.holeAt)};
    std::size_t matched = 0;
    for (std::string_view part : parts) {
        for (std::size_t k = part.size(); k-- > 0 && matched < end.size(); ++matched)
            if (part[k] != end[end.size() - 1 - matched]) return false;
    }
    return matched == end.size();
}

}  // namespace

bool LeftLineTakes(const DecodedEntry& left, std::string_view result) {
    if (result.find(kMarker) != std::string_view::npos && !IsOneLiteral(result)) return false;
    if (left.kind == EntryKind::Assign) return !FilledEndsWith(left.sides[0], result, ").array");
    return !result.empty() && result.find_first_of("<>=") == std::string_view::npos;
}

bool IsPlainIndex(std::string_view value) {
    return !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '_' || c == '.' || c == '-';
    });
}

}  // namespace ml
