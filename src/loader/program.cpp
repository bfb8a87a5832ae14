#include "loader/program.h"

namespace ml {

const std::string& Program::text(int entry) const {
    static const std::string empty;
    const auto at = static_cast<std::size_t>(entry);
    return entry >= 0 && at < ListStr_0.size() ? ListStr_0[at] : empty;
}

void Program::addEntry(const std::string& text, bool bracket, bool call) {
    if (ListBox_1 < kMaxEntries) {
        const auto at = static_cast<std::size_t>(ListBox_1);
        ListStr_0.push_back(text);
        Int_OP_1[at] = bracket;
        Int_OP_2[at] = call;
    }
    ++ListBox_1;
}

}  // namespace ml
