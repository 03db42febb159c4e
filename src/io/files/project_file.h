// Project files: a player's work (ProjectState) as a versioned JSON document,
// described field by field in docs/project-file.md. Reading never half-applies
// a file: it yields the whole state or a message saying why not.
#pragma once

#include "core/base/message.h"
#include "core/project/project_state.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kav::io {

// The format this program writes; it reads this one and every older one.
inline constexpr int kProjectFormatVersion = 1;
// The name files carry, and the one the file dialogs offer.
inline constexpr const char* kProjectExtension = ".kvp";
// Project files far beyond any real package are refused.
inline constexpr std::size_t kMaxProjectFileBytes = std::size_t{256} << 20;

// The document for a state (UTF-8 JSON, two-space indented, LF line ends).
std::string projectJson(const ProjectState& state);

struct ProjectRead {
    std::optional<ProjectState> state;
    // Why there is no state, in the program's words; empty with a state.
    std::string error;
};
// The state a document holds. Missing fields keep the values of a fresh
// session; a field of the wrong kind or out of range, a document of a newer
// format, or text that is no JSON gives an error instead.
ProjectRead readProjectJson(std::string_view text);

// A condition set alone, as the project's "conditions" object (named presets
// are kept in this form); nothing for text that is not such an object.
std::string conditionSetJson(const ConditionSet& c);
std::optional<ConditionSet> readConditionSetJson(std::string_view text);

// Writes the state to `path` safely (temporary file, then rename).
MaybeMessage saveProjectFile(const std::string& path, const ProjectState& state);
// Reads a project file; the error names the file.
ProjectRead loadProjectFile(const std::string& path);

} // namespace kav::io
