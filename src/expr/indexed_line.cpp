#include "expr/indexed_line.h"

#include <algorithm>

#include "core/limits.h"
#include "core/markers.h"
#include "core/strings.h"
#include "core/variables.h"
#include "expr/chain.h"
#include "expr/decoded_expression.h"
#include "expr/decoded_guards.h"
#include "expr/decoded_join.h"
#include "expr/substitution.h"

namespace ml {

namespace {

// The bytes of the reference from..to around the indices that lie in it (not those
// inside another of them).
IndexedReference ReferenceBetween(std::string_view text, const IndexedLine& line, std::size_t from, std::size_t to) {
    IndexedReference reference;
    std::size_t at = from;
    for (std::size_t k = line.sites.size(); k-- > 0;) {   // left to right
        const IndexSite& site = line.sites[k];
        if (site.open < at || site.close >= to) continue;
        reference.pieces.emplace_back(text.substr(at, site.open + 1 - at));
        reference.sites.push_back(static_cast<std::uint8_t>(k));
        at = site.close;
    }
    reference.pieces.emplace_back(text.substr(at, to - at));
    return reference;
}

std::size_t IndicesIn(const IndexedReference& reference) { return reference.sites.size(); }

// An index that is one reference with indices of its own, such as `$a[$i + 1]`.
bool IsOneElement(std::string_view index) {
    return StartsWith(index, kVariableMarker) && ReferenceEnd(index, 0) == index.size();
}

// The element an index names, and the sites inside it marked as nested.
void ReadElementIndex(std::string_view text, IndexedLine& line, IndexSite& site) {
    site.element = std::make_unique<IndexedReference>(ReferenceBetween(text, line, site.open + 1U, site.close));
    for (IndexSite& inner : line.sites) inner.nested = inner.nested || (inner.open > site.open && inner.close < site.close);
}

// Finds the indices, right to left; false where a bracket closes no index, an index
// holds `=` (the written line would be cut elsewhere) or holds another index without
// being one element, or there are too many for the form.
bool FindSites(std::string_view text, IndexedLine& line) {
    std::string copy(text);
    ForEachIndex(copy, [&](std::size_t open, std::size_t close) {
        IndexSite& site = line.sites.emplace_back();
        site.open = static_cast<std::uint16_t>(open);
        site.close = static_cast<std::uint16_t>(close);
    });
    const auto brackets = static_cast<std::size_t>(std::count(text.begin(), text.end(), '['));
    if (line.sites.empty() || line.sites.size() > UINT8_MAX || brackets != line.sites.size() ||
        static_cast<std::size_t>(std::count(text.begin(), text.end(), ']')) != brackets)
        return false;
    for (IndexSite& site : line.sites) {
        const std::string_view index = text.substr(site.open + 1U, site.close - site.open - 1U);
        if (index.find('=') != std::string_view::npos) return false;
        if (index.find('[') == std::string_view::npos) DecodeExpression(index, site.index);
        else if (IsOneElement(index)) ReadElementIndex(text, line, site);
        else return false;
    }
    line.values.resize(line.sites.size());
    return true;
}

// The element the reference names with this run's values: made where create is set,
// else -1 when it is not set. The last one found is kept for the same key.
int ElementSlot(Interp& in, IndexedLine& line, IndexedReference& reference, bool create) {
    std::string& key = line.scratch;
    key.assign(reference.pieces[0]);
    for (std::size_t i = 0; i < reference.sites.size(); ++i) {
        key += line.values[reference.sites[i]];
        key += reference.pieces[i + 1];
    }
    const std::uint32_t frame = CurrentFrame(in);
    if (reference.slot >= 0 && reference.frame == frame && key == reference.key) return reference.slot;
    reference.slot = create ? VariableSlot(in, key) : FindVariable(in, key);
    reference.frame = frame;
    reference.key.swap(key);
    return reference.slot;
}

// Evaluates the indices as the text path does, right to left, inner ones first;
// false where a value would not leave the line reading as decoded. An index that is
// one element takes the element's value as it stands, or gives false where the
// element is missing or its value would be read further.
bool EvaluateIndices(Interp& in, IndexedLine& line, std::size_t length) {
    bool plain = true;
    line.valuesMissing = false;
    for (std::size_t k = 0; k < line.sites.size(); ++k) {
        IndexSite& site = line.sites[k];
        if (!site.element) {
            DecodedValueInto(in, site.index, {}, line.values[k]);
        } else {
            const int slot = plain ? ElementSlot(in, line, *site.element, false) : -1;
            line.valuesMissing = slot < 0 || !SlotValueAsItStands(in, static_cast<std::size_t>(slot), line.values[k]);
            if (line.valuesMissing) return false;
        }
        plain = plain && IsPlainIndex(line.values[k]);
        if (!site.nested) length = length + line.values[k].size() - (site.close - site.open - 1U);
    }
    return plain && length <= kMaxText;
}

}  // namespace

bool DecodeIndexedAssignment(std::string_view text, DecodedEntry& decoded) {
    if (text.size() > kMaxText || Contains(text, "\"") || EndsWith(text, ").array")) return false;
    auto line = std::make_unique<IndexedLine>();
    if (!FindSites(text, *line)) return false;
    const std::size_t equal = text.find('=');
    if (equal == std::string_view::npos || !StartsWith(text, kVariableMarker) || ReferenceEnd(text, 0) != equal)
        return false;
    line->target = ReferenceBetween(text, *line, 0, equal);
    std::size_t dollars = 0;
    for (const std::string& piece : line->target.pieces) dollars += CountOfByte(piece, '$');
    if (dollars != 1) return false;   // the text path reports such a target
    decoded.sides.resize(1);
    DecodedExpression& side = decoded.sides[0];
    DecodeExpression(text.substr(equal + 1), side);
    if (!side.numeric) return false;
    std::size_t covered = IndicesIn(line->target);
    for (std::size_t k = 0; k < side.chain.terms.size(); ++k) {
        const ChainTerm& term = side.chain.terms[k];
        const std::size_t from = equal + 1 + term.from;
        if (!term.isVariable || text.substr(from, term.length).find('[') == std::string_view::npos) continue;
        line->reads.push_back(ReferenceBetween(text, *line, from, from + term.length));
        line->reads.back().term = static_cast<std::uint8_t>(k);
        covered += IndicesIn(line->reads.back());
    }
    for (const IndexSite& site : line->sites)
        if (site.element) covered += IndicesIn(*site.element);
    if (covered != line->sites.size()) return false;
    line->length = static_cast<std::uint16_t>(text.size());
    decoded.kind = EntryKind::IndexedAssign;
    decoded.indexed = std::move(line);
    return true;
}

bool RunIndexedAssignment(Interp& in, DecodedEntry& decoded) {
    IndexedLine& line = *decoded.indexed;
    if (!EvaluateIndices(in, line, line.length)) return false;
    // The target exists before its right side is evaluated, as on the text path.
    const auto target = static_cast<std::uint16_t>(ElementSlot(in, line, line.target, true));
    NumberChain& chain = decoded.sides[0].chain;
    SyncChainFrame(in, chain);
    for (IndexedReference& read : line.reads) {
        const int slot = ElementSlot(in, line, read, false);
        if (slot < 0) return false;
        chain.terms[read.term].slot = slot;
    }
    return EvaluateAndStoreChain(in, target, chain);
}

std::string IndexedText(Interp& in, std::string_view text, const IndexedLine& line) {
    // Indices call nothing, so evaluating them again changes nothing but the time.
    if (line.valuesMissing) return SubstituteIndices(in, text);
    std::string written(text);
    for (std::size_t k = 0; k < line.sites.size(); ++k) {   // right to left: places stay
        const IndexSite& site = line.sites[k];
        if (!site.nested) written.replace(site.open + 1U, site.close - site.open - 1U, line.values[k]);
    }
    return written;
}

}  // namespace ml
