#include "io/update/update_signature.h"

#include "io/update/update_public_key.h"

#include <sodium.h>

#include <stdexcept>

namespace kav::io {

namespace {

void initSodium() {
    // Safe to call more than once and from several threads.
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium cannot start");
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string_view trimmed(std::string_view s) {
    constexpr std::string_view blanks = " \t\r\n";
    auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

template <std::size_t N> std::optional<std::array<std::uint8_t, N>> parseHex(std::string_view s) {
    s = trimmed(s);
    if (s.size() != 2 * N)
        return std::nullopt;
    std::array<std::uint8_t, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        int hi = hexDigit(s[2 * i]), lo = hexDigit(s[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return out;
}


} // namespace

std::string_view takeLine(std::string_view& text) {
    auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

std::optional<UpdatePublicKey> parsePublicKey(std::string_view text) {
    return parseHex<32>(text);
}

std::optional<UpdateSecretKey> parseSecretKey(std::string_view text) {
    return parseHex<64>(text);
}

std::string hexText(const std::uint8_t* bytes, std::size_t size) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(2 * size);
    for (std::size_t i = 0; i < size; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

std::optional<UpdateSignature> parseSignatureFile(std::string_view text) {
    if (takeLine(text) != kSignatureHeader)
        return std::nullopt;
    std::string_view hex = takeLine(text);
    if (hex.size() != 2 * UpdateSignature{}.size())
        return std::nullopt;
    auto signature = parseHex<64>(hex);
    if (!signature)
        return std::nullopt;
    while (!text.empty())
        if (!takeLine(text).empty())
            return std::nullopt;
    return signature;
}

std::string signatureFileText(const UpdateSignature& signature) {
    return std::string(kSignatureHeader) + '\n' + hexText(signature.data(), signature.size()) +
           '\n';
}

bool signatureVerifies(std::string_view data, const UpdateSignature& signature,
                       const UpdatePublicKey& key) {
    initSodium();
    return crypto_sign_verify_detached(signature.data(),
                                       reinterpret_cast<const unsigned char*>(data.data()),
                                       data.size(), key.data()) == 0;
}

UpdateKeyPair makeUpdateKeyPair() {
    initSodium();
    UpdateKeyPair pair;
    crypto_sign_keypair(pair.publicKey.data(), pair.secretKey.data());
    return pair;
}

UpdateSignature signUpdate(std::string_view data, const UpdateSecretKey& key) {
    initSodium();
    UpdateSignature signature{};
    crypto_sign_detached(signature.data(), nullptr,
                         reinterpret_cast<const unsigned char*>(data.data()), data.size(),
                         key.data());
    return signature;
}

std::optional<UpdatePublicKey> builtInUpdateKey() {
    return parsePublicKey(kBuiltInUpdateKeyHex);
}

static_assert(crypto_sign_PUBLICKEYBYTES == 32 && crypto_sign_SECRETKEYBYTES == 64 &&
              crypto_sign_BYTES == 64);

} // namespace kav::io
