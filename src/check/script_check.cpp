#include "check/script_check.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "check/call_checks.h"
#include "check/condition_checks.h"
#include "check/source_text.h"
#include "check/value_checks.h"
#include "core/language.h"
#include "loader/loader.h"

namespace ml {

namespace {

// A load error as the report shows it, on one line: the message, then the error text.
std::string LoadErrorText(Interp& in, const LoadError& error) {
    const bool chinese = ShowsChinese(in) != 0;
    std::string text = chinese ? SimplifiedForGbConsole(in, error.message) : error.message;
    std::string detail = error.detail;
    while (!detail.empty() && (detail.back() == '\n' || detail.back() == '\r')) detail.pop_back();
    if (!detail.empty()) text += ": " + (chinese ? SimplifiedForGbConsole(in, detail) : detail);
    return text;
}

// A line longer than a piece is loaded as several lines: the next piece of the same line
// starts one of its own.
bool ContinuesLine(const SourcePiece& piece, const SourcePiece& before) {
    return piece.place.file == before.place.file && piece.place.line == before.place.line;
}

void CheckPiece(Interp& in, const SourcePiece& piece, const std::set<std::string>& computed, Findings& findings) {
    const std::string_view code = CodeOf(piece.text);
    CheckConditionTraps(piece, code, findings);
    CheckVariableBeforeCall(piece, code, findings);
    CheckValueTraps(piece, code, computed, findings);
    CheckCalls(in, piece, code, findings);
}

// Findings in the order their lines were read, an import's in its place, and by
// column within a line.
void SortByPlace(const std::vector<SourcePiece>& pieces, Findings& findings) {
    std::map<std::pair<std::string, int>, std::size_t> lineOrder;
    for (const SourcePiece& piece : pieces) lineOrder.emplace(std::pair(piece.place.file, piece.place.line), lineOrder.size());
    auto key = [&](const Finding& f) {
        const auto found = lineOrder.find(std::pair(f.place.file, f.place.line));
        return std::tuple(found == lineOrder.end() ? 0 : found->second, f.place.column);
    };
    std::stable_sort(findings.begin(), findings.end(),
                     [&](const Finding& a, const Finding& b) { return key(a) < key(b); });
}

}  // namespace

Findings CheckScript(Interp& in, File& file, const std::string& name) {
    LoadRecord& record = in.loader.record;
    record.keeping = true;
    record.readingFile = name;
    LoadScript(in, file);
    FinishLoading(in);
    Findings findings;
    for (const LoadError& error : record.errors)
        findings.push_back({error.place, FindingCode::LoadError, LoadErrorText(in, error)});
    const std::set<std::string> computed = ComputedTextVariables(record.pieces);
    for (std::size_t i = 0; i < record.pieces.size(); ++i) {
        const SourcePiece& piece = record.pieces[i];
        if (i > 0 && ContinuesLine(piece, record.pieces[i - 1]))
            Warn(findings, piece, 0, FindingCode::LongLine,
                 "the line is longer than 255 bytes: from here on it is loaded as a line of its own; split it");
        // A line that failed to load holds no statement to read further.
        if (piece.loaded) CheckPiece(in, piece, computed, findings);
    }
    SortByPlace(record.pieces, findings);
    return findings;
}

}  // namespace ml
