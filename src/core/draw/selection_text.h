// The selection written as text: 15 comma-separated groups of the letters
// "1", "X" ("x" accepted), "2", or "-" for an event with nothing marked.
#pragma once

#include "core/draw/draw_model.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

using SelectionMatrix = std::array<std::array<std::uint8_t, kOutcomes>, kEvents>;

std::optional<SelectionMatrix> parseSelectionText(std::string_view text);
std::string selectionText(const SelectionMatrix& sel);

} // namespace kav
