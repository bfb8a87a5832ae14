// Pairs the branch lines of every `Cmp` block once, after loading, so the executor
// never searches for a block's end while running.
#include <vector>

#include "loader/loader.h"

namespace ml {

void PairBlocks(Interp& in) {
    Program& P = in.program;
    const int count = P.entryCount < kMaxEntries ? P.entryCount : kMaxEntries;
    // The loader checked that blocks balance, so the stack never underflows.
    std::vector<int> open;
    for (int e = 0; e < count; ++e) {
        const Block block = P.statement(e).block;
        if (block == Block::Opens) open.push_back(e);
        else if (block == Block::Closes && !open.empty()) open.pop_back();
        else if (block == Block::ClosesLoop && !open.empty()) {
            P.successors[static_cast<std::size_t>(e)] = static_cast<std::uint16_t>(open.back());
            open.pop_back();
        }
    }
    // Seen from the end, each branch's successor is the last entry pushed at its level.
    std::vector<int> next;
    for (int e = count - 1; e >= 0; --e) {
        const Block block = P.statement(e).block;
        const bool isCmp = block == Block::Opens;
        if ((isCmp || block == Block::Branch) && !next.empty()) {
            P.successors[static_cast<std::size_t>(e)] = static_cast<std::uint16_t>(next.back());
            next.pop_back();
            if (!isCmp) next.push_back(e);
        } else if (block == Block::Closes || block == Block::ClosesLoop) {
            next.push_back(e);
        }
    }
}

}  // namespace ml
