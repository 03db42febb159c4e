// What an action asks the window to show: at most one message box.
#pragma once

#include <optional>
#include <string>

namespace kav {

enum class Buttons { Ok, OkCancel, YesNo };

struct Message {
    std::string text;
    std::string caption = "Ошибка";
    Buttons buttons = Buttons::Ok;
    bool operator==(const Message&) const = default;
};

using MaybeMessage = std::optional<Message>;

} // namespace kav
