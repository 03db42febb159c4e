#include "core/base/rng.h"

#include <chrono>

namespace kav {

std::uint32_t Rng::clockSeed() {
    auto now = std::chrono::system_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<std::uint32_t>(ms);
}

} // namespace kav
