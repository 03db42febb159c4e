// Temporary file paths and whole-file reads for the io tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace kav::test {

// A path in the temporary folder, unique to this test process.
inline std::filesystem::path tempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("kavendix-" + std::to_string(::getpid()) + "-" + name);
}

inline std::string contents(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace kav::test
