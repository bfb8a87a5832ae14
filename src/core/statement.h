// The kinds of script line. Each is one row of the statement table: the normal text
// that names it, its load check, how its text runs and how it is decoded. The rows
// live in engine/statement_table.cpp, the one place that knows all three; the loader
// and the program table, on floors below it, reach them through Statements().
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ml {

struct Interp;
struct DecodedEntry;
struct LoadLine;  // the line being loaded (loader/statements.h)

// A statement's part in the block structure, which the pairing of blocks and the
// search of `Break` and `Continue` follow.
enum class Block : std::uint8_t { None, Opens, Branch, Closes, ClosesLoop, FunctionStart, FunctionEnd };

// What the loader stores for the line once its check passed.
enum class Stored : std::uint8_t {
    AsWritten,  // the normal text, as the check left it
    Empty,      // an empty entry, which only keeps the line numbers aligned
    ByCheck,    // the check stored what it loaded (an imported file's lines)
};

struct Statement {
    std::string_view word;  // the normal text, or how it begins
    bool prefix;            // word begins the text, rather than being all of it
    Block block;
    Stored stored;
    bool passedOver;        // a stored entry that runs nothing: the run goes on past it
    void (*load)(LoadLine&);                           // null: no check
    void (*run)(Interp&);                              // runs the line's text; null: "Command error"
    void (*decode)(std::string_view, DecodedEntry&);   // null: it always runs from its text
};

// Every row, in the order they are tried; the last takes any other line.
std::span<const Statement> Statements();

// The row a normal text belongs to.
std::uint8_t StatementIndex(std::string_view text);
inline const Statement& StatementOf(std::string_view text) { return Statements()[StatementIndex(text)]; }

}  // namespace ml
