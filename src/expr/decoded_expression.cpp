#include "expr/decoded_expression.h"

#include "core/strings.h"
#include "core/variables.h"
#include "expr/chain.h"
#include "expr/decoded_join.h"
#include "expr/expression.h"

namespace ml {

namespace {

bool IsInvariant(const NumberChain& chain) {
    for (const ChainTerm& term : chain.terms)
        if (term.isVariable || term.isResult) return false;
    return true;
}

bool IsInvariant(const TextJoin& join) {
    for (const JoinPiece& piece : join.pieces)
        if (piece.kind != JoinPiece::Kind::Literal) return false;
    return true;
}

}  // namespace

void DecodeExpression(std::string_view expression, DecodedExpression& decoded) {
    decoded.source.assign(expression);
    decoded.hole = Contains(expression, kResultHole);
    decoded.holeAt = static_cast<std::uint16_t>(decoded.hole ? expression.find(kResultHole) : 0);
    decoded.numeric = DecodeChain(expression, decoded.chain);
    // A lone reference or result is both: its value is a number or a text.
    auto join = std::make_unique<TextJoin>();
    decoded.joined = DecodeJoin(expression, *join);
    if (decoded.joined) decoded.join = std::move(join);
    decoded.loneReference = decoded.joined && decoded.join->pieces.size() == 1 &&
                            decoded.join->pieces[0].kind == JoinPiece::Kind::Reference;
    decoded.invariant = !decoded.hole && (decoded.numeric ? IsInvariant(decoded.chain) : decoded.joined && IsInvariant(*decoded.join));
}

std::string Filled(std::string_view text, std::string_view result) {
    const std::size_t hole = text.find(kResultHole);
    std::string filled(text.substr(0, hole));
    if (hole == std::string_view::npos) return filled;
    filled += result;
    filled += text.substr(hole + kResultHole.size());
    return filled;
}

namespace {

// The value where the chain gave none (or there is none): the join's, which holds no
// marker byte (true), or the text path's.
bool ValueWithoutChain(Interp& in, DecodedExpression& decoded, std::string_view result, std::string& value) {
    if (FormsHold(decoded, result) && decoded.joined && EvaluateJoin(in, *decoded.join, result, value)) return true;
    // Where the chain gives nothing, neither does the fast arithmetic on the text; a
    // filled result may still read as arithmetic.
    value = decoded.hole ? ExpressionValue(in, Filled(decoded.source, result)) : GeneralExpressionValue(in, decoded.source);
    return false;
}

// Evaluates the chain where the expression is one and its form holds.
bool ChainHolds(Interp& in, DecodedExpression& decoded, std::string_view result, ChainValue& number) {
    return decoded.numeric && FormsHold(decoded, result) && EvaluateChain(in, decoded.chain, number, result);
}

}  // namespace

bool DecodedValueInto(Interp& in, DecodedExpression& decoded, std::string_view result, std::string& value) {
    if (decoded.known) {
        CopyText(value, decoded.constant);
        return decoded.constantPlain;
    }
    if (decoded.loneReference && LoneReferenceValue(in, *decoded.join, value)) return true;
    ChainValue number;
    bool plain = true;
    if (ChainHolds(in, decoded, result, number)) ChainText(in, decoded.chain, number, result, value);
    else plain = ValueWithoutChain(in, decoded, result, value);
    // Without references the value is the same every time it is given.
    if (decoded.invariant) {
        decoded.known = true;
        decoded.constant = value;
        decoded.constantPlain = plain;
        ReadNumberInto(decoded.constant, decoded.constantNumber);
    }
    return plain;
}

bool DecodedValueAndNumber(Interp& in, DecodedExpression& decoded, std::string& value, ValueNumber& number) {
    if (decoded.loneReference) {
        if (LoneReferenceNumber(in, *decoded.join, value, number)) return true;
    } else if (decoded.known) {
        CopyText(value, decoded.constant);
        number = decoded.constantNumber;
        return true;
    }
    DecodedValueInto(in, decoded, {}, value);
    return false;
}

bool DecodedWholeOrValue(Interp& in, DecodedExpression& decoded, std::string& value, double& number) {
    ChainValue chained;
    if (decoded.known || decoded.hole || !ChainHolds(in, decoded, {}, chained)) {
        DecodedValueInto(in, decoded, {}, value);
        return false;
    }
    if (chained.whole) {
        number = chained.value;
        return true;
    }
    ChainText(in, decoded.chain, chained, {}, value);
    return false;
}

void StoreWithoutChain(Interp& in, std::uint16_t slot, DecodedExpression& decoded, std::string_view result) {
    TakeValue(in, slot, [&](std::string& text) { ValueWithoutChain(in, decoded, result, text); });
}

}  // namespace ml
