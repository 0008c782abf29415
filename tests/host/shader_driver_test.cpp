#include "host/shader_driver.h"

#include "host_test_fixture.h"
#include "render/shading_sample.h"

namespace {

using standin::kMissingEntry;
using standin::ShaderInstance;
using standin::ShaderModule;

// A shader living in this process: an instance is an int counting its evaluations.
struct FakeShader {
    static inline int live = 0;
    static inline int shutdowns = 0;
    static inline HostInstance copiedTo = nullptr;

    static HostInstance create(HostError* error) {
        if (live < 0) {  // set by a test to make creation fail
            *error = "no memory";
            return nullptr;
        }
        ++live;
        return new int(0);
    }
    static void destroy(HostInstance instance) {
        --live;
        delete static_cast<int*>(instance);
    }
    static HostError copy(HostInstance, HostInstance to) {
        copiedTo = to;
        return nullptr;
    }
    static void evaluate(HostInstance instance, ShadingRecord*) { ++*static_cast<int*>(instance); }
    static unsigned int flags(HostInstance) { return 0x5u; }
    static const char* descln(HostInstance) { return "fake shader"; }

    static int activate(long version, GlobalFunc global, void* local, void*) {
        if (version < 1 || version > 2) return AFUNC_BADVERSION;
        if (global != standin::globalFunc) return AFUNC_BADGLOBAL;
        auto* table = static_cast<ShaderHandlerTable*>(local);
        *table = ShaderHandlerTable{create,  destroy, copy,     nullptr, nullptr, nullptr,
                                    nullptr, nullptr, evaluate, flags,   nullptr};
        if (version == 2) table->descln = descln;
        return AFUNC_OK;
    }
    static void* startup() { return &live; }
    static void shutdown(void*) { ++shutdowns; }
};

ServerRecord fakeServers[] = {{"ShaderHandler", "pelorix3", FakeShader::activate},
                              {nullptr, nullptr, nullptr}};
const ModuleDescriptor fakeDescriptor = {MODULE_SYNC_WORD,     MODULE_DESCRIPTOR_VERSION,
                                         MODULE_MACHINE_WORD,  FakeShader::startup,
                                         FakeShader::shutdown, fakeServers};

class HostShaderDriver : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        FakeShader::live = FakeShader::shutdowns = 0;
    }

    static base::Result<ShaderModule> fakeModule(long version) {
        auto file = standin::ModuleFile::attach(&fakeDescriptor, "fake");
        return ShaderModule::activate(std::move(file.value()), ShaderModule::Options{version});
    }
};

TEST_F(HostShaderDriver, InstancesAreDestroyedExactlyOnceAcrossMoves) {
    auto module = fakeModule(2);
    ASSERT_TRUE(module.ok()) << module.error();
    {
        ShaderInstance moved = std::move(module->createInstance().value());
        EXPECT_EQ(FakeShader::live, 1);
        moved = std::move(module->createInstance().value());  // the first one goes now
        EXPECT_EQ(FakeShader::live, 1);
    }
    EXPECT_EQ(FakeShader::live, 0);
}

TEST_F(HostShaderDriver, FailedCreateCarriesTheShadersError) {
    FakeShader::live = -1;
    auto module = fakeModule(2);
    const auto created = module->createInstance();
    ASSERT_FALSE(created.ok());
    EXPECT_NE(created.error().find("no memory"), std::string::npos) << created.error();
    EXPECT_FALSE(ShaderInstance::create(ShaderHandlerTable{}).ok());
}

TEST_F(HostShaderDriver, EntriesArePassedThroughAndMissingOnesNeverCalled) {
    auto module = fakeModule(2);
    auto a = module->createInstance();
    auto b = module->createInstance();
    ASSERT_TRUE(a.ok() && b.ok());
    render::ShadingSample sample;
    EXPECT_EQ(a->copyTo(b.value()), nullptr);
    EXPECT_EQ(FakeShader::copiedTo, b->handle());
    EXPECT_TRUE(a->evaluate(sample.record()));
    EXPECT_EQ(*static_cast<int*>(a->handle()), 1);
    EXPECT_EQ(a->flags(), 0x5u);
    EXPECT_STREQ(a->descln(), "fake shader");

    EXPECT_EQ(a->init(), kMissingEntry);
    EXPECT_EQ(a->newTime(1, 0.0), kMissingEntry);
    EXPECT_EQ(a->load(LoadState{}), kMissingEntry);
    EXPECT_EQ(a->save(SaveState{}), kMissingEntry);
    a->cleanup();
}

TEST_F(HostShaderDriver, VersionOneTableHasNoDescriptionLine) {
    auto module = fakeModule(1);
    ASSERT_TRUE(module.ok()) << module.error();
    EXPECT_EQ(module->table().descln, nullptr);
    EXPECT_EQ(module->createInstance()->descln(), nullptr);
}

TEST_F(HostShaderDriver, RefusedActivationIsAnErrorWithItsCode) {
    const auto module = fakeModule(7);
    ASSERT_FALSE(module.ok());
    EXPECT_NE(module.error().find("failed with code 1"), std::string::npos) << module.error();
    EXPECT_EQ(FakeShader::shutdowns, 1);  // the refused module was still shut down
}

TEST_F(HostShaderDriver, InstancesKeepTheModuleUntilTheLastIsGone) {
    std::optional<ShaderInstance> survivor;
    {
        auto module = fakeModule(2);
        ASSERT_TRUE(module.ok()) << module.error();
        survivor.emplace(std::move(module->createInstance().value()));
    }
    EXPECT_EQ(FakeShader::shutdowns, 0);
    EXPECT_EQ(survivor->flags(), 0x5u);
    survivor.reset();
    EXPECT_EQ(FakeShader::live, 0);
    EXPECT_EQ(FakeShader::shutdowns, 1);
}

}  // namespace
