// The update check: the update server's signed release descriptor names the
// newest version with the size and SHA-256 of its executable. When the
// signature verifies against the publisher's key and the version is strictly
// newer than ours (and ours at least the lowest one it allows), the player is
// asked; on yes the executable is streamed to a temporary file, checked
// against the descriptor as it arrives, and only then put in place, and a
// replace-and-restart script takes over once the program has ended. Every
// download is HTTPS only, redirects included. Anything that does not verify
// is refused and nothing is replaced.
//
// Programs older than the descriptor read "/updkvx.ini" (its first line, the
// version) and "/kavendix.exe.sig" (the executable's own signature); the
// server keeps both for them, this program reads neither.
#pragma once

#include "core/base/version.h"
#include "core/bets/bet_list.h"
#include "io/pages/http_request.h"
#include "io/update/update_descriptor.h"
#include "io/update/update_signature.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kav::io {

struct UpdateSettings {
    std::string server;
    std::filesystem::path folder; // where the update files go: the executable's folder
    std::string executableName;   // the file the script replaces and starts
    HttpOptions descriptorHttp;   // start-up waits for this one: short time-outs
    HttpOptions executableHttp;
    std::optional<UpdatePublicKey> publicKey; // the publisher's; none: every update is refused
    std::string currentVersion{kCurrentVersion};
    // The program's own arguments: the new program, or the old one put back,
    // starts with them.
    std::vector<std::string> arguments;
    // An installed program (bin/ beside share/kavendix) belongs to the package
    // manager: it is updated by installing the new package, never by itself.
    bool installed = false;
};

// Defaults: the folder and name of the running executable, a descriptor
// request that gives up within 3 seconds, the key this build carries, HTTPS
// only.
UpdateSettings defaultUpdateSettings(const std::string& server);

inline constexpr const char* kReleaseTarget = "/kavendix.release";
inline constexpr const char* kReleaseSignatureTarget = "/kavendix.release.sig";
inline constexpr const char* kExecutableTarget = "/kavendix.exe";
inline constexpr const char* kDownloadedName = "kavendi_.exe";
inline constexpr const char* kScriptName = "updkvx.sh";
// Left in the folder by older programs; the script removes it.
inline constexpr const char* kLegacyDescriptorName = "updkvx.ini";
inline constexpr std::size_t kMaxSignatureBytes = 4096;

// The verified descriptor of a release newer than ours, or why there is none
// (empty when the server simply has nothing newer or cannot be reached).
struct OfferedRelease {
    std::optional<ReleaseDescriptor> descriptor;
    std::string refusal;
};
OfferedRelease fetchRelease(const UpdateSettings& s);

// The script, run as `sh updkvx.sh ARGS...`: removes itself, waits, renames
// the old executable to <name>.old (kept until the new one has started),
// deletes the leftovers of older programs, renames the download to the
// executable's name, waits, starts it with ARGS. When the new one ends with a
// failure within `startSeconds`, it is removed and the old one is put back and
// started with ARGS; otherwise the old one is deleted. No update file stays.
struct ReplaceTimes {
    int beforeSeconds = 5;
    int afterSeconds = 10;
    int startSeconds = 3;
};
Lines updateScriptLines(const std::string& executableName, const ReplaceTimes& times = {});

// After the player agreed: streams the executable into a temporary file,
// refusing a declared or actual size other than the descriptor's (or over the
// cap) and a SHA-256 that differs, and only then puts it in place as
// kavendi_.exe and writes the script. `progress` may cancel. The script's
// path, or why it failed or was refused; nothing stays behind on failure.
struct PreparedUpdate {
    std::optional<std::filesystem::path> script;
    std::string error;
    bool cancelled = false;
};
PreparedUpdate prepareUpdate(const UpdateSettings& s, const ReleaseDescriptor& release,
                             const HttpProgress& progress = {});

// Starts the script with /bin/sh in the folder, detached from this process.
bool startDetached(const std::filesystem::path& script, const std::filesystem::path& folder,
                   const std::vector<std::string>& arguments = {});

// The whole check. `askYes` is asked only for a verified newer release; only
// its true leads to `prepare` (prepareUpdate, in the program run as a job),
// and `start` runs the script. `reportError` gets a failure after the player
// agreed, `noteRefusal` a descriptor that was refused. True when the program
// should now end.
struct UpdateHooks {
    std::function<bool(const ReleaseDescriptor&)> askYes;
    std::function<void(const std::string&)> reportError;
    std::function<void(const std::string&)> noteRefusal;
    std::function<PreparedUpdate(const UpdateSettings&, const ReleaseDescriptor&)> prepare =
        [](const UpdateSettings& s, const ReleaseDescriptor& d) { return prepareUpdate(s, d); };
    std::function<bool(const std::filesystem::path& script, const std::filesystem::path& folder,
                       const std::vector<std::string>& arguments)>
        start = startDetached;
};
bool checkForUpdate(const UpdateSettings& s, const UpdateHooks& hooks);

} // namespace kav::io
