#include "platform/platform.h"
#include "platform/win32/win32_codepage.h"
#include "platform/win32/win32_console.h"

namespace ml {

// The host is one per process by nature: one console, one system code page.
Platform& hostPlatform() {
    static Win32Console console;
    static Win32CodePage codePage;
    static Platform platform{console, codePage};
    return platform;
}

}  // namespace ml
