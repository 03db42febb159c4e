// The packet mode: how the player forms the package ("Способ формирования
// пакета"), in the order of the mode list.
#pragma once

#include <optional>

namespace kav {

enum class PacketMode : int {
    BriefSystems = 0, // "Бриф-системы"
    Sensations = 1,   // "По сенсациям"
    Manual = 2,       // "Ручной набор"
    Autoform = 3,     // "Автоформир."
    Conditions = 4,   // "Условия"
};

// The mode at position `index` of the mode list; nothing outside the list.
constexpr std::optional<PacketMode> packetModeAt(int index) {
    if (index < static_cast<int>(PacketMode::BriefSystems) ||
        index > static_cast<int>(PacketMode::Conditions))
        return std::nullopt;
    return static_cast<PacketMode>(index);
}

} // namespace kav
