#include "check/finding.h"

namespace ml {

void Warn(Findings& findings, const SourcePiece& piece, std::size_t offset, FindingCode code, std::string text) {
    SourcePlace place = piece.place;
    place.column += static_cast<int>(offset);
    findings.push_back({std::move(place), code, std::move(text)});
}

std::string FindingLine(const Finding& finding) {
    const SourcePlace& place = finding.place;
    return place.file + ":" + std::to_string(place.line) + ":" + std::to_string(place.column) + ": " +
           (finding.error() ? "error: " : "warning: ") + finding.text + " [ML" +
           std::to_string(static_cast<int>(finding.code)) + "]";
}

}  // namespace ml
