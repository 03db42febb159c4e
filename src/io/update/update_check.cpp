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
    s.publicKey = builtInUpdateKey();
    s.installed = fs::is_directory(s.folder.parent_path() / "share/kavendix", ec);
    return s;
}

std::optional<std::string> fetchRemoteVersion(const UpdateSettings& s) {
    HttpRequest http(s.descriptorHttp);
    auto reply = http.get(s.server + "/updkvx.ini");
    if (!reply)
        return std::nullopt;
    auto path = (s.folder / kDescriptorName).string();
    if (writeFileBytes(path, reply->body))
        return std::nullopt;
    auto stored = readFileBytes(path, s.descriptorHttp.maxBodyBytes);
    if (!stored)
        return std::nullopt;
    return descriptorVersion(*stored);
}

std::string descriptorVersion(std::string_view descriptor) {
    std::string first(descriptor.substr(0, descriptor.find('\n')));
    if (!first.empty() && first.back() == '\r')
        first.pop_back();
    return first;
}

Lines updateScriptLines(const std::string& executableName, const ReplaceTimes& times) {
    const std::string exe = shellQuoted(executableName);
    const std::string old = shellQuoted(executableName + ".old");
    return {
        "#!/bin/sh",
        "cd \"$(dirname \"$0\")\" || exit 1",
        "sleep " + std::to_string(times.beforeSeconds),
        // The old program is kept under another name until the new one runs.
        "mv -f " + exe + " " + old + " || exit 1",
        "rm -f Update.ini",
        std::string("if ! { mv -f ") + kDownloadedName + " " + exe + " && chmod +x " + exe +
            "; }; then",
        "    mv -f " + old + " " + exe,
        "    exec ./" + exe,
        "fi",
        "sleep " + std::to_string(times.afterSeconds),
        // The new program's exit status, when it ends, goes to a file outside the folder.
        "status=$(mktemp) || status=/nonexistent",
        "{ ./" + exe + "; code=$?; [ -e \"$status\" ] && echo $code > \"$status\"; } &",
        "sleep " + std::to_string(times.startSeconds),
        "if [ -s \"$status\" ] && [ \"$(cat \"$status\")\" != 0 ]; then",
        "    rm -f \"$status\" " + exe,
        "    mv -f " + old + " " + exe,
        "    exec ./" + exe,
        "fi",
        "rm -f \"$status\" " + old,
    };
}

PreparedUpdate prepareUpdate(const UpdateSettings& s) {
    PreparedUpdate p;
    std::error_code ec;
    fs::remove(s.folder / kDescriptorName, ec);
    if (ec) {
        p.error =
            "Не удалось удалить " + (s.folder / kDescriptorName).string() + ": " + ec.message();
        return p;
    }
    const std::string refused = "Обновление отклонено: ";
    HttpRequest http(s.executableHttp);
    auto reply = http.get(s.server + "/kavendix.exe");
    if (!reply) {
        if (http.lastTooLarge())
            p.error = refused + "файл новой версии больше " +
                      std::to_string(s.executableHttp.maxBodyBytes) + " байт.";
        else
            p.error = "Не удалось загрузить новую версию: " + http.lastError();
        return p;
    }
    // An empty reply would replace the program with nothing.
    if (reply->body.empty()) {
        p.error = "Не удалось загрузить новую версию: сервер прислал пустой файл";
        return p;
    }
    if (!s.publicKey) {
        p.error = refused + "в этой сборке программы нет ключа для проверки подписи обновлений.";
        return p;
    }
    HttpOptions signatureHttp = s.executableHttp;
    signatureHttp.maxBodyBytes = kMaxSignatureBytes;
    HttpRequest signatureRequest(signatureHttp);
    auto signatureReply = signatureRequest.get(s.server + kSignatureTarget);
    if (!signatureReply) {
        p.error = refused + "сервер не прислал подпись новой версии (" +
                  signatureRequest.lastError() + ").";
        return p;
    }
    auto signature = parseSignatureFile(signatureReply->body);
    if (!signature) {
        p.error = refused + "файл подписи новой версии повреждён.";
        return p;
    }
    if (!signatureVerifies(reply->body, *signature, *s.publicKey)) {
        p.error = refused +
                  "подпись не подходит к файлу новой версии: файл изменён или обрезан после "
                  "подписи, либо подписан чужим ключом.";
        return p;
    }
    if (auto m = writeFileBytes((s.folder / kDownloadedName).string(), reply->body)) {
        p.error = m->text;
        return p;
    }
    fs::path script = s.folder / kScriptName;
    if (auto m = writeFileBytes(script.string(), joinedLf(updateScriptLines(s.executableName)))) {
        p.error = m->text;
        return p;
    }
    p.script = script;
    return p;
}

bool startDetached(const fs::path& script, const fs::path& folder) {
    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are allowed.
    std::string scriptPath = script.string(), dir = folder.string();
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
        ::execl("/bin/sh", "sh", scriptPath.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool checkForUpdate(const UpdateSettings& s, const UpdateHooks& hooks) {
    if (s.installed)
        return false;
    auto remote = fetchRemoteVersion(s);
    if (!remote || !isNewerVersion(*remote))
        return false;
    if (!hooks.askYes || !hooks.askYes())
        return false;
    auto prepared = prepareUpdate(s);
    if (!prepared.script) {
        if (hooks.reportError)
            hooks.reportError(prepared.error);
        return false;
    }
    if (hooks.start)
        hooks.start(*prepared.script, s.folder);
    return true;
}

} // namespace kav::io
