// The tables the loader fills once and the executor only reads: the program line
// table, the block jump table, and the class, function, label and module records.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/limits.h"
#include "core/statement.h"

namespace ml {

struct Program {
    // The table's room is reserved, not filled: pages of it that no entry uses are
    // never touched, which keeps the start of a short script fast.
    Program() { texts.reserve(kMaxEntries); }

    int entryCount = 0;                                   // entries made so far
    std::vector<std::string> texts;                       // one per entry made, up to the limit
    std::array<std::uint8_t, kMaxEntries> hasBracket{};   // line holds `[` outside quotes
    std::array<std::uint8_t, kMaxEntries> hasCall{};      // line holds `~` outside quotes
    std::array<std::uint16_t, kMaxEntries> successors{};  // where each block line's branch goes on
    std::array<std::uint8_t, kMaxEntries> statements{};   // each entry's row of the statement table

    // The stored text of an entry; entries past the table read as empty.
    const std::string& text(int entry) const;
    // The statement an entry's stored text is; entries past the table are empty ones.
    const Statement& statement(int entry) const;
    // Makes the next entry; one past the table is counted but never stored.
    void addEntry(const std::string& text, bool bracket, bool call);
};

// Where a piece of a script was read: the file as the script or its import names it,
// and the line and the byte column the piece starts at, both counted from 1.
struct SourcePlace {
    std::string file;
    int line = 1;
    int column = 1;
};

// A piece of a script as it was read, before the loader lowered its letters.
struct SourcePiece {
    SourcePlace place;
    std::string text;
    bool loaded = true;  // false where the piece is a load error
};

// A load error kept, with the message and the error text of its report.
struct LoadError {
    SourcePlace place;
    std::string message;
    std::string detail;
};

// What a check of a script keeps while loading it. Only a check keeps anything: a run
// stops at its first load error, and keeps no copy of its lines.
struct LoadRecord {
    bool keeping = false;
    std::string readingFile;               // the file whose lines are being loaded
    std::vector<SourcePiece> pieces;       // every piece read, an import's in its place
    std::vector<SourcePlace> entryPlaces;  // where each entry was read
    std::vector<LoadError> errors;
};

enum class Module { Lib, Dos, String, Time, Math, File, Desk };
inline constexpr int kModuleCount = 7;

// Loading state that spans lines, and the records the executor and the call
// dispatcher use afterwards.
struct LoaderState {
    std::int16_t openCmpCount = 0;                  // open `Cmp` blocks
    std::array<int, kMaxOpenCmp> openCmpEntries{};  // entry of each open `Cmp`, innermost last

    std::array<bool, kModuleCount> moduleImported{};  // `#Import <lib>` and so on

    std::vector<std::string> classNames;  // names of the declared classes
    bool inClass = false;                 // between `Class:` and `End Class`
    // False inside a function body; a class holds nothing else but functions.
    bool outsideFunctionBody = true;
    int classEntry = 0;                   // entry of the open `Class:`

    std::vector<int> defEntry;            // entry of each `Def:` line
    std::vector<int> endDefEntry;         // entry of its `End Def`
    int openFunctions = 0;                // functions being loaded (0 or 1)
    int openFunctionEntry = 0;            // entry of the open `Def:`

    std::vector<int> labels;              // entry of each label, in load order

    int importDepth = 0;                  // nesting of file imports being loaded

    LoadRecord record;                    // kept for a check only

    bool inFunction() const { return openFunctions > 0; }
    std::size_t classCount() const { return classNames.size(); }
    std::size_t functionCount() const { return defEntry.size(); }
    std::size_t labelCount() const { return labels.size(); }
};

}  // namespace ml
