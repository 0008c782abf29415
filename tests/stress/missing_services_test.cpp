// Every host global withheld on its own, in turn at create, at new time, at evaluate and at
// the interface activation, through a whole instance lifetime: the new time reports the
// exact message of the missing service, the options panel says when the panel services are
// missing, nothing else is shown, and nothing crashes.
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>

#include "host/storage_states.h"
#include "render/shading_sample.h"
#include "stress_fixture.h"

namespace {

using stress::host;

struct Service {
    const char* name;
    const char* newTimeMessage;  // null: not looked up at new time
};

constexpr Service services[] = {
    {"Info Messages", "Couldn't get Info Messages functions"},
    {"LW Scene Info", "Couldn't get Scene Info"},
    {"LW Item Info", "Couldn't get Item Info"},
    {"LW Light Info", "Couldn't get Light Info"},
    {"LW Camera Info", "Couldn't get Camera Info"},
    {"LW Object Info", "Couldn't get Object Info"},
    {"Global Memory", "Couldn't get Global Memory"},
    {"Global Render Memory", "Couldn't get Global Render Memory"},
    {"LWPanelServices", nullptr},
};
constexpr int serviceCount = sizeof services / sizeof services[0];

constexpr const char* noPanelServices = "Couldn't get Panel services. Please add plugin lwpanels.p";

enum class Phase { Create, NewTime, Evaluate, Interface };

class StressMissingService : public stress::StressTest,
                             public ::testing::WithParamInterface<std::tuple<int, Phase>> {
protected:
    const Service& service() const { return services[std::get<0>(GetParam())]; }
    Phase phase() const { return std::get<1>(GetParam()); }

    // Withholds the service when the step is the one under test; every step ends with the
    // host serving everything again.
    template <typename Step>
    void step(Phase at, Step&& run) {
        if (phase() == at) host().withhold(service().name);
        run();
        host().reset();
    }

    static ShadingRecord shade(const standin::ShaderInstance& instance) {
        ShadingRecord record = render::ShadingSample().record();
        EXPECT_TRUE(instance.evaluate(record));
        return record;
    }

    static int panelServicesMessages() {
        int count = 0;
        for (const standin::Message& message : host().messages().messages())
            if (message.first == std::string(noPanelServices)) ++count;
        return count;
    }
};

TEST_P(StressMissingService, GivesTheExactMessageAndNeverCrashes) {
    standin::ShaderModule module = stress::openModule();
    const bool panelServices = service().newTimeMessage == nullptr;

    // What a sample looks like with every service present.
    ShadingRecord reference;
    {
        standin::ShaderInstance complete = stress::createInstance(module);
        ASSERT_EQ(complete.newTime(1, 0.0), nullptr);
        reference = shade(complete);
        host().reset();
    }

    std::optional<standin::ShaderInstance> instance;
    step(Phase::Create, [&] {
        auto created = module.createInstance();
        ASSERT_TRUE(created.ok()) << "an instance is created whatever is missing";
        instance.emplace(std::move(created.value()));
    });
    ASSERT_TRUE(instance.has_value());

    step(Phase::NewTime, [&] {
        const char* message = instance->newTime(1, 0.0);
        if (phase() == Phase::NewTime && !panelServices) {
            EXPECT_STREQ(message, service().newTimeMessage);
            // The host may still shade samples of a frame whose new time failed.
            const ShadingRecord record = shade(*instance);
            for (double c : record.color) EXPECT_FALSE(std::isnan(c));
        } else {
            EXPECT_EQ(message, nullptr);
        }
    });
    if (phase() == Phase::NewTime) {
        EXPECT_EQ(instance->newTime(2, 0.04), nullptr) << "the next frame has every service";
        host().reset();
    }

    step(Phase::Evaluate, [&] {
        const int lookupsBefore = host().lookupCount(service().name);
        const ShadingRecord record = shade(*instance);
        EXPECT_EQ(host().lookupCount(service().name), lookupsBefore) << "nothing is looked up";
        for (int i = 0; i < 3; ++i) EXPECT_EQ(record.color[i], reference.color[i]);
    });

    step(Phase::Interface, [&] {
        standin::setScriptedUser([](standin::PanelSession&) { return true; });
        const int opened = stress::openPanel(module, *instance);
        if (panelServices && phase() == Phase::Create) {
            // The panel took its services when it was built, at create.
            EXPECT_EQ(opened, 2);
            EXPECT_EQ(panelServicesMessages(), 1);
        } else {
            EXPECT_EQ(opened, 0);
            EXPECT_EQ(panelServicesMessages(), 0);
        }
        EXPECT_EQ(host().messages().messages().size(),
                  static_cast<std::size_t>(panelServicesMessages()))
            << "no other message is shown";
    });

    standin::MemorySaveState saved(HOST_IO_ASCII);
    instance->save(saved.state());
    EXPECT_EQ(saved.items().size(), 7u);
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<int, Phase>>& info) {
    static constexpr const char* phases[] = {"AtCreate", "AtNewTime", "AtEvaluate", "AtInterface"};
    std::string name;
    for (const char* c = services[std::get<0>(info.param)].name; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
    return name + "_" + phases[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(EachGlobalAtEachStep, StressMissingService,
                         ::testing::Combine(::testing::Range(0, serviceCount),
                                            ::testing::Values(Phase::Create, Phase::NewTime,
                                                              Phase::Evaluate, Phase::Interface)),
                         caseName);

}  // namespace
