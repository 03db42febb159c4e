// sign-release: the publisher's tool for signed updates. Makes the key pair,
// signs a release's executable with the secret key (given by path, kept out of
// the repository) and checks a signature the way the program does.
//
//   sign-release keygen PUBLIC_KEY_FILE SECRET_KEY_FILE
//   sign-release sign SECRET_KEY_FILE FILE [SIGNATURE_FILE]   (default FILE.sig)
//   sign-release verify PUBLIC_KEY_FILE FILE [SIGNATURE_FILE]
//   sign-release release SECRET_KEY_FILE EXECUTABLE VERSION MINIMUM_VERSION [DESCRIPTOR]
//       writes the signed release descriptor (default kavendix.release beside
//       the executable, its signature DESCRIPTOR.sig), and for older programs
//       the executable's own signature EXECUTABLE.sig and updkvx.ini
//   sign-release check PUBLIC_KEY_FILE DESCRIPTOR EXECUTABLE
//       checks them the way the program does
#include "core/base/version.h"
#include "io/files/text_file.h"
#include "io/update/update_descriptor.h"
#include "io/update/update_signature.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

using namespace kav::io;

namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;

int usage() {
    std::cerr << "usage: sign-release keygen PUBLIC_KEY_FILE SECRET_KEY_FILE\n"
                 "       sign-release sign SECRET_KEY_FILE FILE [SIGNATURE_FILE]\n"
                 "       sign-release verify PUBLIC_KEY_FILE FILE [SIGNATURE_FILE]\n"
                 "       sign-release release SECRET_KEY_FILE EXECUTABLE VERSION MINIMUM_VERSION "
                 "[DESCRIPTOR]\n"
                 "       sign-release check PUBLIC_KEY_FILE DESCRIPTOR EXECUTABLE\n";
    return 2;
}

int fail(const std::string& text) {
    std::cerr << "sign-release: " << text << '\n';
    return 1;
}

// Creates the file only when it does not exist yet, readable by its owner only.
bool writeNewPrivateFile(const std::string& path, const std::string& text) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return false;
    bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ok = ::close(fd) == 0 && ok;
    if (!ok)
        ::unlink(path.c_str());
    return ok;
}

std::optional<UpdateSecretKey> secretKeyIn(const std::string& path) {
    auto text = readFileBytes(path, 4096);
    return text ? parseSecretKey(*text) : std::nullopt;
}

std::string todayUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    gmtime_r(&now, &t);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &t);
    return text;
}

int release(const std::vector<std::string>& args) {
    auto secret = secretKeyIn(args[1]);
    if (!secret)
        return fail("no secret key in " + args[1]);
    const std::string& exe = args[2];
    auto data = readFileBytes(exe, kMaxFileBytes);
    if (!data || data->empty())
        return fail("cannot read " + exe);
    ReleaseDescriptor d;
    d.version = args[3];
    d.minimum = args[4];
    d.size = data->size();
    d.sha256 = sha256Of(*data);
    d.date = todayUtc();
    const std::string text = releaseDescriptorText(d);
    if (!readReleaseDescriptor(text).descriptor)
        return fail("not a version: " + d.version + " or " + d.minimum);
    // Programs up to V1.4.2 read updkvx.ini and compare byte by byte.
    if (!(std::string_view("V1.4.2") < d.version))
        std::cerr << "note: programs up to V1.4.2 will not see " << d.version
                  << " as newer (they compare versions byte by byte)\n";
    const std::string descriptor =
        args.size() == 6 ? args[5]
                         : (std::filesystem::path(exe).parent_path() / "kavendix.release").string();
    const std::string legacy =
        (std::filesystem::path(descriptor).parent_path() / "updkvx.ini").string();
    for (const auto& [path, bytes] :
         {std::pair{descriptor, text},
          {descriptor + ".sig", signatureFileText(signUpdate(text, *secret))},
          {exe + ".sig", signatureFileText(signUpdate(*data, *secret))},
          {legacy, d.version + "\r\n"}})
        if (auto m = writeFileBytes(path, bytes))
            return fail(m->text);
    std::cout << text;
    return 0;
}

int check(const std::string& publicPath, const std::string& descriptor, const std::string& exe) {
    auto publicText = readFileBytes(publicPath, 4096);
    auto key = publicText ? parsePublicKey(*publicText) : std::nullopt;
    if (!key)
        return fail("no public key in " + publicPath);
    auto text = readFileBytes(descriptor, 64u << 10);
    auto sigText = readFileBytes(descriptor + ".sig", 4096);
    auto signature = sigText ? parseSignatureFile(*sigText) : std::nullopt;
    if (!text || !signature || !signatureVerifies(*text, *signature, *key))
        return fail("no good signature for " + descriptor);
    ReadDescriptor read = readReleaseDescriptor(*text);
    if (!read.descriptor)
        return fail(read.error);
    auto data = readFileBytes(exe, kMaxFileBytes);
    if (!data || data->size() != read.descriptor->size ||
        sha256Of(*data) != read.descriptor->sha256)
        return fail(exe + " is not the executable the descriptor names");
    std::cout << "good descriptor: " << read.descriptor->version << '\n';
    return 0;
}

int keygen(const std::string& publicPath, const std::string& secretPath) {
    UpdateKeyPair pair = makeUpdateKeyPair();
    const std::string pub = hexText(pair.publicKey.data(), pair.publicKey.size());
    if (!writeNewPrivateFile(secretPath,
                             hexText(pair.secretKey.data(), pair.secretKey.size()) + '\n'))
        return fail("cannot create " + secretPath + " (it must not exist yet)");
    if (auto m = writeFileBytes(publicPath, pub + '\n'))
        return fail(m->text);
    std::cout << pub << '\n';
    return 0;
}

int sign(const std::string& secretPath, const std::string& file, const std::string& sigPath) {
    auto secret = secretKeyIn(secretPath);
    if (!secret)
        return fail("no secret key in " + secretPath);
    auto data = readFileBytes(file, kMaxFileBytes);
    if (!data)
        return fail("cannot read " + file);
    if (auto m = writeFileBytes(sigPath, signatureFileText(signUpdate(*data, *secret))))
        return fail(m->text);
    return 0;
}

int verify(const std::string& publicPath, const std::string& file, const std::string& sigPath) {
    auto publicText = readFileBytes(publicPath, 4096);
    auto key = publicText ? parsePublicKey(*publicText) : std::nullopt;
    if (!key)
        return fail("no public key in " + publicPath);
    auto data = readFileBytes(file, kMaxFileBytes);
    if (!data)
        return fail("cannot read " + file);
    auto sigText = readFileBytes(sigPath, 4096);
    auto signature = sigText ? parseSignatureFile(*sigText) : std::nullopt;
    if (!signature)
        return fail("no signature in " + sigPath);
    if (!signatureVerifies(*data, *signature, *key))
        return fail("the signature does not match " + file);
    std::cout << "good signature\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "keygen")
        return keygen(args[1], args[2]);
    if ((args.size() == 3 || args.size() == 4) && (args[0] == "sign" || args[0] == "verify")) {
        const std::string sigPath = args.size() == 4 ? args[3] : args[2] + ".sig";
        return args[0] == "sign" ? sign(args[1], args[2], sigPath)
                                 : verify(args[1], args[2], sigPath);
    }
    if ((args.size() == 5 || args.size() == 6) && args[0] == "release")
        return release(args);
    if (args.size() == 4 && args[0] == "check")
        return check(args[1], args[2], args[3]);
    return usage();
}
