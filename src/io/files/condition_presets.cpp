#include "io/files/condition_presets.h"

#include "io/files/project_file.h"
#include "io/files/text_file.h"

#include <algorithm>
#include <filesystem>

namespace kav::io {

namespace {
constexpr const char* kPresetExtension = ".json";
constexpr std::size_t kMaxPresetBytes = 1 << 20;

std::string presetPath(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / (name + kPresetExtension)).string();
}
} // namespace

std::vector<std::string> conditionPresetNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const auto& p = entry.path();
        if (entry.is_regular_file(ec) && p.extension() == kPresetExtension)
            names.push_back(p.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool usablePresetName(const std::string& name) {
    return !name.empty() && name.size() <= 100 && name.front() != '.' &&
           name.find_first_of("/\\") == std::string::npos;
}

MaybeMessage saveConditionPreset(const std::string& folder, const std::string& name,
                                 const ConditionSet& c) {
    if (!usablePresetName(name))
        return Message{"Недопустимое имя набора условий: " + name};
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        return Message{"Не удалось создать папку " + folder};
    return writeFileBytes(presetPath(folder, name), conditionSetJson(c));
}

std::optional<ConditionSet> loadConditionPreset(const std::string& folder,
                                                const std::string& name) {
    if (!usablePresetName(name))
        return std::nullopt;
    const auto bytes = readFileBytes(presetPath(folder, name), kMaxPresetBytes);
    if (!bytes)
        return std::nullopt;
    return readConditionSetJson(*bytes);
}

} // namespace kav::io
