#pragma once

// A fresh, empty folder for one test, removed with everything in it afterwards. Its path
// is ASCII and ends with a separator, so tests can append ANSI (Shift_JIS) file names.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

namespace vesk::test {

class TestFolder {
public:
    TestFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const std::filesystem::path root =
            std::filesystem::temp_directory_path() /
            ("vesk-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(root);
        root_ = root;
        path_ = root.string();
        path_ += static_cast<char>(std::filesystem::path::preferred_separator);
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder, with a trailing separator.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::filesystem::path root_;
    std::string path_;
};

}  // namespace vesk::test
