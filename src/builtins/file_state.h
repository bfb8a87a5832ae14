// What the file module keeps between calls within one run: its open files.
#pragma once

#include <memory>
#include <string>

#include "core/interp.h"

namespace ml {

// A file the script writes, and its name as the script gave it, for the reports.
struct WrittenFile {
    std::unique_ptr<File> file;
    std::string name;
};

// One file per mode; a file still open when the run ends is closed (and so written
// out) then.
struct FileState final : ModuleState {
    std::unique_ptr<File> reading;
    WrittenFile writing, appending;
    // What `file.read` took from the read file but has not yet given: the rest of a
    // line too long for one value.
    std::string pending;
};

inline FileState& FileStateOf(Interp& in) { return StateOf<FileState>(in, Module::File); }

}  // namespace ml
