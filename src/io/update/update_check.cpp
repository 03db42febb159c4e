#include "io/update/update_check.h"

#include "core/base/version.h"
#include "io/files/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kav::io {

namespace fs = std::filesystem;

namespace {

std::string shellQuoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string joinedLf(const Lines& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + '\n';
    return out;
}

} // namespace

UpdateSettings defaultUpdateSettings(const std::string& server) {
    UpdateSettings s;
    s.server = server;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    s.folder = ec ? fs::current_path(ec) : exe.parent_path();
    s.executableName = ec ? std::string("kavendix") : exe.filename().string();
    s.descriptorHttp.connectTimeout = std::chrono::milliseconds(2000);
    s.descriptorHttp.totalTimeout = std::chrono::milliseconds(2500);
    s.descriptorHttp.maxBodyBytes = 64u << 10;
    s.executableHttp.connectTimeout = std::chrono::seconds(10);
    s.executableHttp.totalTimeout = std::chrono::minutes(5);
    s.executableHttp.maxBodyBytes = 512u << 20;
    for (HttpOptions* http : {&s.descriptorHttp, &s.executableHttp})
        http->protocols = http->redirectProtocols = "https";
    s.publicKey = builtInUpdateKey();
    s.installed = fs::is_directory(s.folder.parent_path() / "share/kavendix", ec);
    return s;
}

OfferedRelease fetchRelease(const UpdateSettings& s) {
    OfferedRelease o;
    if (!s.publicKey) {
        o.refusal = "в этой сборке программы нет ключа для проверки подписи обновлений";
        return o;
    }
    HttpRequest http(s.descriptorHttp);
    auto text = http.get(s.server + kReleaseTarget);
    if (!text) {
        o.refusal = "описание выпуска не загружено: " + http.lastError();
        return o;
    }
    HttpOptions signatureHttp = s.descriptorHttp;
    signatureHttp.maxBodyBytes = kMaxSignatureBytes;
    HttpRequest signatureRequest(signatureHttp);
    auto signatureReply = signatureRequest.get(s.server + kReleaseSignatureTarget);
    auto signature = signatureReply ? parseSignatureFile(signatureReply->body) : std::nullopt;
    if (!signature || !signatureVerifies(text->body, *signature, *s.publicKey)) {
        o.refusal = "описание выпуска без верной подписи издателя";
        return o;
    }
    ReadDescriptor read = readReleaseDescriptor(text->body);
    if (!read.descriptor) {
        o.refusal = read.error;
        return o;
    }
    const ReleaseDescriptor& d = *read.descriptor;
    const auto order = compareVersions(d.version, s.currentVersion);
    if (order != 1) {
        // The same version is the usual answer; an older one offered is a
        // rollback and is named.
        if (order != 0)
            o.refusal = "версия " + d.version + " не новее этой (" + s.currentVersion + ")";
        return o;
    }
    if (compareVersions(s.currentVersion, d.minimum).value_or(-1) < 0) {
        o.refusal = "версия " + d.version + " ставится только поверх " + d.minimum +
                    " и новее, а эта " + s.currentVersion;
        return o;
    }
    o.descriptor = d;
    return o;
}

Lines updateScriptLines(const std::string& executableName, const ReplaceTimes& times) {
    const std::string exe = shellQuoted(executableName);
    const std::string old = shellQuoted(executableName + ".old");
    const std::string download = std::string(kDownloadedName);
    const std::string putBack = "    mv -f " + old + " " + exe;
    const std::string restart = "    exec ./" + exe + " \"$@\"";
    return {
        "#!/bin/sh",
        "cd \"$(dirname \"$0\")\" || exit 1",
        // The shell reads on from its open file.
        std::string("rm -f ") + kScriptName,
        "sleep " + std::to_string(times.beforeSeconds),
        // The old program is kept under another name until the new one runs.
        "if ! mv -f " + exe + " " + old + "; then",
        "    rm -f " + download,
        restart,
        "fi",
        std::string("rm -f Update.ini ") + kLegacyDescriptorName,
        "if ! { mv -f " + download + " " + exe + " && chmod +x " + exe + "; }; then",
        "    rm -f " + download,
        putBack,
        restart,
        "fi",
        "sleep " + std::to_string(times.afterSeconds),
        // The new program's exit status, when it ends, goes to a file outside the folder.
        "status=$(mktemp) || status=/nonexistent",
        "{ ./" + exe + " \"$@\"; code=$?; [ -e \"$status\" ] && echo $code > \"$status\"; } &",
        "sleep " + std::to_string(times.startSeconds),
        "if [ -s \"$status\" ] && [ \"$(cat \"$status\")\" != 0 ]; then",
        "    rm -f \"$status\" " + exe,
        putBack,
        restart,
        "fi",
        "rm -f \"$status\" " + old,
    };
}

PreparedUpdate prepareUpdate(const UpdateSettings& s, const ReleaseDescriptor& release,
                             const HttpProgress& progress) {
    PreparedUpdate p;
    const std::string refused = "Обновление отклонено: ";
    if (release.size > s.executableHttp.maxBodyBytes) {
        p.error = refused + "файл новой версии больше " +
                  std::to_string(s.executableHttp.maxBodyBytes) + " байт.";
        return p;
    }
    const fs::path downloaded = s.folder / kDownloadedName;
    // What an earlier download killed midway left behind.
    removeStaleTempFiles(s.folder.string());
    SafeFileWriter file(downloaded.string());
    if (!file.ok()) {
        p.error = writeFailedMessage(downloaded.string()).text;
        return p;
    }
    // The descriptor's size is the cap: a longer reply is refused by its
    // declared length before its body, or as soon as it grows past it.
    HttpOptions http = s.executableHttp;
    http.maxBodyBytes = static_cast<std::size_t>(release.size);
    Sha256Stream hash;
    std::uint64_t received = 0;
    bool cancelled = false;
    HttpRequest request(http);
    auto reply = request.get(
        s.server + kExecutableTarget,
        [&](std::int64_t got, std::int64_t expected) {
            cancelled = progress && !progress(got, expected);
            return !cancelled;
        },
        [&](std::string_view piece) {
            hash.add(piece);
            received += piece.size();
            return file.write(piece);
        });
    if (!reply) {
        p.cancelled = cancelled;
        if (request.lastTooLarge())
            p.error = refused + "файл новой версии больше, чем в подписанном описании (" +
                      std::to_string(release.size) + " байт).";
        else
            p.error = "Не удалось загрузить новую версию: " + request.lastError();
        return p;
    }
    if (received != release.size) {
        p.error = refused + "размер файла новой версии (" + std::to_string(received) +
                  " байт) не совпадает с подписанным описанием (" + std::to_string(release.size) +
                  ").";
        return p;
    }
    if (hash.finish() != release.sha256) {
        p.error = refused + "файл новой версии не совпадает с подписанным описанием (SHA-256): "
                            "он изменён или подменён.";
        return p;
    }
    if (auto m = file.commit()) {
        p.error = m->text;
        return p;
    }
    fs::path script = s.folder / kScriptName;
    if (auto m = writeFileBytes(script.string(), joinedLf(updateScriptLines(s.executableName)))) {
        std::error_code ec;
        fs::remove(downloaded, ec);
        p.error = m->text;
        return p;
    }
    p.script = script;
    return p;
}

bool startDetached(const fs::path& script, const fs::path& folder,
                   const std::vector<std::string>& arguments) {
    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are allowed.
    std::string scriptPath = script.string(), dir = folder.string();
    std::vector<char*> argv{const_cast<char*>("sh"), scriptPath.data()};
    std::vector<std::string> args = arguments;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        ::setsid();
        if (::fork() != 0)
            ::_exit(0);
        if (::chdir(dir.c_str()) != 0)
            ::_exit(127);
        int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        ::execv("/bin/sh", argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool checkForUpdate(const UpdateSettings& s, const UpdateHooks& hooks) {
    if (s.installed)
        return false;
    OfferedRelease offer = fetchRelease(s);
    if (!offer.descriptor) {
        if (!offer.refusal.empty() && hooks.noteRefusal)
            hooks.noteRefusal(offer.refusal);
        return false;
    }
    if (!hooks.askYes || !hooks.askYes(*offer.descriptor))
        return false;
    PreparedUpdate prepared = hooks.prepare(s, *offer.descriptor);
    if (prepared.script && hooks.start && !hooks.start(*prepared.script, s.folder, s.arguments)) {
        std::error_code ec;
        fs::remove(*prepared.script, ec);
        fs::remove(s.folder / kDownloadedName, ec);
        prepared = {std::nullopt, "Не удалось запустить обновление.", false};
    }
    if (!prepared.script) {
        if (!prepared.cancelled && hooks.reportError)
            hooks.reportError(prepared.error);
        return false;
    }
    return true;
}

} // namespace kav::io
