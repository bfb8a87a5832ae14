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
    chain.holdsResult = std::any_of(chain.terms.begin(), chain.terms.end(), [](const ChainTerm& t) { return t.isResult; });
    return true;
}

namespace {

// Where the remainder reads an operand's integer from: a variable's slot, or one of
// these.
constexpr int kTermInteger = -1, kComputedInteger = -2, kResultInteger = -3;

template <bool holdsResult>
std::int64_t OperandInteger(Interp& in, const ChainTerm& term, int source, double value, std::string_view callResult) {
    if (source == kComputedInteger) return ComputedInteger(value);
    if (source == kTermInteger) return term.integer;
    if (holdsResult && source == kResultInteger) return TextToInt(callResult);
    return IntegerOf(in, static_cast<std::size_t>(source));
}

// Evaluates the chain: the terms' numbers first, then the operations in order, each
// result read back through its number text. callResult fills the result hole, whose
// text stands in the line as a variable's would. Made once for chains without the
// hole, the common case, so that they do not pay for looking for it.
template <bool holdsResult>
[[gnu::always_inline]] inline bool EvaluateTerms(Interp& in, NumberChain& chain, ChainValue& result,
                                                 std::string_view callResult) {
    std::array<double, kMaxTerms> values;
    std::array<int, kMaxTerms> sources;
    SyncChainFrame(in, chain);
    std::size_t length = chain.fixedLength;
    const std::size_t count = chain.terms.size();
    ChainTerm* const terms = chain.terms.data();
    for (std::size_t k = 0; k < count; ++k) {
        ChainTerm& term = terms[k];
        if (term.isVariable) {
            if (term.slot < 0 && (term.slot = FindVariable(in, TermText(chain, term))) < 0) return false;
            const auto slot = static_cast<std::size_t>(term.slot);
            const ValueNumber& number = NumberOf(in, slot);
            if (!(number.state & ValueNumber::kNumber) || ((number.state & ValueNumber::kNegative) && !term.leading))
                return false;
            length += ValueLength(in, slot);
            values[k] = number.value;
            sources[k] = term.slot;
        } else if (holdsResult && term.isResult) {
            if (!ReadSignedNumber(callResult, true, values[k]) || (callResult[0] == '-' && !term.leading)) return false;
            length += callResult.size();
            sources[k] = kResultInteger;
        } else {
            values[k] = term.value;
            sources[k] = kTermInteger;
        }
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
            x = OperandInteger<holdsResult>(in, terms[a], sources[a], values[a], callResult);
            y = OperandInteger<holdsResult>(in, terms[b], sources[b], values[b], callResult);
        }
        if (!ApplyOperator(step.op, values[a], values[b], x, y, value)) return false;
        whole = IsWholeBelow(value, 1e15);
        values[a] = whole ? value : ThroughTextSlow(value);
        sources[a] = kComputedInteger;
    }
    result = {value, true, whole};
    return true;
}

[[gnu::noinline]] bool EvaluateWithResult(Interp& in, NumberChain& chain, ChainValue& result,
                                          std::string_view callResult) {
    return EvaluateTerms<true>(in, chain, result, callResult);
}

[[gnu::always_inline]] inline bool Evaluate(Interp& in, NumberChain& chain, ChainValue& result,
                                            std::string_view callResult) {
    return chain.holdsResult ? EvaluateWithResult(in, chain, result, callResult)
                             : EvaluateTerms<false>(in, chain, result, callResult);
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

// Stores the value's text (what ExpressionValue gives) in a variable, with its number
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
