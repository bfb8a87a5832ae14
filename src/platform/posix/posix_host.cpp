#include <cstdio>

#include "platform/platform.h"
#include "platform/posix/posix_codepage.h"
#include "platform/posix/posix_console.h"

namespace ml {

// The host is one per process by nature: one terminal, one locale.
Platform& hostPlatform() {
    static PosixConsole console(stdin, stdout);
    static PosixCodePage codePage;
    static Platform platform{console, codePage};
    return platform;
}

}  // namespace ml
