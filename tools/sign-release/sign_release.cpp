// sign-release: the publisher's tool for signed updates. Makes the key pair,
// signs a release's executable with the secret key (given by path, kept out of
// the repository) and checks a signature the way the program does.
//
//   sign-release keygen PUBLIC_KEY_FILE SECRET_KEY_FILE
//   sign-release sign SECRET_KEY_FILE FILE [SIGNATURE_FILE]   (default FILE.sig)
//   sign-release verify PUBLIC_KEY_FILE FILE [SIGNATURE_FILE]
#include "io/files/text_file.h"
#include "io/update/update_signature.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

using namespace kav::io;

namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;

int usage() {
    std::cerr << "usage: sign-release keygen PUBLIC_KEY_FILE SECRET_KEY_FILE\n"
                 "       sign-release sign SECRET_KEY_FILE FILE [SIGNATURE_FILE]\n"
                 "       sign-release verify PUBLIC_KEY_FILE FILE [SIGNATURE_FILE]\n";
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
    auto secretText = readFileBytes(secretPath, 4096);
    auto secret = secretText ? parseSecretKey(*secretText) : std::nullopt;
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
    return usage();
}
