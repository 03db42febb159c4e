// The update's signature file: any reply is either refused or read as one
// signature, and a signature read back from its own text is the same.
#include "fuzz/fuzz_check.h"
#include "io/update/update_signature.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view reply(reinterpret_cast<const char*>(data), size);
    auto signature = kav::io::parseSignatureFile(reply);
    if (!signature)
        return 0;
    FUZZ_CHECK(reply.substr(0, kav::io::kSignatureHeader.size()) == kav::io::kSignatureHeader);
    const std::string text = kav::io::signatureFileText(*signature);
    FUZZ_CHECK(kav::io::parseSignatureFile(text) == signature);
    FUZZ_CHECK(text.size() <= reply.size() + 2);
    return 0;
}
