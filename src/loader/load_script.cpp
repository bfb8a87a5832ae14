// Loading a whole script: its lines in pieces, the checks that need the whole of it,
// and the pairing of block branches. The program and the tests load through here.
#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/strings.h"
#include "core/text_file.h"
#include "loader/loader.h"
#include "loader/loader_messages.h"
#include "loader/statements.h"

namespace ml {

namespace {

// Several editors begin a UTF-8 file with a byte order mark; it is no part of the
// first line, which is then read as far as it would be without it. Gives the count of
// bytes dropped.
std::size_t DropByteOrderMark(File& file, std::string& piece) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (!StartsWith(piece, kByteOrderMark)) return 0;
    const bool full = piece.size() == kMaxText && piece.back() != '\n';
    piece.erase(0, kByteOrderMark.size());
    std::string rest;
    if (full && ReadPiece(file, rest, kByteOrderMark.size())) piece += rest;
    return kByteOrderMark.size();
}

bool PastTableLimit(const Interp& in) { return in.program.entryCount > kMaxEntries; }

// Every block left open, in the order a run reports the first of them: the class,
// the innermost `Cmp` outwards, the function.
std::vector<FatalError> OpenBlockErrors(Interp& in) {
    const LoaderState& L = in.loader;
    std::vector<FatalError> errors;
    if (L.inClass) errors.push_back({L.classEntry, Say(in, kMsgClassOpen), Say(in, kErrNoEndClass)});
    for (int open = L.openCmpCount - 1; open >= 0; --open)
        errors.push_back({L.openCmpEntries[static_cast<std::size_t>(open)], Say(in, kMsgCmpOpen), Say(in, kErrNoEndLoop)});
    if (L.inFunction()) errors.push_back({L.openFunctionEntry, Say(in, kMsgDefOpen), Say(in, kErrNoEndDef)});
    return errors;
}

// Where an entry was read; an entry past those read is the last piece's.
SourcePlace PlaceOfEntry(const LoadRecord& record, int entry) {
    const auto& places = record.entryPlaces;
    if (places.empty()) return {record.readingFile};
    return places[std::min(static_cast<std::size_t>(std::max(entry, 0)), places.size() - 1)];
}

void CheckOpenBlocks(Interp& in) {
    LoadRecord& record = in.loader.record;
    for (const FatalError& error : OpenBlockErrors(in)) {
        if (!record.keeping) throw error;
        record.errors.push_back({PlaceOfEntry(record, error.entry), error.message, error.detail});
    }
}

// A check loads on past a line's error: the error is kept, and the line still takes
// its entry, so that every later entry keeps its place.
void LoadKeepingErrors(Interp& in, std::string& piece, const SourcePlace& place) {
    LoadRecord& record = in.loader.record;
    record.pieces.push_back({place, piece});
    const int firstEntry = in.program.entryCount;
    try {
        LoadSourceLine(in, piece);
    } catch (const FatalError& error) {
        record.errors.push_back({place, error.message, error.detail});
        record.pieces.back().loaded = false;
        if (in.program.entryCount == firstEntry) EmptyEntry(in);
    }
    while (record.entryPlaces.size() < static_cast<std::size_t>(in.program.entryCount)) record.entryPlaces.push_back(place);
}

// The place of the piece after this one: a piece cut at the length limit goes on in
// the same line.
void MovePast(SourcePlace& place, const std::string& piece) {
    if (!piece.empty() && piece.back() == '\n') {
        ++place.line;
        place.column = 1;
    } else {
        place.column += static_cast<int>(piece.size());
    }
}

}  // namespace

void LoadStream(Interp& in, File& file) {
    std::string piece;
    SourcePlace place{in.loader.record.readingFile};
    // Reading stops once the table is past its limit, so an endless file cannot hold
    // the load up; the limit is reported when loading ends.
    for (bool first = true; in.program.entryCount <= kMaxEntries && ReadPiece(file, piece); first = false) {
        if (first) place.column += static_cast<int>(DropByteOrderMark(file, piece));
        if (!in.loader.record.keeping) {
            LoadSourceLine(in, piece);
            continue;
        }
        const std::string read = piece;
        LoadKeepingErrors(in, piece, place);
        MovePast(place, read);
    }
}

void LoadImportedStream(Interp& in, File& file, const std::string& name) {
    std::string& reading = in.loader.record.readingFile;
    const std::string importing = std::exchange(reading, name);
    LoadStream(in, file);
    reading = importing;
}

void LoadScript(Interp& in, File& file) {
    LoadStream(in, file);
    // Loading stopped at the limit, perhaps inside a block: the limit is the error.
    if (!PastTableLimit(in)) CheckOpenBlocks(in);
}

void FinishLoading(Interp& in) {
    LoadRecord& record = in.loader.record;
    if (PastTableLimit(in) && record.keeping) {
        record.errors.push_back({PlaceOfEntry(record, kMaxEntries), Say(in, kMsgTooManyEntries), ""});
        return;
    }
    if (PastTableLimit(in)) FailAt(kNoEntry, Say(in, kMsgTooManyEntries), "");
    PairBlocks(in);
}

}  // namespace ml
