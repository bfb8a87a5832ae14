#include "expr/chain.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/markers.h"
#include "core/strings.h"
#include "core/value_text.h"
#include "core/variables.h"
#include "expr/expression.h"
#include "expr/arithmetic.h"

namespace ml {

namespace {

// As many numbers as a 255-byte text can hold, as the fast arithmetic allows.
constexpr std::size_t kMaxTerms = 128;

std::string_view TermText(const NumberChain& chain, const ChainTerm& term) {
    return std::string_view(chain.text).substr(term.from, term.length);
}

std::int64_t IntegerOf(Interp& in, std::size_t slot) {
    ValueNumber& number = in.vars.numbers[slot];
    if (!(number.state & ValueNumber::kInteger)) {
        number.integer = TextToInt64(ValueText(in, slot));
        number.state |= ValueNumber::kInteger;
    }
    return number.integer;
}

// A number of the chain while it is evaluated: its value, and where the remainder
// reads its integer from (a written number, a variable's text, or a result).
struct Operand {
    double value;
    std::int64_t integer;
    int slot;        // the variable whose text it still is, kCallText, or -1
    bool computed;   // a result: its integer comes from its number text
};

// An operand's slot when its text is the call's result, read only by the remainder.
constexpr int kCallText = -2;

inline std::int64_t OperandInteger(Interp& in, const Operand& operand, std::string_view callResult) {
    if (operand.computed) return ComputedInteger(operand.value);
    if (operand.slot == kCallText) return TextToInt(callResult);
    return operand.slot >= 0 ? IntegerOf(in, static_cast<std::size_t>(operand.slot)) : operand.integer;
}

// The operands of the chain with the current values; false where a reference is
// missing or holds no plain number, or the substituted text would not fit a value.
bool ReadOperands(Interp& in, NumberChain& chain, std::string_view result, std::array<Operand, kMaxTerms>& operands) {
    SyncChainFrame(in, chain);
    std::size_t length = chain.fixedLength;
    for (std::size_t k = 0; k < chain.terms.size(); ++k) {
        ChainTerm& term = chain.terms[k];
        if (term.isResult) {
            // The result stands in the line as its text, so it reads as a variable's would.
            double value = 0;
            if (!ReadSignedNumber(result, true, value) || (result[0] == '-' && !term.leading)) return false;
            length += result.size();
            operands[k] = {value, 0, kCallText, false};
            continue;
        }
        if (!term.isVariable) {
            operands[k] = {term.value, term.integer, -1, false};
            continue;
        }
        if (term.slot < 0) term.slot = FindVariable(in, TermText(chain, term));
        if (term.slot < 0) return false;
        const auto slot = static_cast<std::size_t>(term.slot);
        const ValueNumber& number = NumberOf(in, slot);
        if (!(number.state & ValueNumber::kNumber)) return false;
        if ((number.state & ValueNumber::kNegative) && !term.leading) return false;
        length += ValueLength(in, slot);
        operands[k] = {number.value, 0, term.slot, false};
    }
    return length <= kMaxText;
}

// The operands of one group, by their places in the chain's terms, and its
// operators: ops[k] joins places[k] and places[k + 1]. Fixed room, so reading a chain
// on the text path makes nothing.
struct Group {
    std::array<std::uint8_t, kMaxTerms> places;
    std::array<char, kMaxTerms> ops;
    std::size_t count = 0;
};

// The operations of one group as the rewriting takes them: level by level, each
// level left to right, a result taking the place of its two operands. The group's
// value ends in the place of its first operand.
void OrderSteps(NumberChain& chain, Group& group) {
    for (int level = 1; level <= 3; ++level) {
        std::size_t k = 0;
        while (k + 1 < group.count) {
            if (!IsLevelOperator(group.ops[k], level)) {
                ++k;
                continue;
            }
            chain.steps.push_back({group.ops[k], group.places[k], group.places[k + 1]});
            for (std::size_t j = k + 1; j + 1 < group.count; ++j) {
                group.places[j] = group.places[j + 1];
                group.ops[j - 1] = group.ops[j];
            }
            --group.count;
        }
    }
}

// Reads one term at `at`: the result hole, a reference or a number (the group's first
// with the minus before it, where there is one).
inline bool ReadTerm(std::string_view text, std::size_t& at, bool minus, ChainTerm& term, NumberChain& chain) {
    const bool marked = at < text.size() && text[at] == kMarker;
    if (marked && text.substr(at).starts_with(kResultHole)) {
        if (minus) return false;   // a minus before a value
        term.isResult = true;
        term.from = static_cast<std::uint16_t>(at);
        term.length = static_cast<std::uint16_t>(kResultHole.size());
        at += kResultHole.size();
    } else if (marked && text.substr(at).starts_with(kVariableMarker)) {
        if (minus) return false;
        const std::size_t end = ReferenceEnd(text, at);
        term.isVariable = true;
        term.from = static_cast<std::uint16_t>(at);
        term.length = static_cast<std::uint16_t>(end - at);
        at = end;
    } else {
        const std::size_t from = minus ? at - 1 : at;
        double value = 0;
        if (!ReadChainNumber(text, at, value)) return false;
        term.from = static_cast<std::uint16_t>(from);
        term.length = static_cast<std::uint16_t>(at - from);
        term.value = minus ? -value : value;
        chain.fixedLength += term.length;
    }
    return true;
}

// Reads a group from `at` to the end of the text or to the ")" that closes it: its
// terms, and its operations in order after those of the groups inside it, as the
// rewriting takes the innermost group first and writes its value in its place. The
// group's value ends in place. A group's value that is negative reads as a sign
// where it does not come first, which the chain leaves to the text path.
bool ReadGroup(std::string_view text, std::size_t& at, NumberChain& chain, std::uint8_t& place) {
    const bool minus = at < text.size() && text[at] == '-';
    at += minus ? 1 : 0;
    Group group;
    for (;;) {
        if (chain.terms.size() == kMaxTerms) return false;
        const bool leading = group.count == 0;
        std::uint8_t operand = 0;
        if (at < text.size() && text[at] == '(') {
            if (minus && leading) return false;
            ++at;
            if (!ReadGroup(text, at, chain, operand) || at == text.size() || text[at] != ')') return false;
            ++at;
            chain.fixedLength += 2;
            if (!leading) chain.steps.push_back({kNotNegative, operand, operand});
        } else {
            ChainTerm term;
            term.leading = leading;
            if (!ReadTerm(text, at, minus && leading, term, chain)) return false;
            operand = static_cast<std::uint8_t>(chain.terms.size());
            chain.terms.push_back(term);
        }
        group.places[group.count] = operand;
        if (at == text.size() || text[at] == ')') break;
        if (!IsOperator(text[at])) return false;
        ++chain.fixedLength;
        group.ops[group.count++] = text[at++];
    }
    ++group.count;
    place = group.places[0];
    OrderSteps(chain, group);
    return true;
}

}  // namespace

void ReadNumberInto(std::string_view text, ValueNumber& number) {
    number.state |= ValueNumber::kRead;
    if (ReadSignedNumber(text, true, number.value))
        number.state |= ValueNumber::kNumber | (text[0] == '-' ? ValueNumber::kNegative : 0);
}

const ValueNumber& ReadNumberOf(Interp& in, std::size_t slot) {
    ValueNumber& number = in.vars.numbers[slot];
    ReadNumberInto(ValueText(in, slot), number);
    return number;
}

bool DecodeChain(std::string_view expression, NumberChain& chain) {
    const std::string_view text = ClipSource(expression);
    chain.text.assign(text);
    chain.terms.clear();
    chain.steps.clear();
    chain.fixedLength = 0;
    std::size_t at = 0;
    std::uint8_t place = 0;
    if (!ReadGroup(text, at, chain, place) || at != text.size()) return false;
    // Only the remainder reads a number's integer, as its text gives it.
    if (std::any_of(chain.steps.begin(), chain.steps.end(), [](const ChainStep& step) { return step.op == '%'; }))
        for (ChainTerm& term : chain.terms)
            if (!term.isVariable && !term.isResult) term.integer = TextToInt64(TermText(chain, term));
    chain.plain = std::none_of(chain.terms.begin(), chain.terms.end(), [](const ChainTerm& t) { return t.isResult; });
    return true;
}

namespace {

// Where the remainder reads a plain chain's operand from: a variable's slot, or one of
// these.
constexpr int kTermInteger = -1, kComputedInteger = -2;

std::int64_t PlainInteger(Interp& in, const ChainTerm& term, int source, double value) {
    if (source == kComputedInteger) return ComputedInteger(value);
    return source == kTermInteger ? term.integer : IntegerOf(in, static_cast<std::size_t>(source));
}

// A chain without the call's result needs only the numbers, and the remainder their
// integers: the common case, kept short. The same reading and operations as the
// general way below.
[[gnu::always_inline]] inline bool EvaluatePlainChain(Interp& in, NumberChain& chain, ChainValue& result) {
    std::array<double, kMaxTerms> values;
    std::array<int, kMaxTerms> sources;
    SyncChainFrame(in, chain);
    std::size_t length = chain.fixedLength;
    const std::size_t count = chain.terms.size();
    ChainTerm* const terms = chain.terms.data();
    for (std::size_t k = 0; k < count; ++k) {
        ChainTerm& term = terms[k];
        if (!term.isVariable) {
            values[k] = term.value;
            sources[k] = kTermInteger;
            continue;
        }
        if (term.slot < 0 && (term.slot = FindVariable(in, TermText(chain, term))) < 0) return false;
        const auto slot = static_cast<std::size_t>(term.slot);
        const ValueNumber& number = NumberOf(in, slot);
        if (!(number.state & ValueNumber::kNumber) || ((number.state & ValueNumber::kNegative) && !term.leading)) return false;
        length += ValueLength(in, slot);
        values[k] = number.value;
        sources[k] = term.slot;
    }
    if (length > kMaxText) return false;
    if (chain.steps.empty()) {
        result = {values[0], false};
        return true;
    }
    double value = 0;
    bool whole = false;
    for (const ChainStep& step : chain.steps) {
        const std::uint8_t a = step.target, b = step.source;
        if (step.op == kNotNegative) {
            if (std::signbit(values[a])) return false;
            continue;
        }
        std::int64_t x = 0, y = 0;
        if (step.op == '%') {
            x = PlainInteger(in, terms[a], sources[a], values[a]);
            y = PlainInteger(in, terms[b], sources[b], values[b]);
        }
        if (!ApplyOperator(step.op, values[a], values[b], x, y, value)) return false;
        whole = IsWholeBelow(value, 1e15);
        values[a] = whole ? value : ThroughTextSlow(value);
        sources[a] = kComputedInteger;
    }
    result = {value, true, whole};
    return true;
}

// Chains with the call's result: their operands carry where their integers come from,
// the result's text among them. Kept apart so that the plain way stays short.
[[gnu::noinline]] bool EvaluateFullChain(Interp& in, NumberChain& chain, ChainValue& result,
                                         std::string_view callResult) {
    std::array<Operand, kMaxTerms> operands;
    if (!ReadOperands(in, chain, callResult, operands)) return false;
    if (chain.steps.empty()) {
        result = {operands[0].value, false};
        return true;
    }
    double value = 0;
    for (const ChainStep& step : chain.steps) {
        Operand& left = operands[step.target];
        const Operand& right = operands[step.source];
        if (step.op == kNotNegative) {
            if (std::signbit(left.value)) return false;
            continue;
        }
        const bool remainder = step.op == '%';
        const std::int64_t x = remainder ? OperandInteger(in, left, callResult) : 0;
        const std::int64_t y = remainder ? OperandInteger(in, right, callResult) : 0;
        if (!ApplyOperator(step.op, left.value, right.value, x, y, value)) return false;
        left = {ThroughText(value), 0, -1, true};
    }
    result = {value, true, IsWholeBelow(value, 1e15)};
    return true;
}

[[gnu::always_inline]] inline bool Evaluate(Interp& in, NumberChain& chain, ChainValue& result,
                                            std::string_view callResult) {
    return chain.plain ? EvaluatePlainChain(in, chain, result) : EvaluateFullChain(in, chain, result, callResult);
}

}  // namespace

bool EvaluateChain(Interp& in, NumberChain& chain, ChainValue& result, std::string_view callResult) {
    return Evaluate(in, chain, result, callResult);
}

void ChainText(Interp& in, const NumberChain& chain, const ChainValue& result, std::string_view callResult,
               std::string& text) {
    if (!result.computed) {
        const ChainTerm& term = chain.terms[0];
        if (term.isResult) text.assign(ClipView(callResult));
        else if (!term.isVariable) text.assign(ClipView(TermText(chain, term)));
        else text.assign(ClipView(ValueText(in, static_cast<std::size_t>(term.slot))));
        return;
    }
    NumberBuffer buffer;
    text.assign(ClipView(FormatNumber(result.value, buffer)));
}

namespace {

// Stores the value's text (what CodeCount gives) in a variable, with its number
// where the text fixes it exactly.
void StoreChainValue(Interp& in, std::uint16_t slot, const NumberChain& chain, const ChainValue& result,
                     std::string_view callResult) {
    if (!result.computed) {
        // A lone term keeps its text as written, as the text path copies it.
        const ChainTerm& term = chain.terms[0];
        if (!term.isVariable) {
            TakeValue(in, slot, [&](std::string& text) { ChainText(in, chain, result, callResult, text); });
        } else if (const auto from = static_cast<std::size_t>(term.slot); from != slot) {
            CopyText(in.vars.values[slot], in.vars.values[from]);
            in.vars.numbers[slot] = in.vars.numbers[from];
        }
        return;
    }
    if (result.whole) return SetWholeNumber(in, slot, result.value);
    TakeValue(in, slot, [&](std::string& text) { ChainText(in, chain, result, callResult, text); });
}

}  // namespace

bool EvaluateAndStoreChain(Interp& in, std::uint16_t slot, NumberChain& chain, std::string_view callResult) {
    ChainValue value;
    if (!Evaluate(in, chain, value, callResult)) return false;
    StoreChainValue(in, slot, chain, value, callResult);
    return true;
}

namespace {

// The chain of a text run once, read into the room the interpreter keeps for it.
NumberChain* TextChain(Interp& in, std::string_view expression) {
    NumberChain& chain = in.decoded.textChain;
    return DecodeChain(expression, chain) ? &chain : nullptr;
}

std::optional<std::string> ValueOf(Interp& in, NumberChain* chain) {
    ChainValue value;
    if (chain == nullptr || !Evaluate(in, *chain, value, {})) return std::nullopt;
    std::string text;
    ChainText(in, *chain, value, {}, text);
    return text;
}

}  // namespace

std::optional<std::string> TextChainValue(Interp& in, std::string_view expression) {
    return ValueOf(in, TextChain(in, expression));
}

std::optional<double> TextChainNumber(Interp& in, std::string_view expression) {
    NumberChain* chain = TextChain(in, expression);
    ChainValue value;
    if (chain == nullptr || !Evaluate(in, *chain, value, {})) return std::nullopt;
    return ChainNumber(value);
}

std::optional<std::string> NumbersChainValue(Interp& in, std::string_view text) {
    // A longer text is cut by the rewriting only where it is read again.
    if (text.size() > kMaxText) return std::nullopt;
    NumberChain* chain = TextChain(in, text);
    const auto numbersAlone = [](const ChainTerm& term) { return !term.isVariable && !term.isResult; };
    if (chain == nullptr || !std::all_of(chain->terms.begin(), chain->terms.end(), numbersAlone)) return std::nullopt;
    return ValueOf(in, chain);
}

}  // namespace ml
