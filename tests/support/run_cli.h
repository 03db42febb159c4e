// Runs the real kavendix-cli binary (path in KAVENDIX_CLI) and captures its
// output and exit status.
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

namespace kav::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

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

inline CliRun runCli(const std::vector<std::string>& args) {
    const char* exe = std::getenv("KAVENDIX_CLI");
    CliRun r;
    if (!exe)
        return r;
    auto errFile = std::filesystem::temp_directory_path() /
                   ("kavendix-cli-err-" + std::to_string(::getpid()) + ".txt");
    std::string cmd = shellQuote(exe);
    for (const auto& a : args)
        cmd += ' ' + shellQuote(a);
    cmd += " 2>" + shellQuote(errFile.string());
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    std::ifstream in(errFile, std::ios::binary);
    r.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::error_code ec;
    std::filesystem::remove(errFile, ec);
    return r;
}

} // namespace kav::testing
