// Signed updates: a release's executable travels with a detached Ed25519
// signature in a small text file; the program holds the publisher's public key
// and accepts only a file whose signature verifies. The publisher's secret key
// stays with the publisher (tools/sign-release signs with it).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav::io {

using UpdatePublicKey = std::array<std::uint8_t, 32>;
using UpdateSecretKey = std::array<std::uint8_t, 64>;
using UpdateSignature = std::array<std::uint8_t, 64>;

// The first line of a signature file; the second holds the signature in hex.
inline constexpr std::string_view kSignatureHeader = "Kavendix update signature (Ed25519)";

// The next line without its end (LF or CR LF); `text` moves past it.
std::string_view takeLine(std::string_view& text);

// "ab01..." -> bytes: exactly 2 * N hex digits, blanks and line ends around
// them allowed; nothing otherwise.
std::optional<UpdatePublicKey> parsePublicKey(std::string_view text);
std::optional<UpdateSecretKey> parseSecretKey(std::string_view text);
std::string hexText(const std::uint8_t* bytes, std::size_t size);

// The signature file: the header line, then the 128 hex digits of the
// signature; lines end with LF or CR LF, blank lines may follow. Anything else
// is not a signature file.
std::optional<UpdateSignature> parseSignatureFile(std::string_view text);
std::string signatureFileText(const UpdateSignature& signature);

// Whether the signature was made over exactly these bytes by the key's owner.
bool signatureVerifies(std::string_view data, const UpdateSignature& signature,
                       const UpdatePublicKey& key);

// The publisher's tools: a fresh key pair and a detached signature.
struct UpdateKeyPair {
    UpdatePublicKey publicKey{};
    UpdateSecretKey secretKey{};
};
UpdateKeyPair makeUpdateKeyPair();
UpdateSignature signUpdate(std::string_view data, const UpdateSecretKey& key);

// The key this build was given (the KAVENDIX_UPDATE_PUBLIC_KEY build option);
// nothing when it was built without one, and then no update is accepted.
std::optional<UpdatePublicKey> builtInUpdateKey();

} // namespace kav::io
