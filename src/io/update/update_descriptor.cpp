#include "io/update/update_descriptor.h"

#include "core/base/version.h"
#include "io/update/update_signature.h"

#include <sodium.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>

namespace kav::io {

namespace {

bool allDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

bool isDate(std::string_view s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-' || !allDigits(s.substr(0, 4)) ||
        !allDigits(s.substr(5, 2)) || !allDigits(s.substr(8, 2)))
        return false;
    const int month = std::stoi(std::string(s.substr(5, 2)));
    const int day = std::stoi(std::string(s.substr(8, 2)));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

std::optional<Sha256> parseSha256(std::string_view hex) {
    if (hex.size() != 64)
        return std::nullopt;
    Sha256 out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned value = 0;
        for (char c : hex.substr(2 * i, 2)) {
            const char* digits = "0123456789abcdef";
            const char* at = c != '\0' ? std::strchr(digits, c) : nullptr;
            if (!at)
                return std::nullopt;
            value = value * 16 + static_cast<unsigned>(at - digits);
        }
        out[i] = static_cast<std::uint8_t>(value);
    }
    return out;
}

constexpr const char* kFields[] = {"format", "version", "size", "sha256", "date", "minimum"};

} // namespace

ReadDescriptor readReleaseDescriptor(std::string_view text) {
    ReadDescriptor r;
    auto bad = [&r](const std::string& what) {
        r.error = "описание выпуска повреждено: " + what;
        return r;
    };
    if (takeLine(text) != kDescriptorHeader)
        return bad("нет заголовка");
    std::map<std::string, std::string, std::less<>> fields;
    while (!text.empty()) {
        std::string_view line = takeLine(text);
        if (line.empty())
            continue;
        const auto eq = line.find('=');
        if (eq == std::string_view::npos)
            return bad("строка без «=»");
        std::string key(line.substr(0, eq));
        if (!fields.emplace(key, std::string(line.substr(eq + 1))).second)
            return bad("поле " + key + " дважды");
    }
    const auto format = fields.find("format");
    if (format == fields.end() || !allDigits(format->second) || format->second.size() > 6)
        return bad("нет номера формата");
    ReleaseDescriptor d;
    d.format = std::stoi(format->second);
    if (d.format != kDescriptorFormat) {
        r.error = "описание выпуска в формате " + format->second +
                  ", эта программа читает формат " + std::to_string(kDescriptorFormat);
        return r;
    }
    for (const auto& [key, value] : fields)
        if (std::find(std::begin(kFields), std::end(kFields), key) == std::end(kFields))
            return bad("неизвестное поле " + key);
    for (const char* key : kFields)
        if (!fields.count(key))
            return bad(std::string("нет поля ") + key);
    d.version = fields["version"];
    d.minimum = fields["minimum"];
    if (!compareVersions(d.version, d.minimum))
        return bad("версия не по образцу V1.2.3");
    const std::string& size = fields["size"];
    if (!allDigits(size) || size.size() > 15 || (d.size = std::stoull(size)) == 0)
        return bad("размер");
    const auto sha = parseSha256(fields["sha256"]);
    if (!sha)
        return bad("SHA-256");
    d.sha256 = *sha;
    d.date = fields["date"];
    if (!isDate(d.date))
        return bad("дата");
    r.descriptor = d;
    return r;
}

std::string releaseDescriptorText(const ReleaseDescriptor& d) {
    return std::string(kDescriptorHeader) + "\nformat=" + std::to_string(d.format) +
           "\nversion=" + d.version + "\nsize=" + std::to_string(d.size) +
           "\nsha256=" + hexText(d.sha256.data(), d.sha256.size()) + "\ndate=" + d.date +
           "\nminimum=" + d.minimum + "\n";
}

static_assert(sizeof(crypto_hash_sha256_state) <= 512 && crypto_hash_sha256_BYTES == 32);

Sha256Stream::Sha256Stream() {
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium cannot start");
    crypto_hash_sha256_init(reinterpret_cast<crypto_hash_sha256_state*>(state_));
}

void Sha256Stream::add(std::string_view bytes) {
    crypto_hash_sha256_update(reinterpret_cast<crypto_hash_sha256_state*>(state_),
                              reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

Sha256 Sha256Stream::finish() {
    Sha256 out{};
    crypto_hash_sha256_final(reinterpret_cast<crypto_hash_sha256_state*>(state_), out.data());
    return out;
}

Sha256 sha256Of(std::string_view bytes) {
    Sha256Stream s;
    s.add(bytes);
    return s.finish();
}

} // namespace kav::io
