#include "loader/program.h"

namespace ml {

const std::string& Program::text(int entry) const {
    static const std::string empty;
    return entry >= 0 && entry < kMaxEntries ? ListStr_0[static_cast<std::size_t>(entry)] : empty;
}

}  // namespace ml
