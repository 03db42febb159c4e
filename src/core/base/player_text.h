// The core's texts a player reads (messages, status lines) stay Russian here
// and are translated by the windows where they show them. kav::Text::tr marks
// such a text for the translation tools and gives it back unchanged; the
// windows look it up in the context "kav::Text" (ui/common/translations.h).
#pragma once

// Read by lupdate as the context of kav::Text::tr; nothing for the compiler.
#define KAV_TEXT_CONTEXT(context)

namespace kav {

struct Text {
    KAV_TEXT_CONTEXT(kav::Text)
    static constexpr const char* tr(const char* russian) { return russian; }
};

} // namespace kav
