// --draw: the quotes file.
#include "app/cli/cli_context.h"

namespace kav::cli {

void loadDrawFile(CliContext& ctx) {
    // The quotes-file reader lives in io; until it is wired here a draw file
    // cannot be used.
    throw UsageError("cannot read " + ctx.drawFile + ": quotes files are not supported yet");
}

} // namespace kav::cli
