// The preview's default number of render processes: one per core, except for a model file
// so large against the picture that every worker importing it again would cost more than
// the worker saves; a count given on the command line always stands.
#include "tools/preview/worker_count.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tools/preview/preview_options.h"

namespace {

using preview::PreviewOptions;

class WorkerCount : public ::testing::Test {
protected:
    WorkerCount() {
        options.render.width = 10;
        options.render.height = 10;
        options.render.samplesPerSide = 1;
        options.render.threads = 4;  // the cores, as the command line sets it by default
    }

    // A scene with a model of `bytes` bytes of text.
    static render::SceneSettings withModel(std::size_t bytes) {
        render::SceneSettings scene;
        scene.subject = render::SubjectKind::Mesh;
        scene.meshText = std::make_shared<const std::string>(bytes, '#');
        return scene;
    }

    PreviewOptions options;  // a picture of 10 x 10 pixels, one sample each
};

TEST_F(WorkerCount, OneProcessForAModelOfMoreThanFiveBytesPerSample) {
    EXPECT_EQ(preview::workerCount(options, withModel(501)), 1);
    EXPECT_EQ(preview::workerCount(options, withModel(500)), 4);
}

TEST_F(WorkerCount, MoreSamplesMakeTheSameModelWorthTheWorkers) {
    options.render.samplesPerSide = 2;
    EXPECT_EQ(preview::workerCount(options, withModel(501)), 4);
}

TEST_F(WorkerCount, AGivenCountStands) {
    options.render.threads = 3;
    options.workersGiven = true;
    EXPECT_EQ(preview::workerCount(options, withModel(100000)), 3);
}

TEST_F(WorkerCount, ACountOnTheCommandLineIsAGivenCount) {
    for (const char* option : {"--workers", "--threads"}) {
        std::vector<std::string> words{"pelorix3-preview", option, "3",         "--width", "10",
                                       "--height",         "10",   "--samples", "1"};
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        PreviewOptions parsed;
        ASSERT_FALSE(preview::parseCommandLine(static_cast<int>(argv.size()), argv.data(), parsed))
            << option;
        EXPECT_EQ(preview::workerCount(parsed, withModel(100000)), 3) << option;
    }
}

TEST_F(WorkerCount, TheBuiltInSubjectsTakeOnePerCore) {
    render::SceneSettings scene = withModel(100000);
    scene.subject = render::SubjectKind::Cloth;
    EXPECT_EQ(preview::workerCount(options, scene), 4);
}

}  // namespace
