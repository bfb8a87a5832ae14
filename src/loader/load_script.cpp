// Loading a whole script: its lines in pieces, the checks that need the whole of it,
// and the pairing of block branches. The program and the tests load through here.
#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/strings.h"
#include "core/text_file.h"
#include "loader/loader.h"
#include "loader/loader_messages.h"

namespace ml {

namespace {

// Several editors begin a UTF-8 file with a byte order mark; it is no part of the
// first line, which is then read as far as it would be without it.
void DropByteOrderMark(File& file, std::string& piece) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (!StartsWith(piece, kByteOrderMark)) return;
    const bool full = piece.size() == kMaxText && piece.back() != '\n';
    piece.erase(0, kByteOrderMark.size());
    std::string rest;
    if (full && ReadPiece(file, rest, kByteOrderMark.size())) piece += rest;
}

bool PastTableLimit(const Interp& in) { return in.program.entryCount > kMaxEntries; }

void CheckOpenBlocks(Interp& in) {
    const LoaderState& L = in.loader;
    if (L.inClass) FailAt(L.classEntry, Say(in, kMsgClassOpen), Say(in, kErrNoEndClass));
    if (L.openCmpCount != 0) {
        FailAt(L.openCmpEntries[static_cast<std::size_t>(L.openCmpCount - 1)], Say(in, kMsgCmpOpen),
               Say(in, kErrNoEndLoop));
    }
    if (L.inFunction()) FailAt(L.openFunctionEntry, Say(in, kMsgDefOpen), Say(in, kErrNoEndDef));
}

}  // namespace

void LoadStream(Interp& in, File& file) {
    std::string piece;
    // Reading stops once the table is past its limit, so an endless file cannot hold
    // the load up; the limit is reported when loading ends.
    for (bool first = true; in.program.entryCount <= kMaxEntries && ReadPiece(file, piece); first = false) {
        if (first) DropByteOrderMark(file, piece);
        LoadSourceLine(in, piece);
    }
}

void LoadScript(Interp& in, File& file) {
    LoadStream(in, file);
    // Loading stopped at the limit, perhaps inside a block: the limit is the error.
    if (!PastTableLimit(in)) CheckOpenBlocks(in);
}

void FinishLoading(Interp& in) {
    if (PastTableLimit(in)) FailAt(kNoEntry, Say(in, kMsgTooManyEntries), "");
    PairBlocks(in);
}

}  // namespace ml
