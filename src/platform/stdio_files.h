// Files through the C runtime, the same on both builds: its text mode is what the
// Windows runtime makes of a line end, and names reach it as the script wrote them.
#pragma once

#include "platform/platform.h"

namespace ml {

class StdioFiles final : public Files {
public:
    std::unique_ptr<File> open(const std::string& name, FileMode mode) override;
    bool isPlainFile(const std::string& name) override;
    bool isPipe(const std::string& name) override;
    bool sameFile(const std::string& one, const std::string& other) override;
};

}  // namespace ml
