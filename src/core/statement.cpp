#include "core/statement.h"

namespace ml {

namespace {

bool Matches(const Statement& row, std::string_view text) {
    // The first byte settles most rows, before a whole comparison.
    if (!row.word.empty() && (text.empty() || text[0] != row.word[0])) return false;
    return row.prefix ? text.substr(0, row.word.size()) == row.word : text == row.word;
}

}  // namespace

std::uint8_t StatementIndex(std::string_view text) {
    const std::span<const Statement> rows = Statements();
    std::size_t at = 0;
    while (at + 1 < rows.size() && !Matches(rows[at], text)) ++at;
    return static_cast<std::uint8_t>(at);
}

}  // namespace ml
