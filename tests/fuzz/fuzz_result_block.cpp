// The result and prizes pasted as one block: any bytes are read or refused
// with a reason; a block that reads writes back and reads again the same.
#include "core/check/result_block.h"
#include "fuzz/fuzz_check.h"

#include <string_view>

using namespace kav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = readResultBlock(bytes);
    FUZZ_CHECK(read.block.has_value() == read.fault.empty());
    if (!read.block)
        return 0;
    for (const auto& prize : read.block->prizes)
        FUZZ_CHECK(!prize || *prize >= Fixed4());
    const auto again = readResultBlock(resultBlockText(*read.block));
    FUZZ_CHECK(again.block == read.block);
    return 0;
}
