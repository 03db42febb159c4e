// What a forming action hands back: the lines to append to the bet list and at
// most one message. Lines appended before a message stay in the list.
#pragma once

#include "core/base/message.h"
#include "core/bets/bet_list.h"

namespace kav {

struct FormResult {
    Lines added;
    MaybeMessage message;
};

} // namespace kav
