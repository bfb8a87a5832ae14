#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/errors.h"
#include "engine/modules.h"
#include "frontend/messages.h"
#include "frontend/startup.h"

int main(int argc, char** argv) {
    ml::Platform& host = ml::HostPlatform();
    // The interpreter's tables are large; they live on the heap for the whole run.
    auto interp = std::make_unique<ml::Interp>(host, ml::Modules());
    // MORROWLARK_DECODED=0 runs every entry from its text, the reference the decoded
    // forms are checked against.
    const char* decoded = std::getenv("MORROWLARK_DECODED");
    interp->decoded.enabled = decoded == nullptr || std::strcmp(decoded, "0") != 0;
    int status;
    try {
        status = ml::RunMorrowlark(*interp, argc, argv);
    } catch (const ml::ProgramEnd& end) {
        // The report of a fatal error could not be written either.
        status = end.status;
    }
    host.console.flush();
    // Output that never arrived would otherwise pass for a run that went well.
    if (host.console.outputFailed()) {
        host.console.writeError(ml::Say(*interp, ml::kMsgOutputLost));
        status = ml::kStatusFailed;
    }
    return status;
}
