#pragma once
// Tests run as parallel processes sharing one working directory; a test that writes
// "zorbels.log" works in a directory of its own so the logs of two tests never mix.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace gorb::testing {

class ScopedWorkDir {
public:
    ScopedWorkDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        home_ = std::filesystem::current_path();
        dir_ = home_ / ("wd_" + std::string(info->test_suite_name()) + "_" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
    }
    ~ScopedWorkDir() {
        std::filesystem::current_path(home_);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    ScopedWorkDir(const ScopedWorkDir&) = delete;
    ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;

    const std::filesystem::path& Path() const { return dir_; }

private:
    std::filesystem::path home_, dir_;
};

inline std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace gorb::testing
