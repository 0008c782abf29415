// Every preview test gets a scratch folder of its own, removed afterwards.
#ifndef PELORIX3_TESTS_PREVIEW_PREVIEW_FIXTURE_H
#define PELORIX3_TESTS_PREVIEW_PREVIEW_FIXTURE_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tool_run.h"

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("pelorix3-preview-" + std::string(test->test_suite_name()) + "-" + test->name() +
                   "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path file(const std::string& name) const { return folder_ / name; }
    ToolRun run(const std::vector<std::string>& arguments, const ToolStreams& streams = {}) const {
        return runTool(arguments, folder_, streams);
    }
    // The names in the scratch folder, to see that nothing half-written stayed behind.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path folder_;
};

#endif
