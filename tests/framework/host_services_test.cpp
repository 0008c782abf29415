#include "framework/host_services.h"

#include <gtest/gtest.h>

#include "framework/module_globals.h"
#include "framework/shader_activation.h"
#include "host/host_globals.h"
#include "shader/sheen_shader.h"

namespace pelorix3 {
namespace {

// Runs each case against the stand-in host and puts the module-wide state back.
struct HostServicesTest : ::testing::Test {
    void SetUp() override {
        standin::Host::instance().reset();
        savedGlobal = hostGlobal;
        savedServices = hostServices;
        hostGlobal = standin::globalFunc;
    }
    void TearDown() override {
        hostGlobal = savedGlobal;
        hostServices = savedServices;
        standin::Host::instance().reset();
    }
    GlobalFunc savedGlobal = nullptr;
    HostServices savedServices{};
};

TEST_F(HostServicesTest, AllPresentFillsEveryPointer) {
    hostServices = HostServices{};
    EXPECT_EQ(acquireShaderServices(), nullptr);
    EXPECT_NE(hostServices.messageFuncs, nullptr);
    EXPECT_NE(hostServices.sceneInfo, nullptr);
    EXPECT_NE(hostServices.itemInfo, nullptr);
    EXPECT_NE(hostServices.lightInfo, nullptr);
    EXPECT_NE(hostServices.cameraInfo, nullptr);
    EXPECT_NE(hostServices.objectInfo, nullptr);
    EXPECT_NE(hostServices.globalMemory, nullptr);
    EXPECT_NE(hostServices.renderMemory, nullptr);
}

TEST_F(HostServicesTest, AMissingServiceClearsItsPointerAndLeavesLaterOnes) {
    static int stale;
    auto* staleObject = reinterpret_cast<ObjectInfo*>(&stale);
    auto* staleMemory = reinterpret_cast<GlobalMemory*>(&stale);
    hostServices = HostServices{};
    hostServices.objectInfo = staleObject;
    hostServices.globalMemory = staleMemory;
    hostServices.renderMemory = staleMemory;
    standin::Host::instance().withhold("LW Camera Info");

    EXPECT_STREQ(acquireShaderServices(), "Couldn't get Camera Info");
    EXPECT_NE(hostServices.sceneInfo, nullptr);
    EXPECT_NE(hostServices.itemInfo, nullptr);
    EXPECT_NE(hostServices.lightInfo, nullptr);
    EXPECT_EQ(hostServices.cameraInfo, nullptr);
    EXPECT_EQ(hostServices.objectInfo, staleObject);
    EXPECT_EQ(hostServices.globalMemory, staleMemory);
    EXPECT_EQ(hostServices.renderMemory, staleMemory);
    EXPECT_EQ(standin::Host::instance().lookupCount("LW Object Info"), 0);
}

TEST_F(HostServicesTest, WithoutALookupFunctionNothingIsCalled) {
    hostGlobal = nullptr;
    EXPECT_STREQ(acquireShaderServices(), "Couldn't get Info Messages functions");
    EXPECT_EQ(hostServices.messageFuncs, nullptr);
    showMessage("dropped", "");  // no message functions: nothing happens
    EXPECT_EQ(standin::Host::instance().lookupCount("Info Messages"), 0);
}

TEST_F(HostServicesTest, CopyEntrySkipsInstancesWithDifferentNames) {
    ShaderHandlerTable table{};
    ASSERT_EQ(activateShaderHandler(2, standin::globalFunc, &table, nullptr,
                                    createEntry<createSheenShader>),
              0);
    auto* source = static_cast<SheenShader*>(table.create(nullptr));
    auto* target = static_cast<SheenShader*>(table.create(nullptr));
    ASSERT_NE(source, nullptr);
    ASSERT_NE(target, nullptr);
    source->density = 0.5;
    source->name = "another shader";
    EXPECT_EQ(table.copy(source, target), nullptr);
    EXPECT_EQ(target->density, 1.0);

    source->name = "pelorix3";
    EXPECT_EQ(table.copy(source, target), nullptr);
    EXPECT_EQ(target->density, 0.5);
    EXPECT_NE(target->panel, source->panel);
    table.destroy(source);
    table.destroy(target);
}

}  // namespace
}  // namespace pelorix3
