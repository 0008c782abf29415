// The preview's default number of render processes: one per core, except for a model file
// so large against the picture that every worker reading it again would cost more than
// the worker saves; a count given on the command line always stands.
#include "tools/preview/worker_count.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "preview_fixture.h"

namespace {

using preview::PreviewOptions;

class WorkerCount : public PreviewTest {
protected:
    // A model file of `bytes` bytes and a picture of 10 x 10 pixels, one sample each.
    PreviewOptions withModel(std::uintmax_t bytes) {
        const std::string path = file("model.obj").string();
        std::ofstream(path) << std::string(bytes, '#');
        PreviewOptions options;
        options.scene.subject = standin::SubjectKind::Mesh;
        options.scene.meshPath = path;
        options.render.width = 10;
        options.render.height = 10;
        options.render.samplesPerSide = 1;
        options.render.threads = 4;  // the cores, as the command line sets it by default
        return options;
    }
};

TEST_F(WorkerCount, OneProcessForAModelOfMoreThanFiveBytesPerSample) {
    EXPECT_EQ(preview::workerCount(withModel(501)), 1);
    EXPECT_EQ(preview::workerCount(withModel(500)), 4);
}

TEST_F(WorkerCount, MoreSamplesMakeTheSameModelWorthTheWorkers) {
    PreviewOptions options = withModel(501);
    options.render.samplesPerSide = 2;
    EXPECT_EQ(preview::workerCount(options), 4);
}

TEST_F(WorkerCount, AGivenCountStands) {
    PreviewOptions options = withModel(100000);
    options.render.threads = 3;
    options.workersGiven = true;
    EXPECT_EQ(preview::workerCount(options), 3);
}

TEST_F(WorkerCount, TheBuiltInSubjectsAndAMissingFileTakeOnePerCore) {
    PreviewOptions options = withModel(100000);
    options.scene.subject = standin::SubjectKind::Cloth;
    EXPECT_EQ(preview::workerCount(options), 4);
    options.scene.subject = standin::SubjectKind::Mesh;
    options.scene.meshPath = file("absent.obj").string();
    EXPECT_EQ(preview::workerCount(options), 4);
}

}  // namespace
