// The load checks of the statements, one each, which the statement table names (core/
// statement.h). A check may rewrite the line's normal form before it is stored. They
// share the line being loaded: its source (for error reports) and its normal form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/interp.h"
#include "core/language.h"

namespace ml {

struct LoadLine {
    Interp& in;
    std::string& source;
    std::string normal;
};

// A load error of the line being loaded: the message, and the error text or the
// source as far as it was lowered.
[[noreturn]] void FailLoad(LoadLine& line, const MsgPair& message, std::string_view error);
[[noreturn]] void FailLoad(LoadLine& line, const MsgPair& message, const MsgPair& error);
// A missing or unusual symbol in the line being loaded.
[[noreturn]] void FailSymbol(Interp& in, std::string_view source);
// A label, class or function loaded a second time.
[[noreturn]] void FailSameName(LoadLine& line);

// An entry that holds no statement: it only keeps the line numbers aligned.
void EmptyEntry(Interp& in);

// `#Import <module>` or `#Import "file"`.
void LoadImport(LoadLine& line);
void LoadClass(LoadLine& line);
void LoadEndClass(LoadLine& line);
void CheckNew(LoadLine& line);
void LoadDef(LoadLine& line);
void LoadEndDef(LoadLine& line);
void LoadReturn(LoadLine& line);
void LoadLabel(LoadLine& line);
void LoadGoTo(LoadLine& line);
// An assignment or an array literal: a target made of allowed characters.
void CheckVariableLine(LoadLine& line);
void LoadCmp(LoadLine& line);
void LoadElCmp(LoadLine& line);
// `End` and `Loop` close the innermost open `Cmp`.
void LoadBlockEnd(LoadLine& line);
// `Break` and `Continue` only inside a block.
void LoadBreak(LoadLine& line);
// `Exit` followed by a digit or a sign must name a status that ExitStatusOf reads.
void LoadExit(LoadLine& line);

// The exit status an `Exit` line's normal text names after its word: 0 for none, or
// a whole number from 0 to 255; nothing for any other text.
std::optional<int> ExitStatusOf(std::string_view rest);

}  // namespace ml
