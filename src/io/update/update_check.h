// The update check: the update server's descriptor names the newest version;
// when it is newer and the player agrees, the new executable and its detached
// signature are downloaded, the signature is checked against the publisher's
// key, and a replace-and-restart shell script takes over once the program has
// ended. An update that does not verify is refused and nothing is replaced.
#pragma once

#include "core/bets/bet_list.h"
#include "io/pages/http_request.h"
#include "io/update/update_signature.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kav::io {

struct UpdateSettings {
    std::string server;
    std::filesystem::path folder; // where the update files go: the executable's folder
    std::string executableName;   // the file the script replaces and starts
    HttpOptions descriptorHttp;   // start-up waits for this one: short time-outs
    HttpOptions executableHttp;
    std::optional<UpdatePublicKey> publicKey; // the publisher's; none: every update is refused
    // An installed program (bin/ beside share/kavendix) belongs to the package
    // manager: it is updated by installing the new package, never by itself.
    bool installed = false;
};

// Defaults: the folder and name of the running executable, a descriptor
// request that gives up within 3 seconds, the key this build carries.
UpdateSettings defaultUpdateSettings(const std::string& server);

inline constexpr const char* kDescriptorName = "updkvx.ini";
inline constexpr const char* kDownloadedName = "kavendi_.exe";
inline constexpr const char* kScriptName = "updkvx.sh";
inline constexpr const char* kSignatureTarget = "/kavendix.exe.sig";
inline constexpr std::size_t kMaxSignatureBytes = 4096;

// The version a descriptor names: its first line, without the line end.
std::string descriptorVersion(std::string_view descriptor);

// Downloads the descriptor into the folder and returns its first line;
// nothing on any failure (the check then ends silently).
std::optional<std::string> fetchRemoteVersion(const UpdateSettings& s);

// The script: wait, rename the old executable to <name>.old (kept until the
// new one has started), delete "Update.ini", rename the download to the
// executable's name, wait, start it. When the new one ends with a failure
// within `startSeconds`, it is removed, the old one is put back and started;
// otherwise the old one is deleted.
struct ReplaceTimes {
    int beforeSeconds = 5;
    int afterSeconds = 10;
    int startSeconds = 3;
};
Lines updateScriptLines(const std::string& executableName, const ReplaceTimes& times = {});

// After the player agreed: deletes the descriptor, downloads the executable
// and its signature, verifies them and only then stores the download and
// writes the script. The script's path, or why it failed or was refused.
struct PreparedUpdate {
    std::optional<std::filesystem::path> script;
    std::string error;
};
PreparedUpdate prepareUpdate(const UpdateSettings& s);

// Starts the script with /bin/sh in the folder, detached from this process.
bool startDetached(const std::filesystem::path& script, const std::filesystem::path& folder);

// The whole check. `askYes` is asked only when the server has a newer
// version; only its true leads to the download, and `start` runs the script
// (startDetached in the program). `reportError` gets a failure after the
// player agreed. True when the program should now end.
struct UpdateHooks {
    std::function<bool()> askYes;
    std::function<void(const std::string&)> reportError;
    std::function<bool(const std::filesystem::path& script, const std::filesystem::path& folder)>
        start = startDetached;
};
bool checkForUpdate(const UpdateSettings& s, const UpdateHooks& hooks);

} // namespace kav::io
