// Output of the forming commands: the list before the command, then the lines the
// action appended, and the exit code of the message it stopped with, if any.
#pragma once

#include "app/cli/cli_context.h"
#include "core/forming/form_result.h"

namespace kav::cli {

inline int finishForming(const CliContext& ctx, const FormResult& r) {
    BetList all = ctx.bets;
    all.appendLines(r.added);
    return finish(all.lines(), r.message);
}

} // namespace kav::cli
