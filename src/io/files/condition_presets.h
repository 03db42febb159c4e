// Named condition sets of "Условия": one small JSON file per preset
// (<name>.json, the project file's "conditions" object) in a folder of the
// user's data folder.
#pragma once

#include "core/base/message.h"
#include "core/forming/condition_set.h"

#include <optional>
#include <string>
#include <vector>

namespace kav::io {

// The names of the presets in `folder`, sorted; none when it does not exist.
std::vector<std::string> conditionPresetNames(const std::string& folder);

// Whether a name can be a preset's: not empty, no "/" or "\", not starting
// with ".", at most 100 bytes.
bool usablePresetName(const std::string& name);

// Writes the preset (creating the folder), replacing one of the same name.
MaybeMessage saveConditionPreset(const std::string& folder, const std::string& name,
                                 const ConditionSet& c);
// Nothing when the preset is missing or broken.
std::optional<ConditionSet> loadConditionPreset(const std::string& folder, const std::string& name);

} // namespace kav::io
