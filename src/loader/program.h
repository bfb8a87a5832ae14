// The tables the loader fills once and the executor only reads: the program line
// table, the block jump table, and the class, function, label and module records.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ml {

// The program line table holds 8192 entries; a script that needs more is reported
// after loading, and nothing past this index is ever stored.
inline constexpr int kMaxEntries = 8192;
// Blocks opened by `Cmp` may nest 16 deep.
inline constexpr int kMaxOpenCmp = 16;
// The marker byte that precedes every `$`, `~` and both quotes of a string literal
// outside literals, so run-time code finds them by plain search.
inline constexpr char kMarker = '\x07';

struct Program {
    // The table's room is reserved, not filled: pages of it that no entry uses are
    // never touched, which keeps the start of a short script fast.
    Program() { ListStr_0.reserve(kMaxEntries); }

    int ListBox_1 = 0;                         // entries made so far
    std::vector<std::string> ListStr_0;        // one per entry made, up to the limit
    std::array<std::uint8_t, kMaxEntries> Int_OP_1{};  // line holds `[` outside quotes
    std::array<std::uint8_t, kMaxEntries> Int_OP_2{};  // line holds `~` outside quotes
    std::array<std::uint16_t, kMaxEntries> Jmp{};      // block successors

    // The stored text of an entry; entries past the table read as empty.
    const std::string& text(int entry) const;
    // Makes the next entry; one past the table is counted but never stored.
    void addEntry(const std::string& text, bool bracket, bool call);
};

enum class Module { Lib, Dos, String, Time, Math, File };
inline constexpr int kModuleCount = 6;

// Loading state that spans lines, and the records the executor and the call
// dispatcher use afterwards.
struct LoaderState {
    std::int16_t CEL = 0;                      // open `Cmp` blocks
    std::array<int, kMaxOpenCmp> CELn{};       // entry of each open `Cmp`, innermost last

    std::array<bool, kModuleCount> moduleImported{};  // `#Import <lib>` and so on

    std::vector<std::string> ListStr_Class;    // names of the declared classes
    int ClassTrueFalse = 0;                    // 1 between `Class:` and `End Class`
    int C1 = 0;                                // 1 between `Class:` and `End Class`
    int C2 = 1;                                // 0 inside a function body
    int CLASSn = 0;                            // entry of the open `Class:`

    std::vector<int> defEntry;                 // entry of each `Def:` line
    std::vector<int> endDefEntry;              // entry of its `End Def`
    int DEF = 0;                               // open functions (0 or 1)
    int DEFn = 0;                              // entry of the open `Def:`
    int Gn = 0;                                // 1 inside a function body
    int GR = 0;                                // `Def:` lines loaded so far

    std::vector<int> GGGG;                     // entry of each label, in load order

    int importDepth = 0;                       // nesting of file imports being loaded

    std::size_t ClassCount() const { return ListStr_Class.size(); }
    std::size_t FFNN() const { return defEntry.size(); }
    std::size_t GGNN() const { return GGGG.size(); }
};

}  // namespace ml
