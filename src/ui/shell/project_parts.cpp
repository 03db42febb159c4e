#include "ui/shell/project_parts.h"

#include "ui/bets/bet_list_editor.h"
#include "ui/common/session.h"
#include "ui/draw/draw_source.h"
#include "ui/forming/mode_bar.h"
#include "ui/project/project_document.h"

namespace kav::ui {

// The draw goes first: the mode bar shows its forced bet and currency. The
// draw is noted as replaced once all parts are in, so what follows it (the
// summary, the grid, the counts) sees the whole project.
void joinProjectParts(ProjectDocument& project, Session& session, DrawSource& draw,
                      ModeBar& modeBar, BetListEditor& editor) {
    project.setParts(
        [&draw, &modeBar, &editor](kav::ProjectState& s) {
            draw.storeInto(s);
            modeBar.storeInto(s);
            s.betText = editor.fullText().toStdString();
        },
        [&session, &draw, &modeBar](const kav::ProjectState& s) {
            draw.applyFrom(s);
            modeBar.applyFrom(s);
            session.loadBets(s.betText);
            session.noteDrawReplaced();
        });
}

} // namespace kav::ui
