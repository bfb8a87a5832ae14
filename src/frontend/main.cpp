#include <memory>

#include "frontend/startup.h"

int main(int argc, char** argv) {
    ml::Platform& host = ml::hostPlatform();
    // The interpreter's tables are large; they live on the heap for the whole run.
    auto interp = std::make_unique<ml::Interp>(host);
    try {
        ml::RunMorrowlark(*interp, argc, argv);
    } catch (const ml::ProgramEnd&) {
    }
    host.console.flush();
    return 0;
}
