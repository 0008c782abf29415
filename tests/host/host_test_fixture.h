// Shared by the host tests: every case starts and ends with the host's defaults, and
// may write files to a folder of its own.
#ifndef PELORIX3_TESTS_HOST_HOST_TEST_FIXTURE_H
#define PELORIX3_TESTS_HOST_HOST_TEST_FIXTURE_H

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/host_globals.h"

class HostTest : public ::testing::Test {
protected:
    void SetUp() override { host().reset(); }
    void TearDown() override {
        host().reset();
        if (!folder_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(folder_, ignored);
        }
    }

    static standin::Host& host() { return standin::Host::instance(); }

    // A path in an empty folder that lives as long as the test case.
    std::string tempPath(const std::string& fileName) {
        if (folder_.empty()) {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            folder_ = std::filesystem::temp_directory_path() /
                      (std::string("standin-") + test->test_suite_name() + "-" + test->name());
            std::filesystem::remove_all(folder_);
            std::filesystem::create_directories(folder_);
        }
        return (folder_ / fileName).string();
    }

private:
    std::filesystem::path folder_;
};

#endif
