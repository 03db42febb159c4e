// A template folder made by a test inside a fresh temporary folder; files can
// be given a modification time of their own.
#pragma once

#include "cli/cli_runner.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace kav::testing {

class TemplateFolder {
public:
    explicit TemplateFolder(const std::string& name = "Kombin") : path_(dir_.path / name) {
        std::filesystem::create_directories(path_);
    }

    const std::filesystem::path& path() const { return path_; }
    const std::filesystem::path& root() const { return dir_.path; }

    // Writes a file; `ageSeconds` sets its modification time that far in the past.
    std::filesystem::path write(const std::string& name, const std::string& content,
                                int ageSeconds = 0) {
        auto file = path_ / name;
        std::ofstream(file, std::ios::binary) << content;
        if (ageSeconds != 0)
            std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() -
                                                       std::chrono::seconds(ageSeconds));
        return file;
    }

    // Gives a file an exact modification time.
    void setTime(const std::string& name, std::filesystem::file_time_type time) {
        std::filesystem::last_write_time(path_ / name, time);
    }

private:
    kav::test::TempDir dir_;
    std::filesystem::path path_;
};

} // namespace kav::testing
