// --draw: the quotes file.
#include "app/cli/cli_context.h"

#include "io/files/quotes_file_io.h"
#include "io/files/text_file.h"

namespace kav::cli {

void loadDrawFile(CliContext& ctx) {
    auto bytes = io::readFileBytes(ctx.drawFile, io::kMaxQuotesFileBytes);
    if (!bytes)
        throw UsageError("cannot read " + ctx.drawFile);
    std::string problem;
    auto content = io::parseQuotesFileBytes(*bytes, &problem);
    if (!content)
        throw UsageError(ctx.drawFile + ": " + io::badQuotesFileText(problem));
    applyQuotesFile(ctx.model, *content);
    ctx.drawSettings = content->settings;
    ctx.totals = content->totals;
}

} // namespace kav::cli
