// What a check of a script reports: each finding has its place in the script's own
// files, its kind and code, and its text.
#pragma once

#include <string>
#include <vector>

#include "core/program.h"

namespace ml {

// The codes of the findings; the reference explains each one under its code.
enum class FindingCode {
    LoadError = 100,
    LogicalOperator = 101,
    SingleEqual = 102,
    QuotedComparison = 103,
    EmptyComparison = 104,
    OperatorTextComparison = 105,
    VariableBeforeCall = 106,
    OperatorBesideText = 107,
    ComputedText = 108,
    UnknownFunction = 109,
    ArgumentCount = 110,
    LongLine = 111,
};

struct Finding {
    SourcePlace place;
    FindingCode code = FindingCode::LoadError;
    std::string text;
    bool error() const { return code == FindingCode::LoadError; }
};

using Findings = std::vector<Finding>;

// A warning about the byte at `offset` of a piece.
void Warn(Findings& findings, const SourcePiece& piece, std::size_t offset, FindingCode code, std::string text);

// A finding as editors read it: `FILE:LINE:COLUMN: error|warning: TEXT [MLnnn]`.
std::string FindingLine(const Finding& finding);

}  // namespace ml
