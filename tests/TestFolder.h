#pragma once
// A temporary folder of the running test's own, named after the test and the process, so test
// programs run in parallel (and two builds testing at once) never share files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace quindel::test {

class TestFolder {
  public:
    explicit TestFolder(const std::string& prefix = "quindel") {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = prefix + "_" + std::to_string(::getpid());
        if (info) name += std::string("_") + info->test_suite_name() + "_" + info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TestFolder() { std::filesystem::remove_all(path_); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace quindel::test
