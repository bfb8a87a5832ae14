#include <cstdio>

#include "platform/platform.h"
#include "platform/posix/posix_codepage.h"
#include "platform/posix/posix_console.h"
#include "platform/posix/posix_desktop.h"
#include "platform/posix/posix_interop.h"
#include "platform/posix/posix_processes.h"
#include "platform/stdio_files.h"
#include "platform/system_clock.h"

namespace ml {

// The host is one per process by nature: one terminal, one locale.
Platform& HostPlatform() {
    static PosixConsole console(stdin, stdout);
    static PosixCodePage codePage;
    static PosixDesktop desktop;
    static PosixNativeLibraries native;
    static PosixCom com;
    static StdioFiles files;
    static SystemClock clock;
    static PosixProcesses processes;
    static Platform platform{console, codePage, desktop, native, com, files, clock, processes};
    return platform;
}

}  // namespace ml
