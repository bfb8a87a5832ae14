#include "core/program.h"

namespace ml {

const std::string& Program::text(int entry) const {
    static const std::string empty;
    const auto at = static_cast<std::size_t>(entry);
    return entry >= 0 && at < texts.size() ? texts[at] : empty;
}

const Statement& Program::statement(int entry) const {
    const auto at = static_cast<std::size_t>(entry);
    return entry >= 0 && at < texts.size() ? Statements()[statements[at]] : StatementOf({});
}

void Program::addEntry(const std::string& text, bool bracket, bool call) {
    if (entryCount < kMaxEntries) {
        const auto at = static_cast<std::size_t>(entryCount);
        texts.push_back(text);
        hasBracket[at] = bracket;
        hasCall[at] = call;
        statements[at] = StatementIndex(text);
    }
    ++entryCount;
}

}  // namespace ml
