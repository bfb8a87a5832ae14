#include "sandbox_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

extern "C" std::FILE* __real_fopen(const char* path, const char* mode);

namespace {

bool active = false;

bool PlainName(std::string_view path) {
    return !path.empty() && path != "." && path != ".." && path.find_first_of("/\\") == std::string_view::npos;
}

// The fuzzer writes the input of a crash or a timeout while the script is still
// running, through this same fopen: its findings folder stays open to it.
const char* const findings = std::getenv("ML_FUZZ_FINDINGS");

bool InFindings(std::string_view path) {
    return findings != nullptr && *findings == '/' && path.starts_with(findings) &&
           path.find("..") == std::string_view::npos;
}

}  // namespace

extern "C" std::FILE* __wrap_fopen(const char* path, const char* mode) {
    if (active && !PlainName(path) && !InFindings(path)) {
        errno = EACCES;
        return nullptr;
    }
    return __real_fopen(path, mode);
}

namespace ml {

SandboxFiles::SandboxFiles() { active = true; }

SandboxFiles::~SandboxFiles() {
    active = false;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::current_path(), ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

}  // namespace ml
