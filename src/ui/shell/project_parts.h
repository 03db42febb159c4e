// What a project file holds of the work, gathered from the features that own
// it: the draw with its marks (DrawSource), the mode and its settings with the
// stake (ModeBar), and the text of the bet list (BetListEditor).
#pragma once

namespace kav::ui {

class BetListEditor;
class DrawSource;
class ModeBar;
class ProjectDocument;
class Session;

void joinProjectParts(ProjectDocument& project, Session& session, DrawSource& draw,
                      ModeBar& modeBar, BetListEditor& editor);

} // namespace kav::ui
