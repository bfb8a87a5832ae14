// The statements the loader records and rewrites, one handler each. They share the
// line being loaded: its source (for error reports) and its normal form T.
#pragma once

#include <string>

#include "core/interp.h"

namespace ml {

struct LoadLine {
    Interp& in;
    std::string& source;
    std::string T;
};

// The store step: the class-level check, then the entry is written.
void StoreEntry(LoadLine& line, bool bracket, bool call);
// An entry that holds no statement: it only keeps the line numbers aligned.
void EmptyEntry(Interp& in);

bool IsModuleImport(LoadLine& line);
void LoadFileImport(LoadLine& line);
void LoadClass(LoadLine& line);
void LoadEndClass(LoadLine& line);
void CheckNew(LoadLine& line);
void LoadDef(LoadLine& line);
void LoadEndDef(LoadLine& line);
void LoadReturn(LoadLine& line);
void LoadLabel(LoadLine& line);
void LoadGoTo(LoadLine& line);

}  // namespace ml
