// The release descriptor: a small text the publisher signs (a detached
// signature in the format of update_signature.h) that binds the version of a
// release to the size and SHA-256 of its executable, and names the release
// date and the lowest installed version allowed to take it. Lines end with LF
// or CR LF; every field appears once, in any order after the header:
//
//   Kavendix release descriptor
//   format=1
//   version=V1.5.0
//   size=12345678
//   sha256=<64 hex digits>
//   date=2026-12-08
//   minimum=V1.4.2
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav::io {

inline constexpr std::string_view kDescriptorHeader = "Kavendix release descriptor";
inline constexpr int kDescriptorFormat = 1;

using Sha256 = std::array<std::uint8_t, 32>;

struct ReleaseDescriptor {
    int format = kDescriptorFormat;
    std::string version;
    std::uint64_t size = 0;
    Sha256 sha256{};
    std::string date; // YYYY-MM-DD
    std::string minimum;
    bool operator==(const ReleaseDescriptor&) const = default;
};

// The descriptor, or why the text is not one (Russian, for the player).
struct ReadDescriptor {
    std::optional<ReleaseDescriptor> descriptor;
    std::string error;
};
ReadDescriptor readReleaseDescriptor(std::string_view text);
std::string releaseDescriptorText(const ReleaseDescriptor& d);

// SHA-256 over pieces of data as they arrive.
class Sha256Stream {
public:
    Sha256Stream();
    void add(std::string_view bytes);
    Sha256 finish();

private:
    alignas(64) unsigned char state_[512];
};
Sha256 sha256Of(std::string_view bytes);

} // namespace kav::io
