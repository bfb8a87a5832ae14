// Keeps the files of a fuzzed script inside the scratch folder that is the current
// folder. The harness is linked with --wrap=fopen, so every fopen of the interpreter
// passes through here.
#pragma once

namespace ml {

// While one is alive, only plain names (no folder part) can be opened. On leaving it
// empties the current folder, so no input sees the files of another.
class SandboxFiles {
public:
    SandboxFiles();
    ~SandboxFiles();
    SandboxFiles(const SandboxFiles&) = delete;
    SandboxFiles& operator=(const SandboxFiles&) = delete;
};

}  // namespace ml
