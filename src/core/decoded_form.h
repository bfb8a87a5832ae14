// The decoded form of entries: what the executor learns from an entry's text when it
// runs a second time, kept so that later runs skip reading the text again. Only
// entries whose meaning the text alone fixes are decoded; the others keep the kind
// Text and run from their text every time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/markers.h"
#include "core/run_state.h"

namespace ml {

// Where a call stood, in the line the call leaves. A loaded line holds a marker byte
// only before `$`, `~` and quotes, unless the script wrote one itself: entries that
// hold these bytes are never decoded.
inline constexpr std::string_view kResultHole = "\x07#";

// A number or a variable reference of an arithmetic chain, as written.
struct ChainTerm {
    std::uint16_t from = 0, length = 0;   // its bytes in the chain's text
    bool isVariable = false;
    bool isResult = false;                // the value the line's call left
    bool leading = false;                 // first in its group, where a minus is a sign
    double value = 0;                     // a number's value
    std::int64_t integer = 0;             // a number's integer, as the remainder reads it
    int slot = -1;                        // a reference's variable, once found
};

// One operation of a chain: terms[target] op terms[source], kept in terms[target].
// kNotNegative checks a group's value that does not come first in its group instead.
inline constexpr char kNotNegative = 'n';
struct ChainStep {
    char op;
    std::uint8_t target, source;
};

// An arithmetic chain (numbers and references joined by + - * / % ^) read once, its
// operations already put in the order the levels take them.
struct NumberChain {
    std::string text;                 // the chain, cut as evaluation cuts it
    std::vector<ChainTerm> terms;
    std::vector<ChainStep> steps;
    std::size_t fixedLength = 0;      // bytes of the numbers and operators
    std::uint32_t frame = 0;          // the call frame the slots were found in
    bool holdsResult = false;         // a term is the result hole
};

// A piece of a joined text: a literal's bytes (escapes read), a reference, or the
// value the line's call left.
struct JoinPiece {
    enum class Kind : std::uint8_t { Literal, Reference, Result } kind;
    std::uint16_t from = 0, length = 0;   // in the join's literals or text
    int slot = -1;                        // a reference's variable, once found
};

// Literals and references side by side, as `$name ": " $value "\x0a"` joins them.
struct TextJoin {
    std::string text;                 // the expression as written
    std::string literals;             // the literals' bytes, one after another
    std::vector<JoinPiece> pieces;
    std::uint32_t frame = 0;          // the call frame the slots were found in
    std::string resultBytes;          // scratch: the bytes of a result that is a literal
};

// An expression read once: the source, and the form it was found to have.
struct DecodedExpression {
    std::string source;
    bool hole = false;                // it holds kResultHole
    std::uint16_t holeAt = 0;         // where
    bool numeric = false;             // chain holds it
    bool joined = false;              // join holds it
    bool loneReference = false;       // one reference and nothing else
    bool invariant = false;           // no reference and no hole: one value always
    bool known = false;               // that value found, and kept in constant
    bool constantPlain = false;       // it holds no marker byte
    bool numberKnown = false;         // the number an ordering reads from it, kept
    double number = 0;
    std::string constant;
    ValueNumber constantNumber;       // what the constant reads as, once known
    NumberChain chain;
    std::unique_ptr<TextJoin> join;   // where joined
};

// An argument of a call: its text in the entry, and its decoded form.
struct ArgumentPiece {
    std::uint16_t from = 0, length = 0;
    DecodedExpression expression;
};

// The innermost call of an entry (the one at its last call marker), read once.
struct DecodedCall {
    std::uint16_t marker = 0, end = 0;   // the call's span in the entry's text
    std::uint16_t nameLength = 0;        // the name follows the marker
    std::vector<ArgumentPiece> arguments;
    const CallTarget* target = nullptr;  // where the name's calls go, once found
    bool checked = false;                // a built-in function's count and position
};

// A reference whose name holds computed indices, such as `$a[$i][$j + 1]`: the bytes
// around its indices, and the variable of the key they made last.
struct IndexedReference {
    std::vector<std::string> pieces;      // one more than the indices
    std::vector<std::uint8_t> sites;      // which of the line's sites, left to right
    std::uint8_t term = 0;                // the chain term it is, on the right side
    std::string key;
    int slot = -1;
    std::uint32_t frame = 0;
};

// An index of an array element computed as the line runs: `[$j * 2]`.
struct IndexSite {
    std::uint16_t open = 0, close = 0;    // its brackets in the entry's text
    DecodedExpression index;
    // An index that is one element, `$a[$i]` in `$b[$a[$i]]`: its own indices are
    // sites of the line too, inside this one's brackets.
    std::unique_ptr<IndexedReference> element;
    bool nested = false;                  // inside another site's brackets
};

// An assignment with computed indices. The indices are evaluated right to left, as
// the text path does before it reads the line, and their values name the elements.
struct IndexedLine {
    std::vector<IndexSite> sites;         // right to left
    std::vector<std::string> values;      // this run's, same order
    IndexedReference target;
    std::vector<IndexedReference> reads;  // the right side's elements
    std::uint16_t length = 0;             // of the line as written
    std::string scratch;                  // a key being made
    bool valuesMissing = false;           // this run's stopped at an element it could not take
};

enum class EntryKind : std::uint8_t { Text, Skip, Assign, IndexedAssign, Cmp, ElCmp, End, Loop, Call, Return };

struct DecodedEntry {
    EntryKind kind = EntryKind::Text;
    std::uint8_t compare = 0;         // a condition's comparison (expr/condition.h)
    std::string target;               // an assignment's target reference
    int targetSlot = -1;              // its variable, once found
    std::uint32_t targetFrame = 0;    // the call frame the target was found in
    std::vector<DecodedExpression> sides;   // the right side, or the condition's two sides
    bool storesResultAlone = false;   // a line a call left: `$x = ~F()`
    DecodedCall call;
    // For a call: the line it leaves, with the marker kResultHole where the call
    // stood, decoded as an assignment or a condition; none where it must run as text.
    std::unique_ptr<DecodedEntry> leaves;
    std::unique_ptr<IndexedLine> indexed;   // for IndexedAssign
};

// One decoded form per entry, made when the entry runs a second time: a line that
// runs once is cheaper to read once than to decode.
struct DecodedProgram {
    bool enabled = true;              // off: every entry runs from its text
    std::vector<std::unique_ptr<DecodedEntry>> entries;
    std::vector<bool> ranOnce;        // same index
    // Lines run from their text: each entry's first run, the lines with no decoded
    // form, and every fall-back (all of them when decoding is off). Tests read it to
    // show that the lines meant to run decoded do so, run after run.
    std::uint64_t textRuns = 0;
    NumberChain textChain;            // scratch: a chain the text path reads and evaluates
};

}  // namespace ml
