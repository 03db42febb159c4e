// A template folder made by a test in the temporary directory and removed
// afterwards; files can be given a modification time relative to now.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace kav::testing {

class TemplateFolder {
public:
    explicit TemplateFolder(const std::string& name = "Kombin") {
        static std::atomic<int> counter{0};
        root_ = std::filesystem::temp_directory_path() /
                ("kavendix-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(root_ / name);
        path_ = root_ / name;
    }
    ~TemplateFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    TemplateFolder(const TemplateFolder&) = delete;
    TemplateFolder& operator=(const TemplateFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    const std::filesystem::path& root() const { return root_; }

    // Writes a file; `ageSeconds` sets its modification time that far in the past.
    std::filesystem::path write(const std::string& name, const std::string& content, int ageSeconds = 0) {
        auto file = path_ / name;
        std::ofstream(file, std::ios::binary) << content;
        if (ageSeconds != 0)
            std::filesystem::last_write_time(
                file, std::filesystem::file_time_type::clock::now() - std::chrono::seconds(ageSeconds));
        return file;
    }

    // Gives a file an exact modification time.
    void setTime(const std::string& name, std::filesystem::file_time_type time) {
        std::filesystem::last_write_time(path_ / name, time);
    }

private:
    std::filesystem::path root_;
    std::filesystem::path path_;
};

} // namespace kav::testing
