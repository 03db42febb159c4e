// The update server's descriptor: any reply names at most one version, taken
// from its first line, and the comparison with ours is a strict order.
#include "core/base/version.h"
#include "fuzz/fuzz_check.h"
#include "io/update/update_check.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view reply(reinterpret_cast<const char*>(data), size);
    std::string version = kav::io::descriptorVersion(reply);
    FUZZ_CHECK(version.find('\n') == std::string::npos);
    FUZZ_CHECK(reply.substr(0, version.size()) == version);
    bool newer = kav::isNewerVersion(version);
    FUZZ_CHECK(!(newer && kav::isNewerVersion(kav::kCurrentVersion, version)));
    FUZZ_CHECK(!kav::isNewerVersion(kav::kCurrentVersion));
    return 0;
}
