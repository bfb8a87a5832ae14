#include "platform/platform.h"
#include "platform/win32/win32_codepage.h"
#include "platform/win32/win32_console.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_interop.h"
#include "platform/win32/win32_processes.h"
#include "platform/stdio_files.h"
#include "platform/system_clock.h"

namespace ml {

// The host is one per process by nature: one console, one system code page.
Platform& HostPlatform() {
    static Win32Console console;
    static Win32CodePage codePage;
    static Win32Desktop desktop;
    static Win32NativeLibraries native;
    static Win32Com com;
    static StdioFiles files;
    static SystemClock clock;
    static Win32Processes processes;
    static Platform platform{console, codePage, desktop, native, com, files, clock, processes};
    return platform;
}

}  // namespace ml
