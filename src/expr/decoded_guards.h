// When a decoded form stands for its text. An entry's text is what defines the
// entry; its decoded form (core/decoded_form.h) only skips work that reading the text
// again would repeat. Each check here names one way in which the text path would read
// a line otherwise than its decoded form, and every decoder asks it; where a check
// fails, the line runs from its text, which then decides and reports.
//
// Decoding itself refuses, once per entry (engine/entry_decoder.cpp and
// expr/indexed_line.cpp), what the text alone does not fix: an entry longer than its
// offsets can hold or holding the result hole's bytes itself; an index that holds
// an index without being one element, an index holding `=`, a literal beside an
// index (the text path writes index values into the line and reads it again); an
// object binding and an array literal; a target with other than one `$`; a line a
// call left that holds a further call.
//
// The checks below are asked each time the form runs, as they depend on values.
// Chains and joins refuse, as they evaluate, what their own terms cannot stand for
// (expr/chain.h, expr/decoded_join.h): a reference to a missing variable or to a value
// that is no plain number, a negative value where it does not come first (it would
// read as a sign), a substituted text longer than a value, and any failure of an
// operation; a variable's number records whether its text holds a marker byte or
// backslash or reads as arithmetic (ValueNumber in core/run_state.h), where the text
// path would read more into it.
#pragma once

#include <string_view>

#include "core/decoded_form.h"
#include "core/limits.h"

namespace ml {

// A call's result filling an expression's hole: a filled text longer than a value is
// cut before it is read, which only the text path does.
inline bool FormsHold(const DecodedExpression& decoded, std::string_view result) {
    return !decoded.hole || decoded.source.size() - kResultHole.size() + result.size() <= kMaxText;
}

// The decoded line a call left, with result filled in: a marker byte in the result
// would make the filled line read differently (another call, a reference), unless the
// result is one literal, which the decoded forms read as the text does; so would a
// comparison sign in a condition, an empty result that joins the bytes around it into
// one, and an assignment that the result turns into an array literal.
bool LeftLineTakes(const DecodedEntry& left, std::string_view result);

// An index's value written into its line: a name or number without blanks, brackets,
// quotes, references, calls or escapes leaves the line reading as decoded; anything
// else could end the index, the name or the line's target elsewhere.
bool IsPlainIndex(std::string_view value);

}  // namespace ml
