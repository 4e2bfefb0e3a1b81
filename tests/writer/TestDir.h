// A fresh folder under the system temp folder, removed with everything in it at scope exit.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>

namespace writertest {

class TestDir {
public:
    TestDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("rarwrite-test-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
                 std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TestDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestDir(const TestDir&) = delete;
    TestDir& operator=(const TestDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace writertest
