#include "expr/decoded_join.h"

#include <algorithm>

#include "core/markers.h"
#include "core/strings.h"
#include "core/value_text.h"
#include "core/variables.h"
#include "expr/chain.h"
#include "expr/arithmetic.h"
#include "expr/expression.h"

namespace ml {

namespace {

// A literal's bytes with its `\xHH` escapes read, as the evaluation reads them. False
// where an escape is cut short by the literal's end (the text path reports it there)
// or gives a marker byte, which the evaluation would read again.
bool ReadLiteral(std::string_view content, std::string& out) {
    if (content.find(kMarker) != std::string_view::npos) return false;
    for (std::size_t i = 0; i < content.size(); ++i) {
        // The bytes up to the next backslash are copied a run at a time.
        const std::size_t slash = std::min(content.find('\\', i), content.size());
        out.append(content, i, slash - i);
        i = slash;
        if (i == content.size()) break;
        if (CharAt(content, i + 1) != 'x') {
            out += content[i];
            continue;
        }
        if (i + 3 >= content.size() || !IsHexDigit(content[i + 2]) || !IsHexDigit(content[i + 3])) return false;
        const char byte = static_cast<char>(HexValue(content.substr(i + 2, 2)));
        if (byte == kMarker) return false;
        if (byte != '\0') out += byte;
        i += 3;
    }
    return true;
}

// The bytes the result stands for in the join: itself where it is inert, a literal's
// bytes where it is one (kept in the join's scratch); false for anything else.
bool ResultBytes(TextJoin& join, std::string_view result, std::string_view& bytes, bool& literal) {
    literal = !IsInert(result);
    if (!literal) {
        bytes = result;
        return true;
    }
    join.resultBytes.clear();
    if (!IsOneLiteral(result) ||
        !ReadLiteral(result.substr(kLiteralQuote.size(), result.size() - 2 * kLiteralQuote.size()), join.resultBytes))
        return false;
    bytes = join.resultBytes;
    return true;
}

// Whether the first bytes of the substituted text read as arithmetic: only values
// can come before the first literal, whose marker is no arithmetic character. The
// evaluation reads 255 bytes, or 254 where the 255th is a marker (a literal's first).
bool ReadsAsArithmetic(Interp& in, const TextJoin& join, std::string_view result, bool resultLiteral) {
    std::size_t seen = 0;
    for (const JoinPiece& piece : join.pieces) {
        if (seen >= kMaxText) return true;
        const bool literal = piece.kind == JoinPiece::Kind::Literal ||
                             (piece.kind == JoinPiece::Kind::Result && resultLiteral);
        if (literal) return seen == kMaxText - 1;
        std::string_view value = piece.kind == JoinPiece::Kind::Result
                                     ? result
                                     : std::string_view(ValueText(in, static_cast<std::size_t>(piece.slot)));
        if (!IsArithmetic(value.substr(0, kMaxText - seen))) return false;
        seen += value.size();
    }
    return true;
}

}  // namespace

bool IsOneLiteral(std::string_view text) {
    const std::size_t quotes = 2 * kLiteralQuote.size();
    return text.size() >= quotes && StartsWith(text, kLiteralQuote) && EndsWith(text, kLiteralQuote) &&
           text.substr(kLiteralQuote.size(), text.size() - quotes).find(kMarker) == std::string_view::npos;
}

bool DecodeJoin(std::string_view expression, TextJoin& join) {
    if (expression.empty() || expression.size() > kMaxText) return false;
    join.text.assign(expression);
    for (std::size_t at = 0; at < expression.size();) {
        JoinPiece piece{JoinPiece::Kind::Reference};
        const std::string_view rest = expression.substr(at);
        if (StartsWith(rest, kLiteralQuote)) {
            const std::size_t close = expression.find(kLiteralQuote, at + 2);
            if (close == std::string_view::npos) return false;
            piece.kind = JoinPiece::Kind::Literal;
            piece.from = static_cast<std::uint16_t>(join.literals.size());
            if (!ReadLiteral(expression.substr(at + 2, close - at - 2), join.literals)) return false;
            piece.length = static_cast<std::uint16_t>(join.literals.size() - piece.from);
            at = close + 2;
        } else if (StartsWith(rest, kVariableMarker)) {
            const std::size_t end = ReferenceEnd(expression, at);
            piece.from = static_cast<std::uint16_t>(at);
            piece.length = static_cast<std::uint16_t>(end - at);
            at = end;
            // A result right after a reference would lengthen its name.
            if (StartsWith(expression.substr(at), kResultHole)) return false;
        } else if (StartsWith(rest, kResultHole)) {
            piece.kind = JoinPiece::Kind::Result;
            at += kResultHole.size();
        } else {
            return false;
        }
        join.pieces.push_back(piece);
    }
    return true;
}

namespace {

// Slots are found again in another call frame.
void EnterFrame(Interp& in, TextJoin& join) {
    const std::uint32_t frame = CurrentFrame(in);
    if (join.frame == frame) return;
    for (JoinPiece& piece : join.pieces) piece.slot = -1;
    join.frame = frame;
}

}  // namespace

namespace {

// The variable of a join that is one reference, or -1 where there is none.
int LoneSlot(Interp& in, TextJoin& join) {
    EnterFrame(in, join);
    JoinPiece& piece = join.pieces[0];
    if (piece.slot < 0) piece.slot = FindVariable(in, std::string_view(join.text).substr(piece.from, piece.length));
    return piece.slot;
}

}  // namespace

bool LoneReferenceNumber(Interp& in, TextJoin& join, std::string& value, ValueNumber& number) {
    const int found = LoneSlot(in, join);
    if (found < 0) return false;
    const auto slot = static_cast<std::size_t>(found);
    if (!(NumberOf(in, slot).state & ValueNumber::kNumber)) return false;
    number = in.vars.numbers[slot];
    if (!(number.state & ValueNumber::kTextDue)) CopyText(value, ClipView(in.vars.values[slot]));
    return true;
}

bool LoneReferenceValue(Interp& in, TextJoin& join, std::string& value) {
    const int found = LoneSlot(in, join);
    return found >= 0 && SlotValueAsItStands(in, static_cast<std::size_t>(found), value);
}

bool SlotValueAsItStands(Interp& in, std::size_t slot, std::string& value) {
    // A plain number is its own value (and inert); so is an inert text that does not
    // read as arithmetic.
    const std::string& text = ValueText(in, slot);
    if (!(NumberOf(in, slot).state & ValueNumber::kNumber) && (!IsInertValue(in, slot) || ReadsAsArithmetic(in, slot)))
        return false;
    CopyText(value, ClipView(text));
    return true;
}

bool LoneResultValue(std::string_view result, std::string& scratch, std::string_view& value, ValueNumber& number) {
    number = {};
    // A filled text too long for a value is cut before it is read: the text path's.
    if (result.empty() || result.size() > kMaxText) return false;
    value = result;
    // A number is stored as it stands; what it reads as is read where it is used.
    if (IsSignedNumber(result)) return true;
    if (IsInert(result)) {
        // A text ending so would make the line an array literal.
        return !IsArithmetic(result) && !EndsWith(result, ").array");
    }
    number = {};
    scratch.clear();
    if (!IsOneLiteral(result)) return false;
    if (!ReadLiteral(result.substr(kLiteralQuote.size(), result.size() - 2 * kLiteralQuote.size()), scratch))
        return false;
    if (scratch.size() > kMaxText) scratch.resize(kMaxText);
    value = scratch;
    return true;
}

bool EvaluateJoin(Interp& in, TextJoin& join, std::string_view result, std::string& value) {
    EnterFrame(in, join);
    std::string_view resultBytes;
    bool resultLiteral = false;
    for (JoinPiece& piece : join.pieces) {
        if (piece.kind == JoinPiece::Kind::Literal) continue;
        if (piece.kind == JoinPiece::Kind::Result) {
            if (!ResultBytes(join, result, resultBytes, resultLiteral)) return false;
            continue;
        }
        if (piece.slot < 0) piece.slot = FindVariable(in, std::string_view(join.text).substr(piece.from, piece.length));
        if (piece.slot < 0 || !IsInertValue(in, static_cast<std::size_t>(piece.slot))) return false;
    }
    if (ReadsAsArithmetic(in, join, result, resultLiteral)) return false;
    value.clear();
    for (const JoinPiece& piece : join.pieces) {
        if (value.size() >= kMaxText) break;
        switch (piece.kind) {
            case JoinPiece::Kind::Literal: value.append(join.literals, piece.from, piece.length); break;
            case JoinPiece::Kind::Result: value += resultBytes; break;
            case JoinPiece::Kind::Reference: value += ValueText(in, static_cast<std::size_t>(piece.slot)); break;
        }
    }
    if (value.size() > kMaxText) value.resize(kMaxText);
    return true;
}

}  // namespace ml
