// The blocks of `Cmp`, `ElCmp`, `End` and `Loop`: how a condition's outcome moves the program
// counter. A block's statement may be the line a call left, which the call's
// `Return` runs, so both the executor and the call protocol run blocks here.
#pragma once

#include "core/interp.h"
#include "core/statement.h"

namespace ml {

// Leaves a block for good at its successor: into the next `ElCmp`'s Condition, or
// past the `End` or `Loop`.
inline void LeaveBranch(Interp& in, bool& search) {
    const int next = in.program.successors[static_cast<std::size_t>(in.exec.pc)];
    search = in.program.statement(next).block == Block::Branch;
    in.exec.pc = search ? next : next + 1;
}

// Decide gives the block's condition, evaluated only where it is read.
template <class Decide>
void RunCmp(Interp& in, Decide decide) {
    bool& search = in.calls.runningFrame().elcmpSearch;
    if (decide()) ++in.exec.pc;
    else LeaveBranch(in, search);
}

template <class Decide>
void RunElCmp(Interp& in, Decide decide) {
    bool& search = in.calls.runningFrame().elcmpSearch;
    if (!search) {
        // The previous branch ran to its end: pass control along the chain.
        in.exec.pc = in.program.successors[static_cast<std::size_t>(in.exec.pc)];
    } else if (decide()) {
        search = false;
        ++in.exec.pc;
    } else {
        LeaveBranch(in, search);
    }
}

// `Loop`: back to its `Cmp`, whose condition decides again.
inline void RunLoop(Interp& in) { in.exec.pc = in.program.successors[static_cast<std::size_t>(in.exec.pc)]; }

}  // namespace ml
