// The release descriptor: any text is read or refused with a reason, never
// both; what is read writes back to a text that reads the same; the versions
// it names compare as a total order with our own.
#include "core/base/version.h"
#include "fuzz/fuzz_check.h"
#include "io/update/update_descriptor.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto read = kav::io::readReleaseDescriptor(text);
    FUZZ_CHECK(read.descriptor.has_value() == read.error.empty());
    if (read.descriptor) {
        const auto again =
            kav::io::readReleaseDescriptor(kav::io::releaseDescriptorText(*read.descriptor));
        FUZZ_CHECK(again.descriptor == read.descriptor);
        const auto& v = read.descriptor->version;
        const auto& m = read.descriptor->minimum;
        FUZZ_CHECK(kav::compareVersions(v, v) == 0);
        FUZZ_CHECK(kav::compareVersions(v, m).has_value());
        FUZZ_CHECK(*kav::compareVersions(v, m) == -*kav::compareVersions(m, v));
        FUZZ_CHECK(!(kav::isNewerVersion(v) && kav::isNewerVersion(kav::kCurrentVersion, v)));
    }
    // Any text: a version never counts as newer than itself.
    FUZZ_CHECK(!kav::isNewerVersion(text, text));
    return 0;
}
