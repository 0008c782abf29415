#include <string>
#include <vector>

#include "module_fixture.h"
#include "render/shading_sample.h"

namespace {

const std::vector<std::string> serviceOrder = {
    "Info Messages",  "LW Scene Info",  "LW Item Info",  "LW Light Info",
    "LW Camera Info", "LW Object Info", "Global Memory", "Global Render Memory"};

const std::vector<std::string> serviceMessages = {"Couldn't get Info Messages functions",
                                                  "Couldn't get Scene Info",
                                                  "Couldn't get Item Info",
                                                  "Couldn't get Light Info",
                                                  "Couldn't get Camera Info",
                                                  "Couldn't get Object Info",
                                                  "Couldn't get Global Memory",
                                                  "Couldn't get Global Render Memory"};

using Lifecycle = ModuleTest;

// Each lookup borrows the service (use 0): the module never holds a global it would have
// to give back.
TEST_F(Lifecycle, EveryServiceIsBorrowedOnceAtCreateAndAgainAtEachNewTime) {
    standin::ShaderInstance instance = create();
    for (const std::string& name : serviceOrder) EXPECT_EQ(host().lookupCount(name), 1) << name;
    EXPECT_EQ(instance.newTime(1, 0.0), nullptr);
    EXPECT_EQ(instance.newTime(2, 0.04), nullptr);
    for (const std::string& name : serviceOrder) EXPECT_EQ(host().lookupCount(name), 3) << name;
    EXPECT_EQ(host().nonTransientLookupCount(), 0);
}

class MissingService : public ModuleTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(MissingService, CreateStillSucceedsAndNewTimeReportsTheFirstMissing) {
    const std::size_t missing = GetParam();
    host().withhold(serviceOrder[missing]);
    standin::ShaderInstance instance = create();
    ASSERT_NE(instance.handle(), nullptr);

    const char* error = instance.newTime(1, 0.5);
    ASSERT_NE(error, nullptr);
    EXPECT_STREQ(error, serviceMessages[missing].c_str());
    for (std::size_t i = 0; i < serviceOrder.size(); ++i) {
        // Once at create and once at the new time up to the missing one; never after it.
        const int expected = i <= missing ? 2 : 0;
        EXPECT_EQ(host().lookupCount(serviceOrder[i]), expected) << serviceOrder[i];
    }
}

INSTANTIATE_TEST_SUITE_P(EachService, MissingService, ::testing::Range<std::size_t>(0, 8));

TEST_F(Lifecycle, AFailedNewTimeDoesNotStoreTheTime) {
    // The time reaches the host through the light queries of a shaded sample, so the
    // stored time is observed through the item service's query log.
    standin::ShaderInstance instance = createReady(0.25);
    host().withhold("LW Light Info");
    EXPECT_STREQ(instance.newTime(2, 0.75), "Couldn't get Light Info");
    host().reset();
    ASSERT_EQ(instance.init(), nullptr);  // services back, the time untouched
    host().paramQueries().enable(true);
    ShadingRecord record = render::ShadingSample().record();
    instance.evaluate(record);
    const auto queries = host().paramQueries().entries();
    ASSERT_FALSE(queries.empty());
    for (const auto& q : queries) EXPECT_EQ(q.time, 0.25);
}

TEST_F(Lifecycle, DescriptionLineAndFlagsStayThroughNewTimes) {
    standin::ShaderInstance instance = create();
    EXPECT_STREQ(instance.descln(), "pelorix3");
    EXPECT_EQ(instance.flags(), 2u);
    for (int frame = 1; frame <= 5; ++frame) {
        ASSERT_EQ(instance.newTime(frame, frame / 30.0), nullptr);
        EXPECT_EQ(instance.flags(), 2u);
        EXPECT_STREQ(instance.descln(), "pelorix3");
    }
}

TEST_F(Lifecycle, InitAndCleanupEntriesWork) {
    standin::ShaderInstance instance = create();
    EXPECT_EQ(instance.init(), nullptr);
    instance.cleanup();
    host().withhold("Info Messages");
    EXPECT_STREQ(instance.init(), "Couldn't get Info Messages functions");
    EXPECT_EQ(host().lookupCount("LW Scene Info"), 2);  // create and the first init only
}

TEST_F(Lifecycle, InstancesAreIndependentAndDestroyedThroughTheTable) {
    std::vector<standin::ShaderInstance> instances;
    for (int i = 0; i < 8; ++i) instances.push_back(createReady());
    for (const auto& instance : instances) EXPECT_EQ(instance.flags(), 2u);
    instances.clear();  // each destroyed through the table; the sanitizers see leaks
    standin::ShaderInstance last = createReady();
    EXPECT_STREQ(last.descln(), "pelorix3");
}

}  // namespace
