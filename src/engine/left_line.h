// The line a call leaves, run from its decoded form with the call's result where the
// call stood: a built-in function's value puts it there at once, a user function's
// `Return` later. Inline, as it is the last step of every call that gives a value.
#pragma once

#include <string_view>

#include "core/decoded_form.h"
#include "core/errors.h"
#include "core/interp.h"
#include "engine/blocks.h"
#include "engine/entry_decoder.h"
#include "expr/decoded_join.h"

namespace ml {

// The decoded line a call left counts as the statement its filled text would have been.
inline void CountLeftLine(Interp& in) {
    if (--in.exec.statementsLeft == 0) throw ProgramEnd{};
}

// Runs the line a call left at the program counter. False where the filled text must
// run instead.
inline bool RunLeftLine(Interp& in, DecodedEntry* left, std::string_view result) {
    if (left == nullptr) return false;
    // The value of `$x = ~F()` is found before the statement counts.
    ValueNumber number;
    std::string_view value;
    const bool stores = left->storesResultAlone && LoneResultValue(result, in.vars.incoming, value, number);
    if (!stores && !LeftLineTakes(*left, result)) return false;
    CountLeftLine(in);
    if (stores) RunResultAssignment(in, *left, value, number);
    else if (left->kind == EntryKind::Assign) RunDecodedAssignment(in, *left, result);
    else if (left->kind == EntryKind::Cmp) RunCmp(in, [&] { return DecodedCondition(in, *left, result); });
    else RunElCmp(in, [&] { return DecodedCondition(in, *left, result); });
    return true;
}

}  // namespace ml
