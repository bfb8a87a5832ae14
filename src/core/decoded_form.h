// The decoded form of entries: what the executor learns from an entry's text when it
// runs a second time, kept so that later runs skip reading the text again. Only
// entries whose meaning the text alone fixes are decoded; the others keep the kind
// Text and run from their text every time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/run_state.h"

namespace ml {

// A number or a variable reference of an arithmetic chain, as written.
struct ChainTerm {
    std::uint16_t from = 0, length = 0;   // its bytes in the chain's text
    bool isVariable = false;
    double value = 0;                     // a number's value
    int integer = 0;                      // a number's integer, as the remainder reads it
    int slot = -1;                        // a reference's variable, once found
};

// One operation of a chain: terms[target] op terms[source], kept in terms[target].
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
};

// An argument of a call: its text in the entry, and its chain where it is one.
struct ArgumentPiece {
    std::uint16_t from = 0, length = 0;
    bool numeric = false;
    NumberChain chain;
};

// The innermost call of an entry (the one at its last call marker), read once.
struct DecodedCall {
    std::uint16_t marker = 0, end = 0;   // the call's span in the entry's text
    std::uint16_t nameLength = 0;        // the name follows the marker
    std::vector<ArgumentPiece> arguments;
    const CallTarget* target = nullptr;  // where the name's calls go, once found
};

enum class EntryKind : std::uint8_t { Text, Skip, Assign, Cmp, ElCmp, End, Loop, Call, Return };

struct DecodedEntry {
    EntryKind kind = EntryKind::Text;
    std::uint8_t compare = 0;         // a condition's comparison (expr/condition.h)
    bool numeric = false;             // the sides (or the right side) decoded as chains
    bool assignsCall = false;         // a call whose line assigns what the call leaves
    std::uint16_t rightFrom = 0;      // where the right side or the condition starts
    std::uint16_t rightLength = 0;    // in the entry's text
    int targetSlot = -1;              // an assignment's target, once found
    std::uint32_t targetFrame = 0;    // the call frame the target was found in
    NumberChain sides[2];             // the right side, or the condition's two sides
    DecodedCall call;
};

// One decoded form per entry, made when the entry runs a second time: a line that
// runs once is cheaper to read once than to decode.
struct DecodedProgram {
    bool enabled = true;              // off: every entry runs from its text
    std::vector<std::unique_ptr<DecodedEntry>> entries;
    std::vector<bool> ranOnce;        // same index
};

}  // namespace ml
