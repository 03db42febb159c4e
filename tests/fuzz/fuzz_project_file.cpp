// The project file: any bytes give a state or a reason, never both; a state
// that reads is written, and what is written reads back as the same work and
// writes byte-identical.
#include "core/project/project_state.h"
#include "fuzz/fuzz_check.h"
#include "io/files/project_file.h"

#include <string_view>

using namespace kav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const io::ProjectRead read = io::readProjectJson(bytes);
    FUZZ_CHECK(read.state.has_value() == read.error.empty());
    if (!read.state)
        return 0;
    const std::string written = io::projectJson(*read.state);
    const io::ProjectRead again = io::readProjectJson(written);
    FUZZ_CHECK(again.state.has_value());
    FUZZ_CHECK(sameWork(*again.state, *read.state));
    FUZZ_CHECK(io::projectJson(*again.state) == written);
    return 0;
}
