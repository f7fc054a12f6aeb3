#pragma once
// A fresh, empty folder per test, named after the test and the process so that tests running in
// parallel never share one, and removed with everything in it when the test ends.

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace talvex::testing {

class TestFolder {
public:
    explicit TestFolder(const std::string& prefix = "talvex")
        : path_(std::filesystem::temp_directory_path() /
                (prefix + "-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TestFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }

private:
    std::filesystem::path path_;
};

} // namespace talvex::testing
