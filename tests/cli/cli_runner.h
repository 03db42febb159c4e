// Runs the real kavendix-cli binary and captures its exit code, stdout and stderr.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kav::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string readWhole(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

// A fresh temporary folder, removed when the object goes.
struct TempDir {
    std::filesystem::path path;
    TempDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "kavendix-test-XXXXXX").string();
        std::vector<char> buf(tmpl.begin(), tmpl.end());
        buf.push_back('\0');
        path = mkdtemp(buf.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path write(const std::string& name, const std::string& content) const {
        auto p = path / name;
        std::ofstream(p, std::ios::binary) << content;
        return p;
    }
};

// Runs kavendix-cli with the given arguments; `input` is fed to its stdin.
inline CliResult runCli(const std::vector<std::string>& args, const std::string& input = {}) {
    const char* cli = std::getenv("KAVENDIX_CLI");
#ifdef KAVENDIX_CLI_PATH
    if (!cli)
        cli = KAVENDIX_CLI_PATH;
#endif
    TempDir dir;
    auto in = dir.write("stdin", input);
    std::string cmd = shellQuote(cli ? cli : "kavendix-cli");
    for (const auto& a : args) {
        cmd += ' ';
        cmd += shellQuote(a);
    }
    cmd += " <";
    cmd += shellQuote(in.string());
    cmd += " >";
    cmd += shellQuote((dir.path / "out").string());
    cmd += " 2>";
    cmd += shellQuote((dir.path / "err").string());
    int status = std::system(cmd.c_str());
    CliResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = readWhole(dir.path / "out");
    r.err = readWhole(dir.path / "err");
    return r;
}

} // namespace kav::test
